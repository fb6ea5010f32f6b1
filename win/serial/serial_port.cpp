#include "win/serial/serial_port.h"

#include <array>
#include <limits>

namespace korvex7::win {

namespace {

// A write is bounded by the port's one-second write time-out; this is only a
// guard against a driver that never completes it.
constexpr DWORD kWriteCompletionWaitMs = 3000;
// How long Close() waits for the receive thread to give the handle back.
constexpr DWORD kReaderReturnWaitMs = 5000;

constexpr std::array<std::wstring_view, 5> kOpenStepMessages = {
    L"Miss! File Open", L"Miss! Mask Set", L"Miss! Buffer Set", L"Miss! Time Out Set",
    L"Miss! Set Comm State",
};

}  // namespace

std::wstring_view OpenStepMessage(OpenStep step) {
  return kOpenStepMessages[static_cast<std::size_t>(step)];
}

std::wstring PortName(int comPort) {
  if (comPort < 0 || comPort > 5) comPort = 0;
  return L"COM" + std::to_wstring(comPort + 1);
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

SerialPort::SerialPort()
    : writeEvent_(CreateManualResetEvent()), closeRequest_(CreateManualResetEvent()) {}

SerialPort::~SerialPort() { Close(); }

std::vector<OpenStep> SerialPort::Open(int comPort) {
  Close();
  std::vector<OpenStep> failed;

  const std::wstring name = PortName(comPort);
  UniqueHandle port(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
  if (!port.valid()) failed.push_back(OpenStep::kFileOpen);
  // The remaining steps run on an invalid handle too and then fail in turn,
  // so an absent port shows every step's message.
  const HANDLE h = port.valid() ? port.get() : INVALID_HANDLE_VALUE;

  if (!SetCommMask(h, EV_RXCHAR)) failed.push_back(OpenStep::kMaskSet);
  if (!SetupComm(h, kDriverQueueBytes, kDriverQueueBytes)) failed.push_back(OpenStep::kBufferSet);
  COMMTIMEOUTS timeouts = PortTimeouts();
  if (!SetCommTimeouts(h, &timeouts)) failed.push_back(OpenStep::kTimeOutSet);
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  // A failed read of the current settings is not reported: the fields that
  // matter are all set below.
  (void)GetCommState(h, &dcb);
  ApplyLineSettings(dcb);
  if (!SetCommState(h, &dcb)) failed.push_back(OpenStep::kSetCommState);

  AcquireSRWLockExclusive(&lock_);
  handle_ = std::move(port);
  ++opens_;
  ReleaseSRWLockExclusive(&lock_);
  return failed;
}

void SerialPort::Close() {
  FinishPendingWrite();
  AcquireSRWLockExclusive(&lock_);
  if (!handle_.valid()) {
    ReleaseSRWLockExclusive(&lock_);
    return;
  }
  closing_ = true;
  if (closeRequest_.valid()) SetEvent(closeRequest_.get());
  bool returned = true;
  while (readerBorrows_) {
    if (!SleepConditionVariableSRW(&readerDone_, &lock_, kReaderReturnWaitMs, 0)) {
      returned = !readerBorrows_;
      break;
    }
  }
  UniqueHandle old(handle_.release());
  closing_ = false;
  if (closeRequest_.valid()) ResetEvent(closeRequest_.get());
  ReleaseSRWLockExclusive(&lock_);
  // A reader that did not give the handle back may still use it: leave it
  // open rather than let the reader act on a closed or reused handle.
  if (!returned) (void)old.release();
}

void SerialPort::FinishPendingWrite() {
  if (!writePending_) return;
  writePending_ = false;
  const HANDLE h = handle_.get();
  if (WaitForSingleObject(writeEvent_.get(), kWriteCompletionWaitMs) != WAIT_OBJECT_0) {
    CancelIoEx(h, &writeOverlapped_);
  }
  DWORD written = 0;
  // Waits for the cancellation, if any, so the buffer and the record are free.
  (void)GetOverlappedResult(h, &writeOverlapped_, &written, TRUE);
}

void SerialPort::Write(std::string_view frame) {
  if (!handle_.valid() || !writeEvent_.valid() || frame.empty()) return;
  if (frame.size() > std::numeric_limits<DWORD>::max()) return;
  FinishPendingWrite();
  writeBuffer_.assign(frame);
  writeOverlapped_ = OVERLAPPED{};
  writeOverlapped_.hEvent = writeEvent_.get();
  ResetEvent(writeEvent_.get());
  if (WriteFile(handle_.get(), writeBuffer_.data(), static_cast<DWORD>(writeBuffer_.size()),
                nullptr, &writeOverlapped_)) {
    return;  // completed at once
  }
  if (GetLastError() == ERROR_IO_PENDING) writePending_ = true;
}

HANDLE SerialPort::BeginReading() {
  std::uint64_t ignored = 0;
  return BeginReading(ignored);
}

HANDLE SerialPort::BeginReading(std::uint64_t& openNumber) {
  AcquireSRWLockExclusive(&lock_);
  HANDLE h = nullptr;
  if (!closing_ && handle_.valid()) {
    h = handle_.get();
    readerBorrows_ = true;
  }
  openNumber = opens_;
  ReleaseSRWLockExclusive(&lock_);
  return h;
}

void SerialPort::EndReading() {
  AcquireSRWLockExclusive(&lock_);
  readerBorrows_ = false;
  ReleaseSRWLockExclusive(&lock_);
  WakeAllConditionVariable(&readerDone_);
}

}  // namespace korvex7::win
