#include "tools/sim/sim_unit.h"

namespace korvex7::sim {

namespace {

constexpr std::string_view kStatusWords[] = {"MENU", "ALARM", "LOCK", "GN", "E0", "E1", "E2", "E3"};

bool IsBareLineEnd(std::string_view frame) { return frame == "\r\n" || frame == "\n"; }

}  // namespace

bool IsStatusWord(std::string_view word) {
  for (std::string_view w : kStatusWords) {
    if (w == word) return true;
  }
  return false;
}

SimUnit::SimUnit(std::optional<int> address) : address_(address) {}

bool SimUnit::SetForcedStatus(std::optional<std::string> word) {
  if (word && !IsStatusWord(*word)) return false;
  forcedStatus_ = std::move(word);
  return true;
}

std::string SimUnit::AddressPrefix() const {
  if (!address_) return {};
  const int a = *address_;
  return {static_cast<char>('0' + a / 10 % 10), static_cast<char>('0' + a % 10)};
}

FrameResult SimUnit::HandleFrame(std::string_view frame) {
  FrameResult result;
  if (IsBareLineEnd(frame)) return result;  // kEmpty

  std::string_view command = frame;
  bool broadcast = false;
  if (address_) {
    const std::string own = AddressPrefix();
    if (frame.substr(0, 2) == own) {
      command.remove_prefix(2);
    } else if (frame.substr(0, 2) == kBroadcastPrefix) {
      command.remove_prefix(2);
      broadcast = true;
    } else {
      result.disposition = FrameDisposition::kOtherUnit;
      return result;
    }
  }

  std::string answer;
  if (forcedStatus_) {
    answer = *forcedStatus_ + "\r\n";
  } else {
    const SettingsModel before = state_.settings;
    answer = AnswerCommand(state_, command);
    result.accepted = answer != "E3\r\n";
    result.settingsChanged = result.accepted && !SavedFieldsEqual(before, state_.settings);
  }

  if (broadcast) {
    result.disposition = FrameDisposition::kBroadcast;
  } else if (silent_) {
    result.disposition = FrameDisposition::kSilent;
  } else {
    result.disposition = FrameDisposition::kAnswered;
    result.answer = AddressPrefix() + answer;
  }
  return result;
}

}  // namespace korvex7::sim
