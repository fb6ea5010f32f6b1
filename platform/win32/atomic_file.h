// The Win32 side of platform/atomic_file.h, for callers that pace the
// attempts themselves (the tests) and for the names it leaves behind.
//
// Antivirus scanners, the search indexer and sync clients open a file for a
// moment right after it was written. A save that meets such a hold (a
// sharing or lock violation) tries the replacement again after a pause of
// 50, 100, 200, 400 and 800 ms, 1.55 s in all, before it gives up.
//
// The new file is "KORVEX7-save-<pid>-<n>.tmp" in the target's folder,
// created with no sharing. One that a killed save left behind (its process
// is gone) is removed by the next save in that folder; one of a running
// process is left alone, as is one still open.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/atomic_file.h"

namespace korvex7::win32 {

// The pause in milliseconds before the next attempt after `failures` failed
// ones (1, 2, ...); 0 when no attempt is left.
DWORD HeldFileRetryPauseMs(int failures);

// True for the errors of a file that another program holds for a moment.
bool IsBriefHoldError(DWORD error);

// The process id in a new file's name ("KORVEX7-save-<pid>-<n>.tmp"); 0
// when the name is not of that form.
DWORD SaveFileOwner(std::wstring_view name);

// Waits `ms` milliseconds before another attempt.
using RetryPause = std::function<void(DWORD ms)>;

// ReplaceFileAtomically with the pauses made by `pause` (Sleep for the
// program and the tool).
platform::FileReplaceResult ReplaceFileAtomically(const std::filesystem::path& target,
                                                  std::string_view bytes, const RetryPause& pause);

}  // namespace korvex7::win32
