#include "win/serial/serial_port.h"

#include <array>
#include <limits>

#include "platform/win32/serial_line.h"

namespace korvex7::win {

namespace {

// A write is bounded by the port's one-second write time-out; this is only a
// guard against a driver that never completes it.
constexpr DWORD kWriteCompletionWaitMs = 3000;
// How long Close() waits for the receive thread to give the handle back.
constexpr DWORD kReaderReturnWaitMs = 5000;

constexpr std::array<std::wstring_view, 5> kOpenStepMessages = {
    L"Miss! File Open",    L"Miss! Mask Set",       L"Miss! Buffer Set",
    L"Miss! Time Out Set", L"Miss! Set Comm State",
};

OpenStep OpenStepOf(win32::LineSetupStep step) {
  switch (step) {
    case win32::LineSetupStep::kEventMask:
      return OpenStep::kMaskSet;
    case win32::LineSetupStep::kQueues:
      return OpenStep::kBufferSet;
    case win32::LineSetupStep::kTimeouts:
      return OpenStep::kTimeOutSet;
    case win32::LineSetupStep::kLineSettings:
      break;
  }
  return OpenStep::kSetCommState;
}

}  // namespace

std::wstring_view OpenStepMessage(OpenStep step) {
  return kOpenStepMessages[static_cast<std::size_t>(step)];
}

std::wstring PortName(int comPort) {
  if (comPort < 0 || comPort > 5) comPort = 0;
  return L"COM" + std::to_wstring(comPort + 1);
}

SerialPort::SerialPort()
    : writeEvent_(win32::CreateManualResetEvent()),
      closeRequest_(win32::CreateManualResetEvent()) {}

SerialPort::~SerialPort() { Close(); }

std::vector<OpenStep> SerialPort::Open(int comPort) {
  Close();
  std::vector<OpenStep> failed;

  win32::UniqueHandle port(win32::OpenComDevice(win32::ComDevicePath(PortName(comPort))));
  if (!port.valid()) failed.push_back(OpenStep::kFileOpen);
  // The set-up runs on an invalid handle too, every step failing in turn, so
  // an absent port shows every step's message.
  const HANDLE h = port.valid() ? port.get() : INVALID_HANDLE_VALUE;
  for (const win32::LineSetupFailure& step : win32::SetUpUnitLine(h)) {
    failed.push_back(OpenStepOf(step.step));
  }

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
  win32::UniqueHandle old(handle_.release());
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
