// KORVEX7: entry point of the Windows program.
#include <windows.h>

#include "core/model/settings_model.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  korvex7::SettingsModel model;
  (void)model;
  MessageBoxW(nullptr, L"KORVEX7", L"KORVEX7", MB_OK);
  return 0;
}
