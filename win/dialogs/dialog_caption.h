// Dialog captions carry the open settings file: the feature caption (which
// ends in two blanks) followed by document.fileName, or the caption alone
// when the document is untitled.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvex7::win {

std::wstring CaptionWithFileName(std::wstring_view featureCaption, std::string_view fileNameUtf8);

// Sets the caption of a dialog: the feature caption and the document's file
// name (UTF-8, empty when untitled).
void SetDialogCaption(HWND dialog, std::wstring_view featureCaption, std::string_view fileNameUtf8);

}  // namespace korvex7::win
