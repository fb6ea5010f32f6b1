#include "platform/win32/serial_port.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/serial_line.h"
#include "platform/win32/text.h"

namespace korvex7::win32 {

namespace {

SerialErrorKind KindOfOpenError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return SerialErrorKind::kNotFound;
    case ERROR_ACCESS_DENIED:  // a COM port another program has open
    case ERROR_SHARING_VIOLATION:
      return SerialErrorKind::kBusy;
    default:
      return SerialErrorKind::kOther;
  }
}

std::string_view LineSetupWords(LineSetupStep step) {
  switch (step) {
    case LineSetupStep::kEventMask:
      return "cannot watch for received characters";
    case LineSetupStep::kQueues:
      return "cannot set the driver queues";
    case LineSetupStep::kTimeouts:
      return "cannot set the time-outs";
    case LineSetupStep::kLineSettings:
      break;
  }
  return "cannot set 9600 baud, 8 data bits, even parity, 1 stop bit";
}

DWORD Milliseconds(std::chrono::milliseconds ms) {
  if (ms.count() <= 0) return 0;
  if (ms.count() >= static_cast<long long>(INFINITE)) return INFINITE - 1;
  return static_cast<DWORD>(ms.count());
}

}  // namespace

SerialPort SerialPort::Open(const std::string& name) {
  SerialPort port(name);
  port.handle_ = OpenComDevice(ComDevicePath(Utf8ToWide(name)));
  if (!port.handle_.valid()) {
    const DWORD error = GetLastError();
    port.Fail(KindOfOpenError(error), "cannot open the port", error);
  }
  port.readEvent_ = CreateManualResetEvent();
  port.writeEvent_ = CreateManualResetEvent();
  port.commEvent_ = CreateManualResetEvent();
  if (!port.readEvent_.valid() || !port.writeEvent_.valid() || !port.commEvent_.valid()) {
    port.Fail(SerialErrorKind::kOther, "cannot create an event", GetLastError());
  }
  const std::vector<LineSetupFailure> failed = SetUpUnitLine(port.handle_.get());
  if (!failed.empty()) {
    port.Fail(SerialErrorKind::kConfigure, std::string(LineSetupWords(failed.front().step)),
              failed.front().error);
  }
  // Bytes that arrived before this open belong to nobody's command.
  if (!PurgeComm(port.handle_.get(), PURGE_RXCLEAR | PURGE_TXCLEAR)) {
    port.Fail(SerialErrorKind::kConfigure, "cannot discard waiting bytes", GetLastError());
  }
  return port;
}

void SerialPort::Fail(SerialErrorKind kind, const std::string& what, DWORD error) const {
  throw SerialError(kind, name_, name_ + ": " + what + ": " + OsErrorText(error),
                    static_cast<int>(error));
}

void SerialPort::WriteAll(std::string_view data, std::chrono::milliseconds timeout) {
  if (data.empty()) return;
  if (data.size() > MAXDWORD) Fail(SerialErrorKind::kIo, "write failed", ERROR_INVALID_PARAMETER);
  const DWORD size = static_cast<DWORD>(data.size());
  OVERLAPPED ov{};
  ov.hEvent = writeEvent_.get();
  if (!ResetEvent(ov.hEvent)) Fail(SerialErrorKind::kIo, "write failed", GetLastError());
  if (!WriteFile(handle_.get(), data.data(), size, nullptr, &ov)) {
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) Fail(SerialErrorKind::kIo, "write failed", error);
    if (WaitForSingleObject(ov.hEvent, Milliseconds(timeout)) != WAIT_OBJECT_0) {
      // The record must stay alive until the driver lets go of it: cancel,
      // then wait for the cancelled write below.
      (void)CancelIoEx(handle_.get(), &ov);
    }
  }
  DWORD written = 0;
  if (!GetOverlappedResult(handle_.get(), &ov, &written, TRUE)) {
    const DWORD error = GetLastError();
    if (error != ERROR_OPERATION_ABORTED) Fail(SerialErrorKind::kIo, "write failed", error);
  }
  if (written != size) {
    throw SerialError(SerialErrorKind::kTimeout, name_,
                      name_ + ": write timed out after " + std::to_string(written) + " of " +
                          std::to_string(size) + " bytes (flow control held the line?)",
                      0);
  }
}

std::size_t SerialPort::Read(char* buffer, std::size_t capacity,
                             std::chrono::milliseconds timeout) {
  if (capacity == 0) return 0;
  const ULONGLONG deadline =
      GetTickCount64() + static_cast<ULONGLONG>(timeout.count() > 0 ? timeout.count() : 0);
  for (;;) {
    const std::size_t n = ReadWaiting(buffer, capacity);
    if (n > 0) return n;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return 0;
    WaitForCharacter(static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1)));
  }
}

void SerialPort::DiscardInput() {
  if (!PurgeComm(handle_.get(), PURGE_RXCLEAR)) {
    Fail(SerialErrorKind::kIo, "cannot discard received bytes", GetLastError());
  }
}

// What has arrived, without waiting. Only what the driver says is waiting is
// read: a read of an empty queue is not left to the time-outs (some drivers
// wait in it anyway).
std::size_t SerialPort::ReadWaiting(char* buffer, std::size_t capacity) {
  COMSTAT status{};
  DWORD lineErrors = 0;
  if (!ClearCommError(handle_.get(), &lineErrors, &status)) {
    Fail(SerialErrorKind::kIo, "read failed", GetLastError());
  }
  if (status.cbInQue == 0) return 0;
  DWORD want = std::min<DWORD>(status.cbInQue, kDriverQueueBytes);
  if (want > capacity) want = static_cast<DWORD>(capacity);
  OVERLAPPED ov{};
  ov.hEvent = readEvent_.get();
  if (!ResetEvent(ov.hEvent)) Fail(SerialErrorKind::kIo, "read failed", GetLastError());
  DWORD got = 0;
  if ((!ReadFile(handle_.get(), buffer, want, nullptr, &ov) &&
       GetLastError() != ERROR_IO_PENDING) ||
      !GetOverlappedResult(handle_.get(), &ov, &got, TRUE)) {
    const DWORD error = GetLastError();
    (void)ClearCommError(handle_.get(), &lineErrors, nullptr);
    Fail(SerialErrorKind::kIo, "read failed", error);
  }
  return got;
}

// Waits up to `ms` for a received-character event. Returns early on any
// other outcome; the caller looks at the port again either way.
void SerialPort::WaitForCharacter(DWORD ms) {
  OVERLAPPED ov{};
  ov.hEvent = commEvent_.get();
  if (!ResetEvent(ov.hEvent))
    Fail(SerialErrorKind::kIo, "waiting for input failed", GetLastError());
  DWORD mask = 0;
  if (WaitCommEvent(handle_.get(), &mask, &ov)) return;
  if (GetLastError() != ERROR_IO_PENDING) {
    // An aborted wait (a pseudo-terminal under Wine) or a line error: clear
    // it and give the line a moment before the next look.
    DWORD lineErrors = 0;
    (void)ClearCommError(handle_.get(), &lineErrors, nullptr);
    Sleep(1);
    return;
  }
  if (WaitForSingleObject(ov.hEvent, ms) != WAIT_OBJECT_0) {
    // Setting the mask again ends the pending wait; cancelling it does, too,
    // should that fail. Then the record is free.
    if (!SetCommMask(handle_.get(), EV_RXCHAR)) (void)CancelIoEx(handle_.get(), &ov);
  }
  DWORD ignored = 0;
  (void)GetOverlappedResult(handle_.get(), &ov, &ignored, TRUE);
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

}  // namespace korvex7::win32
