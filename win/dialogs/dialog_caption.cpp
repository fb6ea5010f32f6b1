#include "win/dialogs/dialog_caption.h"

#include "win/shell/app.h"
#include "win/support/text.h"

namespace korvex7::win {

std::wstring CaptionWithFileName(std::wstring_view featureCaption, std::string_view fileNameUtf8) {
  std::wstring caption(featureCaption);
  caption += Utf8ToWide(fileNameUtf8);
  return caption;
}

void SetDialogCaption(HWND dialog, std::wstring_view featureCaption) {
  const std::wstring caption =
      CaptionWithFileName(featureCaption, TheApp().session.model.document.fileName);
  SetWindowTextW(dialog, caption.c_str());
}

}  // namespace korvex7::win
