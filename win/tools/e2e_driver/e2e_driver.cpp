// korvex7-e2e-driver: drives a running KORVEX7.exe from another process, for
// the end-to-end tests under Wine (or on Windows).
//
// Usage: korvex7-e2e-driver STEP [ARG...] [STEP [ARG...]]...
//        korvex7-e2e-driver --serve
//
// With --serve the driver stays running and takes one request after another
// from standard input, so that a test pays the start of a Wine process once
// rather than for every request. A request is its number of arguments in
// decimal and a line feed, then each argument (UTF-8) followed by a NUL byte;
// the steps of a request run as they would from the command line, each
// request afresh (no current or main window carried over). The answer is what
// the steps printed, then one line "\x1e" CODE [" " REASON]: CODE 0 when every
// step passed, 1 with the reason of the step that failed. End of input ends
// the driver.
//
// Steps run in order; the first that fails prints "FAIL: <why>" on standard
// error and ends the driver with exit code 1. Texts are compared exactly; in
// expected texts "\n" stands for a line break. Times are in milliseconds.
//
//   main MS                    wait for the visible main window (class
//                              "KORVEX7"); its process is the one driven
//   menu ID                    post WM_COMMAND ID to the main window
//   dialog CAPTION MS          wait for a visible dialog of the program whose
//                              caption starts with CAPTION; it becomes current
//   no-dialog CAPTION MS       no such dialog appears within MS
//   caption TEXT               the current window's caption is TEXT
//   select ID INDEX            CB_SETCURSEL, then CBN_SELCHANGE to the dialog
//   selection ID INDEX         the list ID of the current dialog has INDEX
//                              selected (-1: none)
//   click ID                   post BM_CLICK to control ID of the current dialog
//                              (a message box: then wait until it has closed)
//   set-text ID TEXT           WM_SETTEXT to control ID of the current dialog
//   filename TEXT              type TEXT into a file dialog's name box
//   close                      post WM_CLOSE to the current window
//   send-close                 send WM_CLOSE to the current window: the step
//                              ends once the window has handled it
//   within MS STEP [ARG...]    run STEP again until it passes or MS have
//                              gone (for the effect of posted input, such
//                              as a click, on a control's state)
//   gone MS                    the current window has gone within MS
//   box TEXT CAPTION MS        wait for a message box of the program with
//                              this text and caption; it becomes current
//   box-any TEXT CAPTION MS    the same, from any process
//   no-box MS                  no message box of the program within MS
//   status PART TEXT           status-bar part PART shows TEXT
//   print-status PART          print the text of status-bar part PART
//   print-rect                 print "X Y W H" of the current window
//   print-main-rect            the same for the main window
//   exited MS [CODE]           the program's process has ended within MS
//                              (with exit code CODE when given)
//   alive                      the program's process is still running
//   sleep MS                   wait
//   text ID TEXT               control ID of the current window shows TEXT
//   wait-text ID TEXT MS       ... within MS
//   print-text ID              print the text of control ID
//   enabled ID 0|1             control ID is disabled (0) or enabled (1)
//   checked ID 0|1             button ID is unchecked (0) or checked (1)
//   items ID N                 the list ID holds N items
//   toolbar ID                 click the main window's toolbar button that
//                              sends command ID (mouse down and up on it)
//   visible ID 0|1             control ID is hidden (0) or shown (1)
//   items ID N                 list ID holds N items
//   texts-seen ID MS           watch control ID for MS and print each text
//                              it showed, in order, one per line (a text is
//                              printed again only after another one)
//   print-control-rect ID      print "X Y W H" of control ID in screen pixels
//   choose ID INDEX            as select, but waits until the dialog has
//                              handled the change (the notification is sent,
//                              not posted)
//   key VK                     post a key press (WM_KEYDOWN, WM_KEYUP) of the
//                              virtual key VK to the current window (27
//                              Escape, 13 Enter)
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainClass[] = L"KORVEX7";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 20;
constexpr UINT kSendTimeoutMs = 2000;

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

void Write(DWORD which, const std::wstring& text) {
  const std::string bytes = ToUtf8(text);
  DWORD written = 0;
  WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Expected texts from the command line: "\n" is a line break, "\\" a backslash.
std::wstring Unescape(const std::wstring& s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'\\' && i + 1 < s.size()) {
      if (s[i + 1] == L'n') {
        out += L'\n';
        ++i;
        continue;
      }
      if (s[i + 1] == L'\\') {
        out += L'\\';
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

std::wstring Escape(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s) {
    if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\r') {
      out += L"\\r";
    } else {
      out += c;
    }
  }
  return out;
}

struct Failure {
  std::wstring why;
};

[[noreturn]] void Fail(const std::wstring& why) { throw Failure{why}; }

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT is carried across processes; a hung window gives "".
  wchar_t buffer[1024] = {};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
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
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

struct Search {
  DWORD pid = 0;  // 0: any process
  std::wstring captionPrefix;
  bool messageBoxOnly = false;
  HWND found = nullptr;
  std::vector<HWND> all;  // every match, when collecting
};

bool IsMessageBox(HWND hwnd) { return GetDlgItem(hwnd, kMessageBoxTextId) != nullptr; }

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  if (!IsWindowVisible(hwnd) || ClassOf(hwnd) != kDialogClass) return TRUE;
  if (s->pid != 0 && ProcessOf(hwnd) != s->pid) return TRUE;
  if (s->messageBoxOnly && !IsMessageBox(hwnd)) return TRUE;
  if (!s->messageBoxOnly) {
    if (IsMessageBox(hwnd)) return TRUE;
    const std::wstring caption = WindowText(hwnd);
    if (caption.compare(0, s->captionPrefix.size(), s->captionPrefix) != 0) return TRUE;
  }
  s->found = hwnd;
  s->all.push_back(hwnd);
  return TRUE;
}

HWND FindDialog(Search s) {
  EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

template <typename F>
bool WaitFor(DWORD ms, F&& ready) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

int ToInt(const std::wstring& s) {
  wchar_t* end = nullptr;
  const long v = std::wcstol(s.c_str(), &end, 0);
  if (end == s.c_str() || *end != L'\0') Fail(L"not a number: " + s);
  return static_cast<int>(v);
}

class Driver {
 public:
  explicit Driver(std::vector<std::wstring> args) : args_(std::move(args)) {}
  ~Driver() {
    if (process_ != nullptr) CloseHandle(process_);
  }
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  void Run() {
    while (next_ < args_.size()) Step(Take());
  }

 private:
  std::wstring Take() {
    if (next_ >= args_.size()) Fail(L"missing argument");
    return args_[next_++];
  }

  HWND Current() {
    if (current_ == nullptr || !IsWindow(current_)) Fail(L"no current window");
    return current_;
  }

  HWND Control(int id) {
    HWND c = GetDlgItem(Current(), id);
    if (c == nullptr)
      Fail(L"no control " + std::to_wstring(id) + L" in \"" + WindowText(current_) + L"\"");
    return c;
  }

  HWND StatusBar() {
    if (main_ == nullptr) Fail(L"no main window");
    HWND bar = FindWindowExW(main_, nullptr, STATUSCLASSNAMEW, nullptr);
    if (bar == nullptr) Fail(L"no status bar");
    return bar;
  }

  std::wstring StatusText(int part) {
    HWND bar = StatusBar();
    // SB_GETTEXTW is not carried across processes; WM_GETTEXT gives part 0,
    // and for other parts the text is read through a shared buffer below.
    if (part == 0) return WindowText(bar);
    return RemoteStatusText(bar, part);
  }

  // Reads a status-bar part of another process through memory allocated in
  // that process.
  std::wstring RemoteStatusText(HWND bar, int part) {
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 ProcessOf(bar));
    if (process == nullptr) Fail(L"cannot open the program's process");
    constexpr SIZE_T kChars = 256;
    void* remote =
        VirtualAllocEx(process, nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
    std::wstring text;
    if (remote != nullptr) {
      DWORD_PTR result = 0;
      if (SendMessageTimeoutW(bar, SB_GETTEXTW, static_cast<WPARAM>(part),
                              reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                              &result)) {
        wchar_t local[kChars] = {};
        SIZE_T got = 0;
        if (ReadProcessMemory(process, remote, local, sizeof(local) - sizeof(wchar_t), &got)) {
          text = local;
        }
      }
      VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
  }

  void PrintRect(HWND hwnd) {
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) Fail(L"no window rectangle");
    Write(STD_OUTPUT_HANDLE, std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                                 std::to_wstring(r.right - r.left) + L" " +
                                 std::to_wstring(r.bottom - r.top) + L"\n");
  }

  // The program's process, opened when its main window was found, so that
  // its end can be seen even after it has gone.
  HANDLE Program() {
    if (process_ == nullptr) Fail(L"no program process");
    return process_;
  }

  // Waits for a message box with this text and caption. A box that is being
  // dismissed may still be listed for a moment (with its text already gone),
  // so boxes that do not match are passed over until the time is up.
  void ExpectBox(bool anyProcess) {
    const std::wstring text = Unescape(Take());
    const std::wstring caption = Unescape(Take());
    const DWORD ms = static_cast<DWORD>(ToInt(Take()));
    Search s;
    s.pid = anyProcess ? 0 : pid_;
    s.messageBoxOnly = true;
    std::wstring seen;
    HWND match = nullptr;
    WaitFor(ms, [&] {
      s.all.clear();
      EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&s));
      for (HWND box : s.all) {
        const std::wstring gotText = WindowText(GetDlgItem(box, kMessageBoxTextId));
        const std::wstring gotCaption = WindowText(box);
        if (gotText == text && gotCaption == caption) {
          match = box;
          return true;
        }
        if (!gotText.empty()) seen = L"\"" + Escape(gotText) + L"\" / \"" + gotCaption + L"\"";
      }
      return false;
    });
    if (match == nullptr) {
      Fail(L"no message box \"" + Escape(text) + L"\" / \"" + caption + L"\" within " +
           std::to_wstring(ms) + L" ms" + (seen.empty() ? L"" : L"; shown: " + seen));
    }
    current_ = match;
  }

  // The steps that look at one control of the current window; false for
  // any other step.
  bool ControlStep(const std::wstring& step) {
    if (step == L"text" || step == L"wait-text") {
      const int id = ToInt(Take());
      const std::wstring want = Unescape(Take());
      const DWORD ms = step == L"wait-text" ? static_cast<DWORD>(ToInt(Take())) : 0;
      HWND control = Control(id);
      std::wstring got;
      if (!WaitFor(ms, [&] { return (got = WindowText(control)) == want; })) {
        Fail(L"control " + std::to_wstring(id) + L" shows \"" + Escape(got) + L"\", expected \"" +
             Escape(want) + L"\"");
      }
    } else if (step == L"print-text") {
      Write(STD_OUTPUT_HANDLE, WindowText(Control(ToInt(Take()))) + L"\n");
    } else if (step == L"enabled") {
      const int id = ToInt(Take());
      const bool want = ToInt(Take()) != 0;
      const bool got = IsWindowEnabled(Control(id)) != FALSE;
      if (got != want) {
        Fail(L"control " + std::to_wstring(id) + (got ? L" is enabled" : L" is disabled"));
      }
    } else if (step == L"checked") {
      const int id = ToInt(Take());
      const int want = ToInt(Take());
      DWORD_PTR r = 0;
      SendMessageTimeoutW(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
      const int got = r == BST_CHECKED ? 1 : 0;
      if (got != want) {
        Fail(L"button " + std::to_wstring(id) + (got != 0 ? L" is checked" : L" is not checked"));
      }
    } else if (step == L"items") {
      const int id = ToInt(Take());
      const int want = ToInt(Take());
      DWORD_PTR r = 0;
      SendMessageTimeoutW(Control(id), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
      const int got = static_cast<int>(static_cast<LRESULT>(r));
      if (got != want) {
        Fail(L"list " + std::to_wstring(id) + L" holds " + std::to_wstring(got) +
             L" items, expected " + std::to_wstring(want));
      }
    } else if (step == L"toolbar") {
      ClickToolbarButton(ToInt(Take()));
    } else {
      return false;
    }
    return true;
  }

  // Steps that look at the state of one control over time, its visibility
  // and its place; false for any other step.
  bool WatchStep(const std::wstring& step) {
    if (step == L"visible") {
      const int id = ToInt(Take());
      const bool want = ToInt(Take()) != 0;
      const bool got = IsWindowVisible(Control(id)) != FALSE;
      if (got != want)
        Fail(L"control " + std::to_wstring(id) + (got ? L" is shown" : L" is hidden"));
    } else if (step == L"items") {
      const int id = ToInt(Take());
      const int want = ToInt(Take());
      DWORD_PTR r = 0;
      SendMessageTimeoutW(Control(id), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
      const int got = static_cast<int>(static_cast<LRESULT>(r));
      if (got != want) {
        Fail(L"list " + std::to_wstring(id) + L" holds " + std::to_wstring(got) +
             L" items, expected " + std::to_wstring(want));
      }
    } else if (step == L"texts-seen") {
      const int id = ToInt(Take());
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      HWND control = Control(id);
      std::wstring last;
      bool first = true;
      const ULONGLONG end = GetTickCount64() + ms;
      while (GetTickCount64() < end && IsWindow(control)) {
        const std::wstring now = WindowText(control);
        if (first || now != last) Write(STD_OUTPUT_HANDLE, Escape(now) + L"\n");
        last = now;
        first = false;
        Sleep(2);
      }
    } else if (step == L"print-control-rect") {
      PrintRect(Control(ToInt(Take())));
    } else if (step == L"choose") {
      const int id = ToInt(Take());
      const int index = ToInt(Take());
      HWND list = Control(id);
      DWORD_PTR r = 0;
      SendMessageTimeoutW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &r);
      if (!SendMessageTimeoutW(Current(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &r)) {
        Fail(L"the dialog did not handle the change of list " + std::to_wstring(id));
      }
    } else if (step == L"key") {
      const auto vk = static_cast<WPARAM>(ToInt(Take()));
      HWND target = Current();
      if (!PostMessageW(target, WM_KEYDOWN, vk, 1) ||
          !PostMessageW(target, WM_KEYUP, vk, 0xC0000001)) {
        Fail(L"cannot post the key");
      }
    } else {
      return false;
    }
    return true;
  }

  // Reads the button's rectangle through memory allocated in the program's
  // process (TB_GETRECT is not carried across processes), then presses and
  // releases the left mouse button over its middle.
  void ClickToolbarButton(int command) {
    if (main_ == nullptr) Fail(L"no main window");
    HWND bar = FindWindowExW(main_, nullptr, TOOLBARCLASSNAMEW, nullptr);
    if (bar == nullptr) Fail(L"no toolbar");
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 ProcessOf(bar));
    if (process == nullptr) Fail(L"cannot open the program's process");
    RECT rect{};
    bool found = false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (remote != nullptr) {
      DWORD_PTR result = 0;
      SIZE_T got = 0;
      found = SendMessageTimeoutW(bar, TB_GETRECT, static_cast<WPARAM>(command),
                                  reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                  kSendTimeoutMs, &result) != 0 &&
              result != 0 && ReadProcessMemory(process, remote, &rect, sizeof(rect), &got) != 0 &&
              got == sizeof(rect);
      VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    if (!found) Fail(L"no toolbar button for command " + std::to_wstring(command));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(bar, WM_MOUSEMOVE, 0, at);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(bar, WM_LBUTTONUP, 0, at);
  }

  void Step(const std::wstring& step) {
    if (step == L"main") {
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      if (!WaitFor(ms, [&] {
            main_ = FindWindowW(kMainClass, nullptr);
            return main_ != nullptr && IsWindowVisible(main_);
          })) {
        Fail(L"no main window within " + std::to_wstring(ms) + L" ms");
      }
      pid_ = ProcessOf(main_);
      current_ = main_;
      if (process_ == nullptr) {
        process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid_);
      }
    } else if (step == L"menu") {
      const int id = ToInt(Take());
      if (main_ == nullptr) Fail(L"no main window");
      if (!PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0)) Fail(L"cannot post the command");
    } else if (step == L"dialog" || step == L"no-dialog") {
      Search s;
      s.pid = pid_;
      s.captionPrefix = Unescape(Take());
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      HWND found = nullptr;
      const bool appeared = WaitFor(ms, [&] { return (found = FindDialog(s)) != nullptr; });
      if (step == L"dialog") {
        if (!appeared)
          Fail(L"no dialog \"" + s.captionPrefix + L"\" within " + std::to_wstring(ms) + L" ms");
        current_ = found;
      } else if (appeared) {
        Fail(L"unexpected dialog \"" + WindowText(found) + L"\"");
      }
    } else if (step == L"caption") {
      const std::wstring want = Unescape(Take());
      const std::wstring got = WindowText(Current());
      if (got != want) Fail(L"caption \"" + got + L"\", expected \"" + want + L"\"");
    } else if (step == L"select") {
      const int id = ToInt(Take());
      const int index = ToInt(Take());
      HWND list = Control(id);
      DWORD_PTR r = 0;
      SendMessageTimeoutW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &r);
      PostMessageW(Current(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    } else if (step == L"selection") {
      const int id = ToInt(Take());
      const int want = ToInt(Take());
      DWORD_PTR r = 0;
      SendMessageTimeoutW(Control(id), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
      const int got = static_cast<int>(static_cast<LRESULT>(r));
      if (got != want)
        Fail(L"list " + std::to_wstring(id) + L" selects " + std::to_wstring(got) + L", expected " +
             std::to_wstring(want));
    } else if (step == L"click") {
      const int id = ToInt(Take());
      HWND target = Current();
      const bool box = IsMessageBox(target);
      if (!PostMessageW(Control(id), BM_CLICK, 0, 0)) Fail(L"cannot click");
      // A message box ends with any of its buttons: wait until it has gone,
      // so that the next step does not see it again.
      if (box) {
        if (!WaitFor(5000, [&] { return !IsWindow(target) || !IsWindowVisible(target); })) {
          Fail(L"the message box did not close");
        }
        current_ = nullptr;
      }
    } else if (step == L"set-text") {
      const int id = ToInt(Take());
      const std::wstring text = Unescape(Take());
      DWORD_PTR r = 0;
      SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
    } else if (step == L"filename") {
      const std::wstring text = Unescape(Take());
      // The name box of the common file dialogs: cmb13 (a combo box with an
      // edit) in the Explorer style, edt1 otherwise.
      HWND box = GetDlgItem(Current(), 0x47C);
      if (box == nullptr) box = GetDlgItem(Current(), 0x480);
      if (box == nullptr) Fail(L"no file-name box");
      DWORD_PTR r = 0;
      SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
    } else if (step == L"close") {
      PostMessageW(Current(), WM_CLOSE, 0, 0);
    } else if (step == L"send-close") {
      DWORD_PTR r = 0;
      if (!SendMessageTimeoutW(Current(), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r)) {
        Fail(L"the window did not handle WM_CLOSE");
      }
    } else if (step == L"within") {
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      const std::size_t start = next_;
      const ULONGLONG end = GetTickCount64() + ms;
      for (;;) {
        next_ = start;
        try {
          Step(Take());
          break;
        } catch (const Failure&) {
          if (GetTickCount64() >= end) throw;
        }
        Sleep(kPollMs);
      }
    } else if (step == L"gone") {
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      HWND w = current_;
      if (!WaitFor(ms, [&] { return w == nullptr || !IsWindow(w) || !IsWindowVisible(w); })) {
        Fail(L"\"" + WindowText(w) + L"\" still open after " + std::to_wstring(ms) + L" ms");
      }
      current_ = nullptr;
    } else if (step == L"box") {
      ExpectBox(false);
    } else if (step == L"box-any") {
      ExpectBox(true);
    } else if (step == L"no-box") {
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      Search s;
      s.pid = pid_;
      s.messageBoxOnly = true;
      HWND box = nullptr;
      if (WaitFor(ms, [&] { return (box = FindDialog(s)) != nullptr; })) {
        Fail(L"unexpected message box \"" + Escape(WindowText(GetDlgItem(box, kMessageBoxTextId))) +
             L"\" / \"" + WindowText(box) + L"\"");
      }
    } else if (step == L"status") {
      const int part = ToInt(Take());
      const std::wstring want = Unescape(Take());
      const std::wstring got = StatusText(part);
      if (got != want)
        Fail(L"status part " + std::to_wstring(part) + L" \"" + got + L"\", expected \"" + want +
             L"\"");
    } else if (step == L"print-status") {
      Write(STD_OUTPUT_HANDLE, StatusText(ToInt(Take())) + L"\n");
    } else if (step == L"print-rect") {
      PrintRect(Current());
    } else if (step == L"print-main-rect") {
      if (main_ == nullptr) Fail(L"no main window");
      PrintRect(main_);
    } else if (step == L"exited") {
      const DWORD ms = static_cast<DWORD>(ToInt(Take()));
      const DWORD r = WaitForSingleObject(Program(), ms);
      DWORD code = 0;
      GetExitCodeProcess(Program(), &code);
      if (r != WAIT_OBJECT_0)
        Fail(L"the program is still running after " + std::to_wstring(ms) + L" ms");
      if (next_ < args_.size() && !args_[next_].empty() &&
          (iswdigit(args_[next_][0]) != 0 || args_[next_][0] == L'-')) {
        const int want = ToInt(Take());
        if (static_cast<int>(code) != want) {
          Fail(L"exit code " + std::to_wstring(code) + L", expected " + std::to_wstring(want));
        }
      }
    } else if (step == L"alive") {
      const DWORD r = WaitForSingleObject(Program(), 0);
      if (r != WAIT_TIMEOUT) Fail(L"the program has ended");
    } else if (step == L"sleep") {
      Sleep(static_cast<DWORD>(ToInt(Take())));
    } else if (ControlStep(step)) {
    } else if (WatchStep(step)) {
    } else {
      Fail(L"unknown step \"" + step + L"\"");
    }
  }

  std::vector<std::wstring> args_;
  std::size_t next_ = 0;
  HWND main_ = nullptr;
  DWORD pid_ = 0;
  HANDLE process_ = nullptr;
  HWND current_ = nullptr;
};

// Reads one request of --serve from standard input; false at its end.
bool ReadRequest(std::vector<std::wstring>& args) {
  const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  auto readByte = [&](char& c) {
    DWORD got = 0;
    return ReadFile(in, &c, 1, &got, nullptr) != 0 && got == 1;
  };
  std::string count;
  char c = 0;
  for (;;) {
    if (!readByte(c)) return false;
    if (c == '\n') break;
    if (c < '0' || c > '9' || count.size() > 6) return false;
    count += c;
  }
  if (count.empty()) return false;
  args.clear();
  for (long n = std::strtol(count.c_str(), nullptr, 10); n > 0; --n) {
    std::string arg;
    for (;;) {
      if (!readByte(c)) return false;
      if (c == '\0') break;
      arg += c;
    }
    args.push_back(FromUtf8(arg));
  }
  return true;
}

int Serve() {
  std::vector<std::wstring> args;
  while (ReadRequest(args)) {
    std::wstring end =
        L"\x1e"
        L"0\n";
    try {
      Driver(args).Run();
    } catch (const Failure& f) {
      end =
          L"\x1e"
          L"1 " +
          Escape(f.why) + L"\n";
    }
    Write(STD_OUTPUT_HANDLE, end);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == L"--serve") return Serve();
  try {
    Driver(std::move(args)).Run();
  } catch (const Failure& f) {
    Write(STD_ERROR_HANDLE, L"FAIL: " + f.why + L"\n");
    return 1;
  }
  return 0;
}
