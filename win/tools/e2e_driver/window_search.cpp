#include "win/tools/e2e_driver/window_search.h"

#include <iterator>

namespace korvex7::e2e {

namespace {

struct Search {
  const DialogQuery& query;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  const DialogQuery& q = s->query;
  if (!IsWindowVisible(hwnd) || ClassOf(hwnd) != kDialogClass) return TRUE;
  if (q.pid != 0 && ProcessOf(hwnd) != q.pid) return TRUE;
  const bool box = IsMessageBox(hwnd);
  if (q.messageBoxOnly != box) return TRUE;
  if (!box) {
    const std::wstring caption = WindowText(hwnd);
    if (caption.compare(0, q.captionPrefix.size(), q.captionPrefix) != 0) return TRUE;
  }
  s->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

bool SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  result = 0;
  return SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result) != 0;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t buffer[1024] = {};
  DWORD_PTR result = 0;
  if (!SendWithTimeout(hwnd, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                       result)) {
    return {};
  }
  return std::wstring(buffer, static_cast<std::size_t>(result));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return std::wstring(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  if (GetWindowThreadProcessId(hwnd, &pid) == 0) return 0;
  return pid;
}

bool IsMessageBox(HWND hwnd) { return GetDlgItem(hwnd, kMessageBoxTextId) != nullptr; }

std::vector<HWND> FindDialogs(const DialogQuery& query) {
  Search s{query, {}};
  // EnumWindows reports failure only when the callback stops it, which this
  // one never does.
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindDialog(const DialogQuery& query) {
  const std::vector<HWND> found = FindDialogs(query);
  return found.empty() ? nullptr : found.back();
}

}  // namespace korvex7::e2e
