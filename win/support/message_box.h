// Message boxes: the one place where the program's messages reach the screen.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/link/status_messages.h"

namespace korvex7::win {

// MessageBoxW with UTF-16 text and caption; returns its result (0 on failure).
int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT style);

// A message decided by the core (UTF-8 text and caption): beeps first when it
// asks to, then shows it task-modal, without owner, with its icon.
int ShowStatusMessage(const StatusMessage& message);

// The Win32 style bits for a core message: MB_OK | MB_TASKMODAL | icon.
UINT StatusMessageStyle(const StatusMessage& message);

}  // namespace korvex7::win
