#include "platform/win32/overlapped_io.h"

#include <atomic>

namespace korvex7::win32 {

namespace {
std::atomic<unsigned> g_abandoned{0};
}  // namespace

OVERLAPPED* IoRecord::Begin() {
  overlapped = OVERLAPPED{};
  overlapped.hEvent = event.get();
  if (event.valid()) ResetEvent(event.get());
  return &overlapped;
}

bool EndPendingRequest(HANDLE handle, std::unique_ptr<IoRecord>& record, DWORD limitMs,
                       const std::function<void()>& askToEnd) {
  if (askToEnd) {
    askToEnd();
  } else {
    (void)CancelIoEx(handle, &record->overlapped);
  }
  if (record->event.valid() && WaitForSingleObject(record->event.get(), limitMs) == WAIT_OBJECT_0) {
    DWORD ignored = 0;
    (void)GetOverlappedResult(handle, &record->overlapped, &ignored, FALSE);
    return true;
  }
  // The driver may still complete the request into this record: it is never
  // freed.
  (void)record.release();
  g_abandoned.fetch_add(1, std::memory_order_relaxed);
  record = std::make_unique<IoRecord>();
  return false;
}

unsigned AbandonedIoRecords() { return g_abandoned.load(std::memory_order_relaxed); }

}  // namespace korvex7::win32
