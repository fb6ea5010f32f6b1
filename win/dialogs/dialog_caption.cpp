#include "win/dialogs/dialog_caption.h"

#include "win/support/text.h"

namespace korvex7::win {

std::wstring CaptionWithFileName(std::wstring_view featureCaption, std::string_view fileNameUtf8) {
  std::wstring caption(featureCaption);
  caption += Utf8ToWide(fileNameUtf8);
  return caption;
}

void SetDialogCaption(HWND dialog, std::wstring_view featureCaption,
                      std::string_view fileNameUtf8) {
  const std::wstring caption = CaptionWithFileName(featureCaption, fileNameUtf8);
  SetWindowTextW(dialog, caption.c_str());
}

}  // namespace korvex7::win
