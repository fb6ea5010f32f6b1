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

void ApplyLineSettings(DCB& dcb) {
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = EVENPARITY;
  dcb.fParity = FALSE;  // the driver does not check parity itself
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

std::vector<LineSetupFailure> SetUpUnitLine(HANDLE port) {
  std::vector<LineSetupFailure> failed;
  const auto check = [&failed](BOOL ok, LineSetupStep step) {
    if (!ok) failed.push_back({step, GetLastError()});
  };
  check(SetCommMask(port, EV_RXCHAR), LineSetupStep::kEventMask);
  check(SetupComm(port, kDriverQueueBytes, kDriverQueueBytes), LineSetupStep::kQueues);
  COMMTIMEOUTS timeouts = PortTimeouts();
  check(SetCommTimeouts(port, &timeouts), LineSetupStep::kTimeouts);
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  // A failed read of the current settings is not reported: the fields that
  // matter are all set below, and SetCommState says whether they hold.
  (void)GetCommState(port, &dcb);
  ApplyLineSettings(dcb);
  check(SetCommState(port, &dcb), LineSetupStep::kLineSettings);
  return failed;
}

}  // namespace korvex7::win32
