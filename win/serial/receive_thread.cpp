#include "win/serial/receive_thread.h"

#include <string_view>

namespace korvex7::win {

namespace {
constexpr DWORD kStopWaitMs = 5000;
}  // namespace

void DiscardPostedLines(HWND target) {
  MSG msg;
  while (PeekMessageW(&msg, target, kLineReceivedMessage, kLineReceivedMessage, PM_REMOVE)) {
    TakePostedLine(msg.lParam);
  }
}

ReceiveSource::Read SerialReceiveSource::ReadSome(char* buffer, std::size_t capacity, DWORD waitMs,
                                                  HANDLE stop) {
  using Status = win32::PortRead::Status;
  const win32::PortRead r = port_.ReadSome(buffer, capacity, waitMs, stop);
  Read read;
  read.opening = r.openNumber;
  read.error = r.error;
  switch (r.status) {
    case Status::kData:
      read.status = Read::Status::kBytes;
      read.count = r.bytes;
      break;
    case Status::kTimeout:
    case Status::kInterrupted:
      read.status = Read::Status::kNothing;
      break;
    case Status::kClosed:
      read.status = Read::Status::kNoLink;
      break;
    case Status::kFailed:
      read.status = Read::Status::kFailed;
      break;
  }
  return read;
}

ReceiveThread::ReceiveThread(ReceiveSource& source, HWND target)
    : source_(source), target_(target), stop_(win32::CreateManualResetEvent()) {}

ReceiveThread::~ReceiveThread() {
  if (!Stop()) ExitProcess(kStuckExitCode);
}

bool ReceiveThread::Start() {
  if (thread_.valid()) return true;
  if (!stop_.valid()) return false;
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
  using Status = ReceiveSource::Read::Status;
  std::uint64_t readingOpening = 0;
  std::uint64_t reportedOpening = 0;
  while (WaitForSingleObject(stop_.get(), 0) == WAIT_TIMEOUT) {
    const ReceiveSource::Read r =
        source_.ReadSome(buffer_, sizeof(buffer_), kLinkCheckMs, stop_.get());
    switch (r.status) {
      case Status::kBytes:
        if (r.opening != readingOpening) {
          // The link was opened anew: a line the old one left half received
          // (its unit went away mid-answer) never ends on this one, and
          // would spoil the first answer that comes.
          assembler_.Clear();
          readingOpening = r.opening;
        }
        assembler_.Feed(std::string_view(buffer_, r.count), lines_);
        PostLines();
        break;
      case Status::kNothing:
        break;
      case Status::kNoLink:
        Pause(kNoLinkPauseMs);
        break;
      case Status::kFailed:
        if (r.opening != reportedOpening) {
          reportedOpening = r.opening;
          PostMessageW(target_, kLinkFailedMessage, static_cast<WPARAM>(r.opening),
                       static_cast<LPARAM>(r.error));
        }
        Pause(kFailedLinkPauseMs);
        break;
    }
  }
}

void ReceiveThread::Pause(DWORD ms) { (void)WaitForSingleObject(stop_.get(), ms); }

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
