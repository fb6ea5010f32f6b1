// The steps on the program, its windows and its message boxes.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>

#include "win/tools/e2e_driver/driver.h"
#include "win/tools/e2e_driver/remote_controls.h"
#include "win/tools/e2e_driver/step_handlers.h"
#include "win/tools/e2e_driver/text_io.h"
#include "win/tools/e2e_driver/window_search.h"

namespace korvex7::e2e {

namespace {

void PrintRect(HWND hwnd) {
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) Fail(L"no window rectangle");
  Write(STD_OUTPUT_HANDLE, std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                               std::to_wstring(r.right - r.left) + L" " +
                               std::to_wstring(r.bottom - r.top) + L"\n");
}

// The text and caption of a message box as a failure names them.
std::wstring DescribeBox(const std::wstring& text, const std::wstring& caption) {
  return L"\"" + Escape(text) + L"\" / \"" + caption + L"\"";
}

// Waits for a message box with this text and caption. A box that is being
// dismissed may still be listed for a moment (with its text already gone),
// so boxes that do not match are passed over until the time is up.
void ExpectBox(Driver& d, bool anyProcess) {
  const std::wstring text = d.TakeText();
  const std::wstring caption = d.TakeText();
  const DWORD ms = d.TakeMs();
  DialogQuery query;
  query.pid = anyProcess ? 0 : d.ProgramId();
  query.messageBoxOnly = true;
  std::wstring seen;
  HWND match = nullptr;
  WaitFor(ms, [&] {
    for (HWND box : FindDialogs(query)) {
      const std::wstring gotText = WindowText(GetDlgItem(box, kMessageBoxTextId));
      const std::wstring gotCaption = WindowText(box);
      if (gotText == text && gotCaption == caption) {
        match = box;
        return true;
      }
      if (!gotText.empty()) seen = DescribeBox(gotText, gotCaption);
    }
    return false;
  });
  if (match == nullptr) {
    Fail(L"no message box " + DescribeBox(text, caption) + L" within " + std::to_wstring(ms) +
         L" ms" + (seen.empty() ? L"" : L"; shown: " + seen));
  }
  d.SetCurrent(match);
}

// dialog and no-dialog: waits up to MS for a dialog of the program whose
// caption starts with CAPTION.
struct CaptionWait {
  std::wstring caption;
  DWORD ms = 0;
  HWND found = nullptr;
};

CaptionWait WaitForCaption(Driver& d) {
  CaptionWait w;
  DialogQuery query;
  query.pid = d.ProgramId();
  query.captionPrefix = w.caption = d.TakeText();
  w.ms = d.TakeMs();
  WaitFor(w.ms, [&] { return (w.found = FindDialog(query)) != nullptr; });
  return w;
}

}  // namespace

void FindMainWindow(Driver& d) { d.FindMain(d.TakeMs()); }

void PostMenuCommand(Driver& d) {
  const int id = d.TakeInt();
  if (!PostMessageW(d.Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0)) Fail(L"cannot post the command");
}

void WaitForDialog(Driver& d) {
  const CaptionWait w = WaitForCaption(d);
  if (w.found == nullptr) {
    Fail(L"no dialog \"" + w.caption + L"\" within " + std::to_wstring(w.ms) + L" ms");
  }
  d.SetCurrent(w.found);
}

void ExpectNoDialog(Driver& d) {
  if (const CaptionWait w = WaitForCaption(d); w.found != nullptr) {
    Fail(L"unexpected dialog \"" + WindowText(w.found) + L"\"");
  }
}

void ExpectCaption(Driver& d) {
  const std::wstring want = d.TakeText();
  const std::wstring got = WindowText(d.Current());
  if (got != want) Fail(L"caption \"" + got + L"\", expected \"" + want + L"\"");
}

void PostClose(Driver& d) {
  if (!PostMessageW(d.Current(), WM_CLOSE, 0, 0)) Fail(L"cannot post WM_CLOSE");
}

void SendClose(Driver& d) {
  DWORD_PTR r = 0;
  if (!SendWithTimeout(d.Current(), WM_CLOSE, 0, 0, r)) {
    Fail(L"the window did not handle WM_CLOSE");
  }
}

// Runs the step that follows again until it passes or the time is up; the
// failure of its last try is the step's.
void RetryWithin(Driver& d) {
  const DWORD ms = d.TakeMs();
  const std::size_t start = d.Position();
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    d.Rewind(start);
    try {
      d.RunStep();
      return;
    } catch (const Failure&) {
      if (GetTickCount64() >= end) throw;
    }
    Sleep(kPollMs);
  }
}

void WaitUntilGone(Driver& d) {
  const DWORD ms = d.TakeMs();
  HWND w = d.CurrentOrNull();
  if (!WaitFor(ms, [&] { return w == nullptr || !IsWindow(w) || !IsWindowVisible(w); })) {
    Fail(L"\"" + WindowText(w) + L"\" still open after " + std::to_wstring(ms) + L" ms");
  }
  d.SetCurrent(nullptr);
}

void WaitForBox(Driver& d) { ExpectBox(d, false); }

void WaitForBoxOfAnyProcess(Driver& d) { ExpectBox(d, true); }

void ExpectNoBox(Driver& d) {
  const DWORD ms = d.TakeMs();
  DialogQuery query;
  query.pid = d.ProgramId();
  query.messageBoxOnly = true;
  HWND box = nullptr;
  if (WaitFor(ms, [&] { return (box = FindDialog(query)) != nullptr; })) {
    Fail(L"unexpected message box " +
         DescribeBox(WindowText(GetDlgItem(box, kMessageBoxTextId)), WindowText(box)));
  }
}

void ExpectStatus(Driver& d) {
  const int part = d.TakeInt();
  const std::wstring want = d.TakeText();
  const std::wstring got = d.StatusText(part);
  if (got != want) {
    Fail(L"status part " + std::to_wstring(part) + L" \"" + got + L"\", expected \"" + want +
         L"\"");
  }
}

void PrintStatus(Driver& d) { Write(STD_OUTPUT_HANDLE, d.StatusText(d.TakeInt()) + L"\n"); }

void PrintCurrentRect(Driver& d) { PrintRect(d.Current()); }

void PrintMainRect(Driver& d) { PrintRect(d.Main()); }

void PrintControlRect(Driver& d) { PrintRect(d.Control(d.TakeInt())); }

void ExpectExited(Driver& d) {
  const DWORD ms = d.TakeMs();
  const DWORD r = WaitForSingleObject(d.Program(), ms);
  DWORD code = 0;
  const bool haveCode = GetExitCodeProcess(d.Program(), &code) != 0;
  if (r != WAIT_OBJECT_0) {
    Fail(L"the program is still running after " + std::to_wstring(ms) + L" ms");
  }
  if (const auto want = d.TakeOptionalInt()) {
    if (!haveCode) Fail(L"no exit code");
    if (static_cast<int>(code) != *want) {
      Fail(L"exit code " + std::to_wstring(code) + L", expected " + std::to_wstring(*want));
    }
  }
}

void ExpectAlive(Driver& d) {
  if (WaitForSingleObject(d.Program(), 0) != WAIT_TIMEOUT) Fail(L"the program has ended");
}

void SleepFor(Driver& d) { Sleep(d.TakeMs()); }

// Presses and releases the left mouse button over the middle of the button
// (its rectangle read through the program's process).
void ClickToolbarButton(Driver& d) {
  const int command = d.TakeInt();
  HWND bar = FindWindowExW(d.Main(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  if (bar == nullptr) Fail(L"no toolbar");
  RECT rect{};
  if (!RemoteToolbarButtonRect(bar, command, rect)) {
    Fail(L"no toolbar button for command " + std::to_wstring(command));
  }
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  if (!PostMessageW(bar, WM_MOUSEMOVE, 0, at) ||
      !PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at) ||
      !PostMessageW(bar, WM_LBUTTONUP, 0, at)) {
    Fail(L"cannot post the click");
  }
}

void PostKey(Driver& d) {
  const auto vk = static_cast<WPARAM>(d.TakeInt());
  HWND target = d.Current();
  if (!PostMessageW(target, WM_KEYDOWN, vk, 1) || !PostMessageW(target, WM_KEYUP, vk, 0xC0000001)) {
    Fail(L"cannot post the key");
  }
}

}  // namespace korvex7::e2e
