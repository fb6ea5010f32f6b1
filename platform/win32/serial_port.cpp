#include "platform/win32/serial_port.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/overlapped_io.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::win32 {

namespace {

// A write is bounded by the port's one-second write time-out; this only
// guards against a driver that never completes it.
constexpr DWORD kWriteCompletionWaitMs = 3000;
// How long Close waits for the reader to give the handle back.
constexpr DWORD kReaderReturnWaitMs = 5000;
constexpr DWORD kAbortedWaitBackoffCapMs = 50;
constexpr DWORD kFailedWaitBackoffCapMs = 100;

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

std::string_view StepWords(OpenStep step) {
  switch (step) {
    case OpenStep::kOpen:
      return "cannot open the port";
    case OpenStep::kEventMask:
      return "cannot watch for received characters";
    case OpenStep::kQueues:
      return "cannot set the driver queues";
    case OpenStep::kTimeouts:
      return "cannot set the time-outs";
    case OpenStep::kLineSettings:
      break;
  }
  return "cannot set 9600 baud, 8 data bits, even parity, 1 stop bit";
}

DWORD Milliseconds(std::chrono::milliseconds ms) {
  if (ms.count() <= 0) return 0;
  if (ms.count() >= static_cast<long long>(INFINITE)) return INFINITE - 1;
  return static_cast<DWORD>(ms.count());
}

// Waits for the first of up to three handles (the empty ones left out).
// Returns the index of the signalled one among those given, or -1 on
// time-out or failure.
int WaitForAny(HANDLE first, HANDLE second, HANDLE third, DWORD ms) {
  HANDLE handles[3];
  int map[3];
  DWORD count = 0;
  const HANDLE given[3] = {first, second, third};
  for (int i = 0; i < 3; ++i) {
    if (given[i] != nullptr) {
      handles[count] = given[i];
      map[count] = i;
      ++count;
    }
  }
  if (count == 0) {
    Sleep(ms);
    return -1;
  }
  const DWORD r = WaitForMultipleObjects(count, handles, FALSE, ms);
  if (r >= WAIT_OBJECT_0 && r < WAIT_OBJECT_0 + count) return map[r - WAIT_OBJECT_0];
  return -1;
}

}  // namespace

DWORD FailedWaitBackoffMs(int consecutiveFailures, DWORD lastError) {
  const DWORD cap =
      lastError == ERROR_OPERATION_ABORTED ? kAbortedWaitBackoffCapMs : kFailedWaitBackoffCapMs;
  const int shift = std::clamp(consecutiveFailures - 1, 0, 16);
  return std::min<DWORD>(DWORD{1} << shift, cap);
}

struct SerialPort::State {
  std::string name;

  // Owned by the opening thread; read under `lock` by Borrow.
  UniqueHandle handle;
  UniqueHandle closeRequest = CreateManualResetEvent();
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE readerDone = CONDITION_VARIABLE_INIT;
  bool closing = false;        // guarded by lock
  bool readerBorrows = false;  // guarded by lock
  std::uint64_t opens = 0;     // guarded by lock: OpenEveryStep calls so far

  // The reader's: used by the borrowing reader, or by Close once the reader
  // has given the handle back.
  std::unique_ptr<IoRecord> wait = std::make_unique<IoRecord>();
  bool waitPending = false;
  int failedWaits = 0;
  DWORD lastWaitError = 0;
  std::unique_ptr<IoRecord> read = std::make_unique<IoRecord>();

  // The opening thread's.
  std::unique_ptr<IoRecord> write = std::make_unique<IoRecord>();
  bool writePending = false;
};

SerialPort::SerialPort() : state_(std::make_unique<State>()) {
  state_->read->bytes.resize(kDriverQueueBytes);
}

SerialPort::~SerialPort() {
  if (state_) Close();
}

SerialPort::SerialPort(SerialPort&&) noexcept = default;

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept {
  if (this != &other) {
    if (state_) Close();
    state_ = std::move(other.state_);
  }
  return *this;
}

SerialPort SerialPort::Open(const std::string& name, const LineOptions& options) {
  SerialPort port;
  const std::vector<OpenStepFailure> failed = port.OpenEveryStep(name, options);
  if (!failed.empty()) {
    const OpenStepFailure& first = failed.front();
    port.Fail(
        first.step == OpenStep::kOpen ? KindOfOpenError(first.error) : SerialErrorKind::kConfigure,
        std::string(StepWords(first.step)), first.error);
  }
  if (!port.state_->read->ready() || !port.state_->wait->ready() || !port.state_->write->ready() ||
      !port.state_->closeRequest.valid()) {
    port.Fail(SerialErrorKind::kOther, "cannot create an event", ERROR_NOT_ENOUGH_MEMORY);
  }
  // Bytes that arrived before this open belong to nobody's command.
  if (!PurgeComm(port.state_->handle.get(), PURGE_RXCLEAR | PURGE_TXCLEAR)) {
    port.Fail(SerialErrorKind::kConfigure, "cannot discard waiting bytes", GetLastError());
  }
  return port;
}

std::vector<OpenStepFailure> SerialPort::OpenEveryStep(const std::string& name,
                                                       const LineOptions& options) {
  Close();
  State& s = *state_;
  std::vector<OpenStepFailure> failed;
  UniqueHandle port(OpenComDevice(ComDevicePath(Utf8ToWide(name))));
  if (!port.valid()) failed.push_back({OpenStep::kOpen, GetLastError()});
  // The set-up runs on an invalid handle too, every step failing in turn,
  // so that an absent port reports every step.
  const HANDLE h = port.valid() ? port.get() : INVALID_HANDLE_VALUE;
  for (const OpenStepFailure& step : SetUpUnitLine(h, options)) failed.push_back(step);

  AcquireSRWLockExclusive(&s.lock);
  s.handle = std::move(port);
  s.name = name;
  ++s.opens;
  s.failedWaits = 0;
  ReleaseSRWLockExclusive(&s.lock);
  return failed;
}

void SerialPort::Close() {
  State& s = *state_;
  FinishWrite();
  AcquireSRWLockExclusive(&s.lock);
  if (!s.handle.valid()) {
    ReleaseSRWLockExclusive(&s.lock);
    return;
  }
  s.closing = true;
  if (s.closeRequest.valid()) SetEvent(s.closeRequest.get());
  bool returned = true;
  while (s.readerBorrows) {
    if (!SleepConditionVariableSRW(&s.readerDone, &s.lock, kReaderReturnWaitMs, 0)) {
      returned = !s.readerBorrows;
      break;
    }
  }
  const HANDLE h = s.handle.get();
  if (returned && s.waitPending) {
    // Setting the event mask again ends a pending WaitCommEvent on drivers
    // that do not end it when cancelled.
    (void)EndPendingRequest(h, s.wait, kEndRequestLimitMs, [h, &s] {
      (void)SetCommMask(h, EV_RXCHAR);
      (void)CancelIoEx(h, &s.wait->overlapped);
    });
    s.waitPending = false;
  }
  UniqueHandle old(s.handle.release());
  s.closing = false;
  if (s.closeRequest.valid()) ResetEvent(s.closeRequest.get());
  ReleaseSRWLockExclusive(&s.lock);
  // A reader that did not give the handle back may still use it: leave it
  // open rather than let the reader act on a closed or reused handle.
  if (!returned) (void)old.release();
}

bool SerialPort::isOpen() const { return state_ && state_->handle.valid(); }

const std::string& SerialPort::name() const { return state_->name; }

std::uint64_t SerialPort::openNumber() const {
  AcquireSRWLockShared(&state_->lock);
  const std::uint64_t n = state_->opens;
  ReleaseSRWLockShared(&state_->lock);
  return n;
}

bool SerialPort::Answers() const {
  if (!isOpen()) return false;
  const HANDLE h = state_->handle.get();
  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  COMSTAT status{};
  DWORD errors = 0;
  return GetCommState(h, &dcb) && ClearCommError(h, &errors, &status);
}

void SerialPort::Fail(SerialErrorKind kind, const std::string& what, DWORD error) const {
  const std::string& name = state_->name;
  throw SerialError(kind, name, name + ": " + what + ": " + OsErrorText(error),
                    static_cast<int>(error), OsErrorWords(error));
}

HANDLE SerialPort::Borrow(std::uint64_t& openNumber) {
  State& s = *state_;
  AcquireSRWLockExclusive(&s.lock);
  HANDLE h = nullptr;
  if (!s.closing && s.handle.valid()) {
    h = s.handle.get();
    s.readerBorrows = true;
  }
  openNumber = s.opens;
  ReleaseSRWLockExclusive(&s.lock);
  return h;
}

void SerialPort::GiveBack() {
  State& s = *state_;
  AcquireSRWLockExclusive(&s.lock);
  s.readerBorrows = false;
  ReleaseSRWLockExclusive(&s.lock);
  WakeAllConditionVariable(&s.readerDone);
}

PortRead SerialPort::ReadSome(char* buffer, std::size_t capacity, DWORD timeoutMs,
                              HANDLE interrupt) {
  PortRead result;
  State& s = *state_;
  const HANDLE h = Borrow(result.openNumber);
  if (h == nullptr) {
    result.status = PortRead::Status::kClosed;
    return result;
  }
  struct GiveBackAtEnd {
    SerialPort& port;
    ~GiveBackAtEnd() { port.GiveBack(); }
  } giveBack{*this};

  const ULONGLONG start = GetTickCount64();
  // The time left of `timeoutMs`; 0 once it has passed.
  const auto timeLeft = [start, timeoutMs]() -> DWORD {
    if (timeoutMs == INFINITE) return INFINITE;
    const ULONGLONG elapsed = GetTickCount64() - start;
    return elapsed >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - elapsed);
  };
  for (;;) {
    const PortRead taken = TakeWaiting(h, buffer, capacity, interrupt);
    if (taken.status != PortRead::Status::kTimeout) {
      result.status = taken.status;
      result.bytes = taken.bytes;
      result.error = taken.error;
      return result;
    }
    if (timeLeft() == 0) {
      result.status = PortRead::Status::kTimeout;
      return result;
    }

    if (!s.waitPending) {
      if (s.failedWaits > 0 &&
          !PauseAfterFailedWait(
              std::min(FailedWaitBackoffMs(s.failedWaits, s.lastWaitError), timeLeft()),
              interrupt)) {
        result.status = PortRead::Status::kInterrupted;
        return result;
      }
      if (!s.wait->ready()) {
        result.status = PortRead::Status::kFailed;
        result.error = ERROR_NOT_ENOUGH_MEMORY;
        return result;
      }
      s.wait->events = 0;
      if (WaitCommEvent(h, &s.wait->events, s.wait->Begin())) {
        s.failedWaits = 0;
        continue;  // an event already: look at the port
      }
      const DWORD error = GetLastError();
      if (error != ERROR_IO_PENDING) {
        ++s.failedWaits;
        s.lastWaitError = error;
        continue;
      }
      s.waitPending = true;
    }

    switch (WaitForAny(s.wait->event.get(), interrupt, s.closeRequest.get(), timeLeft())) {
      case 0: {
        s.waitPending = false;
        DWORD ignored = 0;
        if (GetOverlappedResult(h, &s.wait->overlapped, &ignored, FALSE)) {
          s.failedWaits = 0;
        } else {
          ++s.failedWaits;
          s.lastWaitError = GetLastError();
        }
        break;
      }
      case 1:
      case 2:
        // The wait stays pending for the next ReadSome, or for Close.
        result.status = PortRead::Status::kInterrupted;
        return result;
      default:
        break;  // time is up: one more look at the port
    }
  }
}

// What has arrived, without waiting for more. A failed look at the port is
// kFailed; nothing waiting is kTimeout.
PortRead SerialPort::TakeWaiting(HANDLE h, char* buffer, std::size_t capacity, HANDLE interrupt) {
  State& s = *state_;
  PortRead result;
  COMSTAT status{};
  DWORD lineErrors = 0;
  // Line errors (framing, parity, overrun) are cleared and dropped here; a
  // garbled reply is caught by the reply checks.
  if (!ClearCommError(h, &lineErrors, &status)) {
    result.status = PortRead::Status::kFailed;
    result.error = GetLastError();
    return result;
  }
  if (status.cbInQue == 0 || capacity == 0) return result;
  if (!s.read->ready()) {
    result.status = PortRead::Status::kFailed;
    result.error = ERROR_NOT_ENOUGH_MEMORY;
    return result;
  }
  const DWORD want =
      static_cast<DWORD>(std::min<std::size_t>({status.cbInQue, capacity, s.read->bytes.size()}));
  DWORD got = 0;
  BOOL ok = ReadFile(h, s.read->bytes.data(), want, nullptr, s.read->Begin());
  int signalled = 0;
  if (!ok && GetLastError() == ERROR_IO_PENDING) {
    // The time-outs make the read return at once; a driver that keeps it
    // anyway is given the time a close would give it.
    signalled =
        WaitForAny(s.read->event.get(), interrupt, s.closeRequest.get(), kEndRequestLimitMs);
    ok = signalled == 0 || EndPendingRequest(h, s.read);
    if (!ok) s.read->bytes.resize(kDriverQueueBytes);
  }
  if (ok) ok = GetOverlappedResult(h, &s.read->overlapped, &got, FALSE);
  if (signalled != 0 && got == 0) {
    // Ended early: by the interrupt or a close, or a driver that kept it.
    result.status = signalled > 0 ? PortRead::Status::kInterrupted : PortRead::Status::kFailed;
    result.error = signalled > 0 ? 0 : WAIT_TIMEOUT;
    return result;
  }
  if (!ok && got == 0) {
    const DWORD error = GetLastError();
    (void)ClearCommError(h, &lineErrors, nullptr);
    result.status = PortRead::Status::kFailed;
    result.error = error;
    return result;
  }
  if (got == 0) return result;
  std::memcpy(buffer, s.read->bytes.data(), got);
  s.failedWaits = 0;
  result.status = PortRead::Status::kData;
  result.bytes = got;
  return result;
}

// False when the interrupt or a close ended the pause.
bool SerialPort::PauseAfterFailedWait(DWORD ms, HANDLE interrupt) {
  return WaitForAny(interrupt, state_->closeRequest.get(), nullptr, ms) < 0;
}

std::size_t SerialPort::Read(char* buffer, std::size_t capacity,
                             std::chrono::milliseconds timeout) {
  const PortRead r = ReadSome(buffer, capacity, Milliseconds(timeout));
  if (r.status == PortRead::Status::kData) return r.bytes;
  if (r.status == PortRead::Status::kTimeout || r.status == PortRead::Status::kInterrupted) {
    return 0;
  }
  Fail(SerialErrorKind::kIo, "read failed",
       r.status == PortRead::Status::kClosed ? static_cast<DWORD>(ERROR_INVALID_HANDLE) : r.error);
}

void SerialPort::FinishWrite() {
  State& s = *state_;
  if (!s.writePending) return;
  s.writePending = false;
  const HANDLE h = s.handle.get();
  if (WaitForSingleObject(s.write->event.get(), kWriteCompletionWaitMs) == WAIT_OBJECT_0) {
    DWORD written = 0;
    (void)GetOverlappedResult(h, &s.write->overlapped, &written, FALSE);
    return;
  }
  (void)EndPendingRequest(h, s.write);
}

void SerialPort::Write(std::string_view frame) noexcept {
  State& s = *state_;
  if (!s.handle.valid() || frame.empty() || frame.size() > MAXDWORD) return;
  FinishWrite();
  if (!s.write->ready()) return;
  s.write->bytes.assign(frame);
  if (WriteFile(s.handle.get(), s.write->bytes.data(), static_cast<DWORD>(s.write->bytes.size()),
                nullptr, s.write->Begin())) {
    return;  // completed at once
  }
  if (GetLastError() == ERROR_IO_PENDING) s.writePending = true;
}

void SerialPort::WriteAll(std::string_view data, std::chrono::milliseconds timeout) {
  State& s = *state_;
  if (data.empty()) return;
  if (!s.handle.valid()) Fail(SerialErrorKind::kIo, "write failed", ERROR_INVALID_HANDLE);
  if (data.size() > MAXDWORD) Fail(SerialErrorKind::kIo, "write failed", ERROR_INVALID_PARAMETER);
  FinishWrite();
  if (!s.write->ready()) Fail(SerialErrorKind::kIo, "write failed", ERROR_NOT_ENOUGH_MEMORY);
  const HANDLE h = s.handle.get();
  s.write->bytes.assign(data);
  const DWORD size = static_cast<DWORD>(data.size());
  if (!WriteFile(h, s.write->bytes.data(), size, nullptr, s.write->Begin())) {
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) Fail(SerialErrorKind::kIo, "write failed", error);
    if (WaitForSingleObject(s.write->event.get(), Milliseconds(timeout)) != WAIT_OBJECT_0 &&
        !EndPendingRequest(h, s.write)) {
      Fail(SerialErrorKind::kTimeout, "the driver does not end a write", WAIT_TIMEOUT);
    }
  }
  DWORD written = 0;
  if (!GetOverlappedResult(h, &s.write->overlapped, &written, FALSE)) {
    const DWORD error = GetLastError();
    if (error != ERROR_OPERATION_ABORTED) Fail(SerialErrorKind::kIo, "write failed", error);
  }
  if (written != size) {
    throw SerialError(SerialErrorKind::kTimeout, s.name,
                      s.name + ": write timed out after " + std::to_string(written) + " of " +
                          std::to_string(size) + " bytes (flow control held the line?)",
                      0);
  }
}

void SerialPort::DiscardInput() {
  if (!PurgeComm(state_->handle.get(), PURGE_RXCLEAR)) {
    Fail(SerialErrorKind::kIo, "cannot discard received bytes", GetLastError());
  }
}

}  // namespace korvex7::win32
