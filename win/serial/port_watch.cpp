#include "win/serial/port_watch.h"

#include "win/serial/device_server_link.h"

namespace korvex7::win {

PortDecision PortWatch::AfterOperatorOpen(bool usable) {
  if (usable) {
    state_ = PortState::kOpen;
    return {false, false, PortNotice::kReady};
  }
  state_ = PortState::kAbsent;
  return {true, true, PortNotice::kAbsent};
}

PortDecision PortWatch::AfterFailure() {
  if (state_ != PortState::kOpen) return {false, true, PortNotice::kNone};
  state_ = PortState::kLost;
  return {true, true, PortNotice::kLost};
}

PortDecision PortWatch::AfterAttempt(bool clean) {
  if (state_ == PortState::kOpen) return {false, false, PortNotice::kNone};
  if (!clean) return {true, true, PortNotice::kNone};
  state_ = PortState::kOpen;
  return {false, false, PortNotice::kBack};
}

std::wstring PortNoticeText(PortNotice notice, std::wstring_view port) {
  const std::wstring name(port);
  switch (notice) {
    case PortNotice::kNone:
    case PortNotice::kReady:
      break;
    case PortNotice::kAbsent:
      // A device server is connected to, not opened.
      return name + (IsDeviceServerName(port) ? L" に接続できません。接続を待っています"
                                              : L" を開けません。接続を待っています");
    case PortNotice::kLost:
      return name + L" との接続が切れました。再接続を待っています";
    case PortNotice::kBack:
      return name + L" に再接続しました";
  }
  return {};
}

std::wstring IdleStatusText(PortState state, std::wstring_view port) {
  switch (state) {
    case PortState::kOpen:
      break;
    case PortState::kAbsent:
      return PortNoticeText(PortNotice::kAbsent, port);
    case PortState::kLost:
      return PortNoticeText(PortNotice::kLost, port);
  }
  return {};
}

}  // namespace korvex7::win
