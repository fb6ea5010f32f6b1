#include "win/dialogs/about_dialog.h"

#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void RunAboutDialog(const DialogContext& context) {
  DialogBoxParamW(context.instance, MAKEINTRESOURCEW(IDD_ABOUT), context.owner, AboutProc, 0);
}

}  // namespace korvex7::win
