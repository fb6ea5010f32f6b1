#include "win/support/message_box.h"

#include <string>

#include "win/support/text.h"

namespace korvex7::win {

int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style) {
  const std::wstring t(text);
  const std::wstring c(caption);
  return MessageBoxW(owner, t.c_str(), c.c_str(), style);
}

UINT StatusMessageStyle(const StatusMessage& message) {
  UINT style = MB_OK | MB_TASKMODAL;
  switch (message.icon) {
    case MessageIcon::kError:
      style |= MB_ICONERROR;
      break;
    case MessageIcon::kWarning:
      style |= MB_ICONWARNING;
      break;
    case MessageIcon::kNone:
      break;
  }
  return style;
}

int ShowStatusMessage(const StatusMessage& message) {
  if (message.beep == MessageBeep::kQuestion) ::MessageBeep(MB_ICONQUESTION);
  return ShowMessage(nullptr, Utf8ToWide(message.text), Utf8ToWide(message.caption),
                     StatusMessageStyle(message));
}

}  // namespace korvex7::win
