#include "win/serial/receive_thread.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace korvex7::win {

namespace {
constexpr DWORD kStopWaitMs = 5000;
// How long a cancelled request may take to let go of its record.
constexpr DWORD kCancelWaitMs = 2000;
constexpr DWORD kAbortedWaitBackoffCapMs = 50;
constexpr DWORD kFailedWaitBackoffCapMs = 100;
}  // namespace

DWORD FailedWaitBackoffMs(int consecutiveFailures, DWORD lastError) {
  const DWORD cap =
      lastError == ERROR_OPERATION_ABORTED ? kAbortedWaitBackoffCapMs : kFailedWaitBackoffCapMs;
  const int shift = std::clamp(consecutiveFailures - 1, 0, 16);
  return std::min<DWORD>(DWORD{1} << shift, cap);
}

void DiscardPostedLines(HWND target) {
  MSG msg;
  while (PeekMessageW(&msg, target, kLineReceivedMessage, kLineReceivedMessage, PM_REMOVE)) {
    TakePostedLine(msg.lParam);
  }
}

ReceiveThread::ReceiveThread(SerialPort& port, HWND target)
    : port_(port),
      target_(target),
      stop_(win32::CreateManualResetEvent()),
      io_(std::make_unique<IoRecord>()) {}

ReceiveThread::~ReceiveThread() {
  if (!Stop()) ExitProcess(kStuckExitCode);
}

bool ReceiveThread::Start() {
  if (thread_.valid()) return true;
  if (!stop_.valid() || !io_->event.valid()) return false;
  ResetEvent(stop_.get());
  thread_.reset(CreateThread(nullptr, 0, &ReceiveThread::Entry, this, 0, nullptr));
  return thread_.valid();
}

bool ReceiveThread::Stop() {
  if (!thread_.valid()) return true;
  SetEvent(stop_.get());
  if (WaitForSingleObject(thread_.get(), kStopWaitMs) != WAIT_OBJECT_0) return false;
  thread_.reset();
  return true;
}

DWORD WINAPI ReceiveThread::Entry(void* self) {
  static_cast<ReceiveThread*>(self)->Run();
  return 0;
}

void ReceiveThread::Run() {
  int failedWaits = 0;
  std::uint64_t readingOpen = 0;
  while (WaitForSingleObject(stop_.get(), 0) == WAIT_TIMEOUT) {
    std::uint64_t open = 0;
    const HANDLE port = port_.BeginReading(open);
    if (port == nullptr) {
      failedWaits = 0;
      Pause(kNoPortPauseMs, false);
      continue;
    }
    if (open != readingOpen) {
      // The port was opened anew: a line the old one left half received (its
      // unit went away mid-answer) never ends on this one, and would spoil
      // the first answer that comes.
      assembler_.Clear();
      readingOpen = open;
    }
    DWORD lastError = 0;
    const Pass pass = OnePass(port, lastError);
    port_.EndReading();
    PostLines();
    if (pass == Pass::kWaitFailed) {
      ++failedWaits;
      Pause(FailedWaitBackoffMs(failedWaits, lastError), true);
    } else if (pass != Pass::kInterrupted) {
      failedWaits = 0;
    }
  }
  // Leave the driver's input queue empty for whoever opens the port next.
  if (const HANDLE port = port_.BeginReading(); port != nullptr) {
    PurgeComm(port, PURGE_RXCLEAR);
    port_.EndReading();
  }
}

void ReceiveThread::Pause(DWORD ms, bool includeCloseRequest) {
  const HANDLE handles[2] = {stop_.get(), port_.closeRequestEvent()};
  const DWORD count = includeCloseRequest && handles[1] != nullptr ? 2 : 1;
  (void)WaitForMultipleObjects(count, handles, FALSE, ms);
}

void ReceiveThread::BeginRequest() {
  io_->overlapped = OVERLAPPED{};
  io_->overlapped.hEvent = io_->event.get();
  ResetEvent(io_->event.get());
}

bool ReceiveThread::AwaitIo(HANDLE port, bool commEvent) {
  const HANDLE handles[3] = {io_->event.get(), stop_.get(), port_.closeRequestEvent()};
  const DWORD count = handles[2] != nullptr ? 3 : 2;
  const DWORD r = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
  if (r == WAIT_OBJECT_0) return true;
  // Stop or close requested: end this thread's request. Setting the event
  // mask again ends a pending WaitCommEvent on every driver (some do not
  // cancel a pending event wait).
  CancelIoEx(port, &io_->overlapped);
  if (commEvent) SetCommMask(port, EV_RXCHAR);
  if (WaitForSingleObject(io_->event.get(), kCancelWaitMs) != WAIT_OBJECT_0) {
    // The driver still holds the request and may complete it later into its
    // record: leave the record to it and use a new one.
    (void)io_.release();
    io_ = std::make_unique<IoRecord>();
    return false;
  }
  DWORD ignored = 0;
  (void)GetOverlappedResult(port, &io_->overlapped, &ignored, FALSE);
  return false;
}

ReceiveThread::Pass ReceiveThread::OnePass(HANDLE port, DWORD& lastError) {
  // Wait for a received-character event.
  BeginRequest();
  io_->events = 0;
  BOOL waited = WaitCommEvent(port, &io_->events, &io_->overlapped);
  if (!waited) {
    lastError = GetLastError();
    if (lastError == ERROR_IO_PENDING) {
      if (!AwaitIo(port, true)) return Pass::kInterrupted;
      DWORD ignored = 0;
      waited = GetOverlappedResult(port, &io_->overlapped, &ignored, FALSE);
      lastError = waited ? 0 : GetLastError();
    }
  }
  const DWORD events = io_->events;

  // Fetch and clear the error state; line errors are dropped here and a
  // garbled reply is caught by the reply checks. This also says how many
  // bytes are waiting.
  DWORD errors = 0;
  COMSTAT status{};
  const DWORD waiting = ClearCommError(port, &errors, &status) ? status.cbInQue : 0;
  if (!waited) {
    if (waiting == 0) return Pass::kWaitFailed;
  } else if ((events & EV_RXCHAR) == 0 || waiting == 0) {
    return Pass::kIdle;
  }

  // The time-outs make this read return at once with the bytes present.
  BeginRequest();
  const DWORD wanted = std::min<DWORD>(waiting, static_cast<DWORD>(kReadBufferBytes));
  if (!ReadFile(port, io_->buffer, wanted, nullptr, &io_->overlapped)) {
    if (GetLastError() != ERROR_IO_PENDING) {
      ClearCommError(port, &errors, &status);
      return Pass::kIdle;
    }
    if (!AwaitIo(port, false)) return Pass::kInterrupted;
  }
  DWORD got = 0;
  if (!GetOverlappedResult(port, &io_->overlapped, &got, FALSE)) {
    ClearCommError(port, &errors, &status);
    return Pass::kIdle;
  }
  if (got == 0) return Pass::kIdle;
  assembler_.Feed(std::string_view(io_->buffer, got), lines_);
  return Pass::kRead;
}

void ReceiveThread::PostLines() {
  for (ReceivedLine& line : lines_) {
    auto copy = std::make_unique<ReceivedLine>(std::move(line));
    if (PostMessageW(target_, kLineReceivedMessage, 0, reinterpret_cast<LPARAM>(copy.get()))) {
      (void)copy.release();  // the receiver owns it now
    }
  }
  lines_.clear();
}

}  // namespace korvex7::win
