#include "core/link/send_command.h"

namespace korvex7 {

std::string AddressPrefix(std::int32_t slaveAddress) {
  if (slaveAddress == kBroadcastAddress) return "FF";
  std::string p(2, '0');
  p[0] = static_cast<char>('0' + (slaveAddress / 10) % 10);
  p[1] = static_cast<char>('0' + slaveAddress % 10);
  return p;
}

std::string BuildFrame(const SettingsModel::Link& link, std::string_view command) {
  if (link.mode != kLinkRs485) return std::string(command);
  std::string frame = AddressPrefix(link.slaveAddress);
  frame += command;
  return frame;
}

void SendCommand(Session& session, std::string_view command) {
  ReplyWait& w = session.replyWait;
  if (command.size() > kMaxCommandLength || command.find('\0') != std::string_view::npos) {
    w.unitStatus = kStatusCommandError;
    return;
  }
  w.waitTicks = 1;
  w.ackPending = 1;
  const SettingsModel::Link& link = session.model.link;
  if (link.mode == kLinkRs485 && link.slaveAddress == kBroadcastAddress) {
    // No unit answers a broadcast: the wait is settled at once.
    w.ackPending = 0;
    w.waitTicks = 0;
    w.unitStatus = kStatusNone;
    if (w.transferMode == kTransferSingle) {
      w.outcome = kOutcomeNone;
    } else if (w.transferMode == kTransferRunLastStep) {
      w.outcome = kOutcomeRunComplete;
    }
  }
  // Remembered even when there is no port: a line that returns it, before
  // anything else, is the line's echo and not the unit's answer.
  session.sent.bytes = BuildFrame(link, command);
  session.sent.echoPossible = true;
  if (session.port != nullptr) session.port->Write(session.sent.bytes);
}

void SendCommandCopy(Session& session, std::string_view command) {
  if (command.size() > kMaxCopiedCommandLength) {
    session.replyWait.unitStatus = kStatusCommandError;
    return;
  }
  const std::string copy(command);
  SendCommand(session, copy);
}

bool SendEncoded(Session& session, const Encoded& encoded) {
  if (!encoded.ok()) {
    session.replyWait.unitStatus = encoded.refusal;
    return false;
  }
  SendCommand(session, encoded.text);
  return true;
}

}  // namespace korvex7
