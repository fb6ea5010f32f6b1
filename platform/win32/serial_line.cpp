#include "platform/win32/serial_line.h"

#include <limits>

namespace korvex7::win32 {

std::wstring ComDevicePath(std::wstring_view name) {
  const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
  bool com =
      name.size() > 3 && upper(name[0]) == L'C' && upper(name[1]) == L'O' && upper(name[2]) == L'M';
  for (std::size_t i = 3; com && i < name.size(); ++i) com = name[i] >= L'0' && name[i] <= L'9';
  if (!com) return std::wstring(name);
  return L"\\\\.\\COM" + std::wstring(name.substr(3));
}

UniqueHandle OpenComDevice(const std::wstring& devicePath) {
  return UniqueHandle(CreateFileW(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
}

void ApplyLineSettings(DCB& dcb, const LineOptions& options) {
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = EVENPARITY;
  dcb.fParity = FALSE;  // the driver does not check parity itself
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  // Left on by another program, each of these stops or alters the line.
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fAbortOnError = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fOutxCtsFlow = options.handshake;
  dcb.fDtrControl = options.handshake ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
  dcb.fRtsControl = options.handshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  dcb.fOutX = options.handshake;
  dcb.fInX = options.handshake;
  dcb.XonLim = 256;
  dcb.XoffLim = 256;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
}

COMMTIMEOUTS PortTimeouts() {
  COMMTIMEOUTS t{};
  t.ReadIntervalTimeout = std::numeric_limits<DWORD>::max();
  t.ReadTotalTimeoutMultiplier = 0;
  t.ReadTotalTimeoutConstant = 0;
  t.WriteTotalTimeoutMultiplier = 0;
  t.WriteTotalTimeoutConstant = 1000;
  return t;
}

std::vector<OpenStepFailure> SetUpUnitLine(HANDLE port, const LineOptions& options) {
  std::vector<OpenStepFailure> failed;
  const auto check = [&failed](BOOL ok, OpenStep step) {
    if (!ok) failed.push_back({step, GetLastError()});
  };
  check(SetCommMask(port, EV_RXCHAR), OpenStep::kEventMask);
  check(SetupComm(port, kDriverQueueBytes, kDriverQueueBytes), OpenStep::kQueues);
  COMMTIMEOUTS timeouts = PortTimeouts();
  check(SetCommTimeouts(port, &timeouts), OpenStep::kTimeouts);
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  // A failed read of the current settings is not reported: the fields that
  // matter are all set below, and SetCommState says whether they hold.
  (void)GetCommState(port, &dcb);
  ApplyLineSettings(dcb, options);
  check(SetCommState(port, &dcb), OpenStep::kLineSettings);
  return failed;
}

}  // namespace korvex7::win32
