#include "core/link/reply_dispatcher.h"

#include <cstdint>

#include "core/link/reply_decoders.h"

namespace korvex7 {

namespace {

using FieldOf = std::int32_t& (*)(SettingsModel&);
using Decoder = bool (*)(SettingsModel&, std::string_view);

// One reply keyword. A single-character reply names its field and its codes
// (the code of value 0 first, then 1, ...); the code stands right after the
// keyword and CR LF right after the code. Any other reply names its decoder.
struct ReplyKeyword {
  std::string_view keyword;
  std::string_view codes;
  FieldOf field;
  Decoder decode;
};

constexpr ReplyKeyword Single(std::string_view keyword, std::string_view codes, FieldOf field) {
  return ReplyKeyword{keyword, codes, field, nullptr};
}

constexpr ReplyKeyword Decoded(std::string_view keyword, Decoder decode) {
  return ReplyKeyword{keyword, {}, nullptr, decode};
}

// ON/OFF codes: "F" is 0, "N" is 1.
constexpr std::string_view kOffOn = "FN";

template <int Layout>
bool DecodeSplit(SettingsModel& m, std::string_view line) {
  return DecodeSplitLayout(m, line, Layout);
}

// The order decides: the first keyword that begins the line is taken.
constexpr ReplyKeyword kKeywords[] = {
    Single("AM", "IE", [](SettingsModel& m) -> std::int32_t& { return m.alarm.mode; }),
    Single("AP", "MB", [](SettingsModel& m) -> std::int32_t& { return m.alarm.inputPolarity; }),
    Decoded("ADT", DecodeAlarmHoldTime),
    Single("ARO", kOffOn, [](SettingsModel& m) -> std::int32_t& { return m.alarm.returnOn; }),
    Single("ADO", kOffOn, [](SettingsModel& m) -> std::int32_t& { return m.alarm.display; }),
    Single("VLDO", kOffOn, [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.display; }),
    Single("VLSOO", kOffOn,
           [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.signalOutput; }),
    Single("VLBC", "NB", [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.background; }),
    Decoded("VL", DecodeVideoLossDetect),
    Single("TSDR", "12345678",
           [](SettingsModel& m) -> std::int32_t& { return m.dateTime.displayRange; }),
    Single("TSDO", kOffOn, [](SettingsModel& m) -> std::int32_t& { return m.dateTime.display; }),
    Single("CTDSO", kOffOn,
           [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.single; }),
    Single("CTDDO", kOffOn, [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.split; }),
    Single("CTFSS", "SL", [](SettingsModel& m) -> std::int32_t& { return m.fontSize.single; }),
    Single("CTFSD", "SL", [](SettingsModel& m) -> std::int32_t& { return m.fontSize.split; }),
    Decoded("CJ", DecodeTitle),
    Decoded("CASTM", DecodeDwellTimes),
    Single("CASM", "SDM", [](SettingsModel& m) -> std::int32_t& { return m.autoSwitch.mode; }),
    Decoded("VAB", DecodeBrightness),
    Decoded("VAC", DecodeContrast),
    Decoded("VASH", DecodeSharpness),
    Decoded("VASA", DecodeSaturation),
    Decoded("VAH", DecodeHue),
    Decoded("AGC", DecodeAgc),
    Decoded("VF", DecodeVideoFormat),
    Decoded("OOV", DecodeTitleOffsetVertical),
    Decoded("OOH", DecodeTitleOffsetHorizontal),
    Decoded("SPD4A", DecodeSplit<kLayoutQuadA>),
    Decoded("SPD4B", DecodeSplit<kLayoutQuadB>),
    Decoded("SPD4C", DecodeSplit<kLayoutQuadC>),
    Decoded("SPD4D", DecodeSplit<kLayoutQuadD>),
    Decoded("SPD9A", DecodeSplit<kLayoutNineA>),
    Decoded("SPD9B", DecodeSplit<kLayoutNineB>),
    Decoded("SPD13A", DecodeSplit<kLayoutThirteenA>),
    Decoded("SPD13B", DecodeSplit<kLayoutThirteenB>),
    Decoded("SPD16", DecodeSplit<kLayoutSixteen>),
    Single("CI", "AR", [](SettingsModel& m) -> std::int32_t& { return m.other.connectorInput; }),
    Single("BL", "OWGB", [](SettingsModel& m) -> std::int32_t& { return m.other.borderLine; }),
    Decoded("POS", DecodePowerOnScreen),
    Single("NAR", "4F", [](SettingsModel& m) -> std::int32_t& { return m.other.ntscAspect; }),
};

bool DecodeSingleCharacter(const ReplyKeyword& k, SettingsModel& model, std::string_view line) {
  const std::size_t at = k.keyword.size();
  if (line.size() < at + 3 || line[at + 1] != '\r' || line[at + 2] != '\n') return false;
  const std::size_t value = k.codes.find(line[at]);
  if (value == std::string_view::npos) return false;
  k.field(model) = static_cast<std::int32_t>(value);
  return true;
}

}  // namespace

bool DecodeReply(SettingsModel& model, std::string_view line) {
  for (const ReplyKeyword& k : kKeywords) {
    if (!line.starts_with(k.keyword)) continue;
    if (k.decode != nullptr) return k.decode(model, line);
    return DecodeSingleCharacter(k, model, line);
  }
  return false;
}

std::string_view MatchedReplyKeyword(std::string_view line) {
  for (const ReplyKeyword& k : kKeywords) {
    if (line.starts_with(k.keyword)) return k.keyword;
  }
  return {};
}

void AcknowledgeDataReply(ReplyWait& w) {
  if (w.unitStatus != kStatusNone || w.ackPending != 1) return;
  if (w.transferMode == kTransferSingle) {
    w.outcome = kOutcomeSingleAcknowledged;
  } else if (w.transferMode == kTransferRunLastStep) {
    w.outcome = kOutcomeRunComplete;
  }
}

void ReplyDispatcher(Session& session, std::string_view line) {
  if (!DecodeReply(session.model, line)) {
    session.replyWait.unitStatus = kStatusCommandError;
    return;
  }
  AcknowledgeDataReply(session.replyWait);
}

}  // namespace korvex7
