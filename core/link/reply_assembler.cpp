#include "core/link/reply_assembler.h"

#include <iterator>

#include "core/link/reply_dispatcher.h"

namespace korvex7 {

namespace {

// The status words in the order of their codes 1..8.
constexpr std::string_view kStatusWords[] = {
    "MENU\r\n", "ALARM\r\n", "LOCK\r\n", "GN\r\n", "E0\r\n", "E1\r\n", "E2\r\n", "E3\r\n",
};

constexpr std::string_view kGo = "GO\r\n";

}  // namespace

// Replies carry the address as two decimal digits, so Broadcast (32) is
// looked for as "32".
std::string_view WithoutOwnAddress(const SettingsModel::Link& link, std::string_view line) {
  if (link.mode != kLinkRs485) return line;
  const int address = link.slaveAddress;
  if (address < 0 || address > 99) return line;
  const char digits[2] = {static_cast<char>('0' + address / 10),
                          static_cast<char>('0' + address % 10)};
  if (line.starts_with(std::string_view(digits, 2))) line.remove_prefix(2);
  return line;
}

int StatusWordCode(std::string_view line) {
  for (int i = 0; i < static_cast<int>(std::size(kStatusWords)); ++i) {
    if (line == kStatusWords[i]) return kStatusMenu + i;
  }
  return kStatusNone;
}

void ReplyAssembler(Session& session, std::string_view line) {
  ReplyWait& w = session.replyWait;
  w.waitTicks = 0;

  const std::string_view work = WithoutOwnAddress(session.model.link, line);
  if (const int status = StatusWordCode(work); status != kStatusNone) {
    w.unitStatus = status;
  } else if (work == kGo && w.ackPending == 1) {
    w.unitStatus = kStatusNone;
    if (w.transferMode == kTransferSingle) {
      w.outcome = kOutcomeSingleAcknowledged;
    } else if (w.transferMode == kTransferRunLastStep) {
      w.outcome = kOutcomeRunComplete;
    }
  } else {
    ReplyDispatcher(session, work);
  }

  w.ackPending = 0;
}

void RejectOverlongLine(Session& session) {
  ReplyWait& w = session.replyWait;
  w.waitTicks = 0;
  w.unitStatus = kStatusCommandError;
  w.ackPending = 0;
}

bool TakeEcho(Session& session, const ReceivedLine& line) {
  SentFrame& sent = session.sent;
  if (!sent.earlier.empty() && !line.overlong && line.text == sent.earlier) {
    sent.earlier.clear();
    ++sent.echoes;
    return true;
  }
  const bool echo = sent.echoPossible && !line.overlong && line.text == sent.bytes;
  sent.echoPossible = false;
  if (echo) ++sent.echoes;
  return echo;
}

bool HandleReceivedLine(Session& session, const ReceivedLine& line) {
  if (TakeEcho(session, line)) return false;
  if (line.overlong) {
    RejectOverlongLine(session);
  } else {
    ReplyAssembler(session, line.text);
  }
  return true;
}

}  // namespace korvex7
