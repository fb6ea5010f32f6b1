// The Win32 backend of LinkPort for the Windows build of the tool.
//
// The port is opened for overlapped I/O, the way the program opens it, and
// used by one thread. Reads never wait in the driver: as in the program's
// receive thread, ClearCommError says how many bytes are waiting and
// ReadFile takes just those (the read time-outs, the program's own, make it
// return at once). When nothing has arrived, the tool waits for the next
// received character with WaitCommEvent on an event, up to the time left,
// and looks again; so an answer is taken as soon as its bytes are there.
// (Waiting in ReadFile itself with the "MAXDWORD, MAXDWORD, constant"
// time-outs is not used: not every serial driver returns on the first byte
// then.) A WaitCommEvent that ends early, as on a pseudo-terminal under Wine,
// only means another look at the port.
//
// The line settings are the program's: 9600 baud, 8 data bits, even parity
// (not checked by the driver), 1 stop bit, CTS, DTR and RTS handshake,
// XON/XOFF both ways with limits of 256 bytes, queues of 2000 bytes; a
// write gives up after one second.
//
// Only W APIs; builds with mingw-w64 and MSVC.
#include <windows.h>

#include <iterator>
#include <string>
#include <utility>

#include "tools/ctl/link_port.h"

namespace korvex7::ctl {

namespace {

constexpr DWORD kQueueSize = 2000;
constexpr DWORD kWriteTimeoutMs = 1000;

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

// The system's words for an error code, without the trailing line end.
std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n != 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  std::string out = Utf8(text);
  if (out.empty()) out = "system error";
  return out + " (" + std::to_string(code) + ")";
}

// Owns a handle from CreateFileW (whose failure value is INVALID_HANDLE_VALUE).
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// A manual-reset event from CreateEventW (whose failure value is NULL).
class Event {
 public:
  Event() : h_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Event() {
    if (valid()) CloseHandle(h_);
  }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  bool valid() const { return h_ != nullptr; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// "COM7" and "com7" open as "\\.\COM7" (needed from COM10 up); anything else
// is taken as the operator wrote it.
std::wstring DevicePath(const std::string& name) {
  std::wstring wide = Wide(name);
  if (wide.size() > 3 && (wide[0] == L'C' || wide[0] == L'c') &&
      (wide[1] == L'O' || wide[1] == L'o') && (wide[2] == L'M' || wide[2] == L'm')) {
    bool digits = true;
    for (std::size_t i = 3; i < wide.size(); ++i)
      digits = digits && wide[i] >= L'0' && wide[i] <= L'9';
    if (digits) return L"\\\\.\\COM" + wide.substr(3);
  }
  return wide;
}

class Win32LinkPort final : public LinkPort {
 public:
  explicit Win32LinkPort(const std::string& name)
      : name_(name),
        handle_(CreateFileW(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr)) {
    if (!handle_.valid()) Fail("cannot open the port");
    if (!readEvent_.valid() || !writeEvent_.valid() || !commEvent_.valid()) {
      Fail("cannot create an event");
    }
    if (!SetupComm(handle_.get(), kQueueSize, kQueueSize)) Fail("cannot set the driver queues");
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_.get(), &dcb)) Fail("cannot read the line settings");
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = EVENPARITY;
    dcb.fParity = FALSE;  // even parity is sent; the driver does not check it
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    dcb.fOutX = TRUE;
    dcb.fInX = TRUE;
    dcb.XonLim = 256;
    dcb.XoffLim = 256;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    if (!SetCommState(handle_.get(), &dcb)) Fail("cannot set 9600 baud, 8 data bits, even parity");
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;  // with both totals 0: return at once
    t.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (!SetCommTimeouts(handle_.get(), &t)) Fail("cannot set the time-outs");
    if (!SetCommMask(handle_.get(), EV_RXCHAR)) Fail("cannot watch for received characters");
    PurgeComm(handle_.get(), PURGE_RXCLEAR | PURGE_TXCLEAR);
  }

  void Write(std::string_view frame) override {
    OVERLAPPED ov{};
    ov.hEvent = writeEvent_.get();
    ResetEvent(ov.hEvent);
    if (!WriteFile(handle_.get(), frame.data(), static_cast<DWORD>(frame.size()), nullptr, &ov) &&
        GetLastError() != ERROR_IO_PENDING) {
      writeError_ = name_ + ": write failed: " + SystemMessage(GetLastError());
      return;
    }
    DWORD written = 0;
    if (!GetOverlappedResult(handle_.get(), &ov, &written, TRUE)) {
      writeError_ = name_ + ": write failed: " + SystemMessage(GetLastError());
    } else if (written != frame.size()) {
      writeError_ = name_ + ": write timed out after " + std::to_string(written) + " of " +
                    std::to_string(frame.size()) + " bytes (flow control held the line?)";
    }
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    const ULONGLONG deadline =
        GetTickCount64() + static_cast<ULONGLONG>(timeout.count() > 0 ? timeout.count() : 0);
    for (;;) {
      const std::size_t n = ReadWaiting(buffer, capacity);
      if (n > 0) return n;
      const ULONGLONG now = GetTickCount64();
      if (now >= deadline) return 0;
      WaitForCharacter(static_cast<DWORD>(deadline - now));
    }
  }

  void DiscardInput() override {
    if (!PurgeComm(handle_.get(), PURGE_RXCLEAR)) {
      throw LinkError(name_ + ": cannot discard received bytes: " + SystemMessage(GetLastError()));
    }
  }

  std::string TakeWriteError() override { return std::exchange(writeError_, std::string()); }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw LinkError(name_ + ": " + what + ": " + SystemMessage(GetLastError()));
  }

  // What has arrived, without waiting. Like the program's receive thread,
  // the tool reads only what the driver says is waiting: a read of an empty
  // queue is not left to the time-outs (some drivers wait in it anyway).
  std::size_t ReadWaiting(char* buffer, std::size_t capacity) {
    COMSTAT status{};
    DWORD lineErrors = 0;
    if (!ClearCommError(handle_.get(), &lineErrors, &status)) {
      throw LinkError(name_ + ": read failed: " + SystemMessage(GetLastError()));
    }
    if (status.cbInQue == 0) return 0;
    DWORD want = status.cbInQue;
    if (want > capacity) want = static_cast<DWORD>(capacity);
    if (want > kQueueSize) want = kQueueSize;
    OVERLAPPED ov{};
    ov.hEvent = readEvent_.get();
    ResetEvent(ov.hEvent);
    DWORD got = 0;
    if ((!ReadFile(handle_.get(), buffer, want, nullptr, &ov) &&
         GetLastError() != ERROR_IO_PENDING) ||
        !GetOverlappedResult(handle_.get(), &ov, &got, TRUE)) {
      const DWORD error = GetLastError();
      ClearCommError(handle_.get(), &lineErrors, nullptr);
      throw LinkError(name_ + ": read failed: " + SystemMessage(error));
    }
    return got;
  }

  // Waits up to `ms` for a received-character event. Returns early on any
  // other outcome; the caller looks at the port again either way.
  void WaitForCharacter(DWORD ms) {
    OVERLAPPED ov{};
    ov.hEvent = commEvent_.get();
    ResetEvent(ov.hEvent);
    DWORD mask = 0;
    if (WaitCommEvent(handle_.get(), &mask, &ov)) return;
    if (GetLastError() != ERROR_IO_PENDING) {
      // An aborted wait (a pseudo-terminal under Wine) or a line error:
      // clear it and give the line a moment before the next look.
      DWORD lineErrors = 0;
      ClearCommError(handle_.get(), &lineErrors, nullptr);
      Sleep(1);
      return;
    }
    if (WaitForSingleObject(ov.hEvent, ms) != WAIT_OBJECT_0) {
      // Setting the mask again ends the pending wait; then the record is free.
      SetCommMask(handle_.get(), EV_RXCHAR);
    }
    DWORD ignored = 0;
    GetOverlappedResult(handle_.get(), &ov, &ignored, TRUE);
  }

  std::string name_;
  FileHandle handle_;
  Event readEvent_;
  Event writeEvent_;
  Event commEvent_;
  std::string writeError_;
};

}  // namespace

std::unique_ptr<LinkPort> OpenLinkPort(const std::string& name) {
  return std::make_unique<Win32LinkPort>(name);
}

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> ports;
  wchar_t target[512];
  for (int n = 1; n <= 256; ++n) {
    const std::wstring name = L"COM" + std::to_wstring(n);
    if (QueryDosDeviceW(name.c_str(), target, static_cast<DWORD>(std::size(target))) != 0 ||
        GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      ports.push_back("COM" + std::to_string(n));
    }
  }
  return ports;
}

}  // namespace korvex7::ctl
