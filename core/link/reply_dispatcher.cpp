#include "core/link/reply_dispatcher.h"

#include <cstdint>
#include <span>

#include "core/link/reply_decoders.h"
#include "core/link/reply_decoders_parse.h"
#include "core/model/value_domains.h"

namespace korvex7 {

namespace {

using FieldOf = std::int32_t& (*)(SettingsModel&);
using Decoder = bool (*)(SettingsModel&, std::string_view);

// One reply keyword. A reply of one choice names its field and its choice
// list; the choice's code stands right after the keyword and CR LF right after
// the code. Any other reply names its decoder.
struct ReplyKeyword {
  std::string_view keyword;
  std::span<const Choice> codes;
  FieldOf field;
  Decoder decode;
};

constexpr ReplyKeyword Single(std::string_view keyword, std::span<const Choice> codes,
                              FieldOf field) {
  return ReplyKeyword{keyword, codes, field, nullptr};
}

constexpr ReplyKeyword Decoded(std::string_view keyword, Decoder decode) {
  return ReplyKeyword{keyword, {}, nullptr, decode};
}

template <int Layout>
bool DecodeSplit(SettingsModel& m, std::string_view line) {
  return DecodeSplitLayout(m, line, Layout);
}

// The order decides: the first keyword that begins the line is taken.
constexpr ReplyKeyword kKeywords[] = {
    Single("AM", kAlarmModeChoices, [](SettingsModel& m) -> std::int32_t& { return m.alarm.mode; }),
    Single("AP", kAlarmPolarityChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.alarm.inputPolarity; }),
    Decoded("ADT", DecodeAlarmHoldTime),
    Single("ARO", kOffOnChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.alarm.returnOn; }),
    Single("ADO", kOffOnChoices, [](SettingsModel& m) -> std::int32_t& { return m.alarm.display; }),
    Single("VLDO", kOffOnChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.display; }),
    Single("VLSOO", kOffOnChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.signalOutput; }),
    Single("VLBC", kVideoLossBackgroundChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.videoLoss.background; }),
    Decoded("VL", DecodeVideoLossDetect),
    Single("TSDR", kDisplayRangeChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.dateTime.displayRange; }),
    Single("TSDO", kOffOnChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.dateTime.display; }),
    Single("CTDSO", kOffOnChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.single; }),
    Single("CTDDO", kOffOnChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.split; }),
    Single("CTFSS", kFontSizeChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.fontSize.single; }),
    Single("CTFSD", kFontSizeChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.fontSize.split; }),
    Decoded("CJ", DecodeTitle),
    Decoded("CASTM", DecodeDwellTimes),
    Single("CASM", kAutoSwitchModeChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.autoSwitch.mode; }),
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
    Single("CI", kConnectorInputChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.other.connectorInput; }),
    Single("BL", kBorderLineChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.other.borderLine; }),
    Decoded("POS", DecodePowerOnScreen),
    Single("NAR", kNtscAspectChoices,
           [](SettingsModel& m) -> std::int32_t& { return m.other.ntscAspect; }),
};

bool DecodeChoice(const ReplyKeyword& k, SettingsModel& model, std::string_view line) {
  const std::size_t at = k.keyword.size();
  for (std::size_t i = 0; i < k.codes.size(); ++i) {
    const std::string_view code = k.codes[i].code;
    if (line.substr(at, code.size()) != code || !reply_parse::CrLfAt(line, at + code.size())) {
      continue;
    }
    k.field(model) = static_cast<std::int32_t>(i);
    return true;
  }
  return false;
}

}  // namespace

bool DecodeReply(SettingsModel& model, std::string_view line) {
  for (const ReplyKeyword& k : kKeywords) {
    if (!line.starts_with(k.keyword)) continue;
    if (k.decode != nullptr) return k.decode(model, line);
    return DecodeChoice(k, model, line);
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
