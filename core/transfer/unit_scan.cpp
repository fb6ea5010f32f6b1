#include "core/transfer/unit_scan.h"

#include <algorithm>
#include <utility>

#include "core/link/send_command.h"
#include "core/model/settings_model.h"
#include "core/transfer/read_all.h"

namespace korvex7 {

std::string_view ScanQuery() { return ReadAllQuery(0); }

std::int32_t ScanReplyAddress(std::string_view line) {
  if (line.size() < 2 || line[0] < '0' || line[0] > '9' || line[1] < '0' || line[1] > '9') {
    return -1;
  }
  return (line[0] - '0') * 10 + (line[1] - '0');
}

bool CountsAsUnit(std::int32_t asking, AnswerKind kind, std::string_view reply) {
  if (kind != AnswerKind::kAccepted && kind != AnswerKind::kStatusWord) return false;
  return asking < 0 || ScanReplyAddress(reply) == asking;
}

std::optional<std::int32_t> LateAnswerFrom(std::int32_t asking, std::string_view noise,
                                           const std::vector<std::int32_t>& scanned) {
  const std::int32_t from = ScanReplyAddress(noise);
  if (from < 0 || from == asking ||
      std::find(scanned.begin(), scanned.end(), from) == scanned.end()) {
    return std::nullopt;
  }
  return from;
}

UnitScan::UnitScan(std::vector<std::int32_t> addresses) : addresses_(std::move(addresses)) {}

std::string UnitScan::NextFrame() {
  inSlot_ = false;
  if (next_ >= addresses_.size()) return {};
  // RS-232C (address -1): the one unit is asked without an address.
  const std::int32_t address = addresses_[next_];
  earlier_ = echoPossible_ ? frame_ : std::string();
  frame_ = (address < 0 ? std::string() : AddressPrefix(address)) + std::string(ScanQuery());
  ++next_;
  inSlot_ = true;
  answered_ = false;
  echoPossible_ = true;
  return frame_;
}

void UnitScan::EndSlot() { inSlot_ = false; }

void UnitScan::Line(const ReceivedLine& line) {
  const std::string_view bytes =
      line.overlong ? std::string_view("(a line longer than 599 bytes)") : line.text;
  if (!earlier_.empty() && !line.overlong && line.text == earlier_) {
    earlier_.clear();
    ++echoes_;
    return;
  }
  // The line's echo of the query comes first, byte for byte (or just after
  // the slot's end, late).
  if (echoPossible_ && !line.overlong && line.text == frame_) {
    echoPossible_ = false;
    ++echoes_;
    return;
  }
  if (!inSlot_) {
    AddNoise(bytes, true);
    return;
  }
  echoPossible_ = false;
  const std::int32_t asking = addresses_[next_ - 1];
  if (!answered_) {
    answered_ = true;
    SettingsModel::Link link;
    link.mode = kLinkRs485;
    link.slaveAddress = asking;
    const AnswerCheck check = CheckAnswer(link, ReplyLeadOfQuery(ScanQuery()), line);
    if (!line.overlong && CountsAsUnit(asking, check.kind, line.text)) {
      units_.push_back(Unit{asking, check.kind == AnswerKind::kStatusWord ? check.unitStatus : 0});
      return;
    }
  }
  AddNoise(bytes, false);
}

void UnitScan::AddNoise(std::string_view bytes, bool before) {
  // Before the first query, or between slots: the address about to be asked.
  std::int32_t asking = -1;
  if (!addresses_.empty()) {
    asking = before ? addresses_[std::min(next_, addresses_.size() - 1)] : addresses_[next_ - 1];
  }
  ++noiseCount_;
  if (const auto from = LateAnswerFrom(asking, bytes, addresses_);
      from && std::find(late_.begin(), late_.end(), *from) == late_.end()) {
    late_.push_back(*from);
  }
  if (noise_.size() < kKeptNoise) {
    noise_.push_back(Noise{asking, before, std::string(bytes.substr(0, kKeptBytes))});
  }
}

}  // namespace korvex7
