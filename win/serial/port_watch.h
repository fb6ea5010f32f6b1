// What the program does about its port, apart from the Win32 calls that
// carry it out (win/shell/port_status.cpp):
//
//   - An open the operator asks for (start-up, "OK" in 通信の設定) shows the
//     message of each step that failed, as ever. A port that then does not
//     answer (absent, or a pseudo-terminal whose other end is gone) is
//     closed and tried again.
//   - A port that stops answering (the receive thread's report, checked by
//     asking the port once more; Windows' notice that the device was
//     removed) is noticed once: the status bar names the port as lost, the
//     handle is closed and the port is tried again.
//   - Tried again means: silently, when Windows announces a port (device
//     arrival, devices changed) and every kPortRetryMs, until it opens with
//     every step succeeding. Only then does it count as back.
//
// Meanwhile commands go nowhere and end in "No Connect", as with any silent
// line: no message box of its own, never one per attempt.
#pragma once

#include <string>
#include <string_view>

namespace korvex7::win {

inline constexpr unsigned kPortRetryMs = 2000;

enum class PortState { kOpen, kAbsent, kLost };

// What the first part of the status bar says about the port.
enum class PortNotice {
  kNone,    // unchanged
  kReady,   // the port works: "ﾚﾃﾞｨ"
  kAbsent,  // did not open: "COM7 を開けません。接続を待っています"
  kLost,    // went away: "COM7 との接続が切れました。再接続を待っています"
  kBack,    // opened again by itself: "COM7 に再接続しました"
};

struct PortDecision {
  bool close = false;  // close the handle now
  bool retry = false;  // keep trying again (the retry timer runs), or stop
  PortNotice notice = PortNotice::kNone;

  friend bool operator==(const PortDecision&, const PortDecision&) = default;
};

class PortWatch {
 public:
  PortState state() const { return state_; }

  // The operator's open has run; `usable`: the port opened and answers.
  PortDecision AfterOperatorOpen(bool usable);

  // The open port stopped answering. Nothing changes unless it was open.
  PortDecision AfterFailure();

  // Whether a silent attempt to open is wanted (the port is not open).
  bool WantsAttempt() const { return state_ != PortState::kOpen; }

  // A silent attempt has run; `clean`: every step of the open succeeded.
  PortDecision AfterAttempt(bool clean);

 private:
  PortState state_ = PortState::kAbsent;
};

// The status text of a notice about `port`; empty for kNone and for kReady
// (the shell's own "ﾚﾃﾞｨ").
std::wstring PortNoticeText(PortNotice notice, std::wstring_view port);

// The text the status bar returns to when nothing else is shown: the notice
// of an absent or lost port; empty while the port works ("ﾚﾃﾞｨ" then).
std::wstring IdleStatusText(PortState state, std::wstring_view port);

}  // namespace korvex7::win
