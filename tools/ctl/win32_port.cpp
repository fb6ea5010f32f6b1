// The Win32 backend of LinkPort for the Windows build of the tool.
//
// The tool reads and writes on one thread and never both at once, so the port
// is opened for plain (non-overlapped) I/O and the waiting is left to the
// driver: before each read the read time-outs are set so that ReadFile
// returns at once with whatever has arrived, or waits for the first byte up
// to the time asked for and then returns with it (ReadIntervalTimeout and
// ReadTotalTimeoutMultiplier both MAXDWORD, ReadTotalTimeoutConstant the
// wait). Writes give up after one second, as the program's do.
//
// The line settings are the program's: 9600 baud, 8 data bits, even parity
// (not checked by the driver), 1 stop bit, CTS, DTR and RTS handshake,
// XON/XOFF both ways with limits of 256 bytes, queues of 2000 bytes.
//
// Only W APIs; builds with mingw-w64 and MSVC.
#include <windows.h>

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

// "COM7" and "com7" open as "\\.\COM7" (needed from COM10 up); anything else
// is taken as the operator wrote it.
std::wstring DevicePath(const std::string& name) {
  std::wstring wide = Wide(name);
  if (wide.size() > 3 && (wide[0] == L'C' || wide[0] == L'c') && (wide[1] == L'O' || wide[1] == L'o') &&
      (wide[2] == L'M' || wide[2] == L'm')) {
    bool digits = true;
    for (std::size_t i = 3; i < wide.size(); ++i) digits = digits && wide[i] >= L'0' && wide[i] <= L'9';
    if (digits) return L"\\\\.\\COM" + wide.substr(3);
  }
  return wide;
}

class Win32LinkPort final : public LinkPort {
 public:
  explicit Win32LinkPort(const std::string& name)
      : name_(name),
        handle_(CreateFileW(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!handle_.valid()) Fail("cannot open the port");
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
    SetReadWait(0);
    PurgeComm(handle_.get(), PURGE_RXCLEAR | PURGE_TXCLEAR);
  }

  void Write(std::string_view frame) override {
    DWORD written = 0;
    if (!WriteFile(handle_.get(), frame.data(), static_cast<DWORD>(frame.size()), &written,
                   nullptr)) {
      writeError_ = name_ + ": write failed: " + SystemMessage(GetLastError());
    } else if (written != frame.size()) {
      writeError_ = name_ + ": write timed out after " + std::to_string(written) + " of " +
                    std::to_string(frame.size()) + " bytes (flow control held the line?)";
    }
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    const auto wait = timeout.count() < 0 ? 0 : timeout.count();
    SetReadWait(static_cast<DWORD>(wait >= MAXDWORD ? MAXDWORD - 1 : wait));
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(capacity > kQueueSize ? kQueueSize : capacity);
    if (!ReadFile(handle_.get(), buffer, want, &got, nullptr)) {
      const DWORD error = GetLastError();
      DWORD lineErrors = 0;
      ClearCommError(handle_.get(), &lineErrors, nullptr);
      throw LinkError(name_ + ": read failed: " + SystemMessage(error));
    }
    return got;
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

  // ReadFile returns at once with what has arrived, else waits up to
  // `waitMs` for the first byte.
  void SetReadWait(DWORD waitMs) {
    if (readWaitSet_ && waitMs == readWaitMs_) return;
    COMMTIMEOUTS t{};
    if (waitMs == 0) {
      t.ReadIntervalTimeout = MAXDWORD;  // return at once
    } else {
      t.ReadIntervalTimeout = MAXDWORD;
      t.ReadTotalTimeoutMultiplier = MAXDWORD;
      t.ReadTotalTimeoutConstant = waitMs;
    }
    t.WriteTotalTimeoutMultiplier = 0;
    t.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (!SetCommTimeouts(handle_.get(), &t)) Fail("cannot set the time-outs");
    readWaitSet_ = true;
    readWaitMs_ = waitMs;
  }

  std::string name_;
  FileHandle handle_;
  std::string writeError_;
  bool readWaitSet_ = false;
  DWORD readWaitMs_ = 0;
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
