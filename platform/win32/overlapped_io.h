// One overlapped request on a handle, with the record the driver writes
// into: the OVERLAPPED, its event, the event word of WaitCommEvent and the
// bytes of a read or a write. The record must stay alive until the driver
// has let go of the request, however the request ends.
//
// A request that has to end early (the port is closing, the thread is
// stopping, a write took too long) is ended with EndPendingRequest: the
// driver is asked to end it and given a limited time to do so. A driver
// that never ends it (some serial drivers keep a WaitCommEvent pending when
// the event mask changes or the request is cancelled) keeps the record for
// good: it is left allocated, never touched again, and the caller goes on
// with a new one. So no wait is unbounded and no memory the driver may still
// write into is ever freed or reused.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/unique_handle.h"

namespace korvex7::win32 {

struct IoRecord {
  OVERLAPPED overlapped{};
  UniqueHandle event = CreateManualResetEvent();
  DWORD events = 0;   // what WaitCommEvent reports
  std::string bytes;  // the frame of a write, the room of a read

  bool ready() const { return event.valid(); }

  // A fresh OVERLAPPED on the record's event, the event reset.
  OVERLAPPED* Begin();
};

// How long a driver is given to end a request it was asked to end.
inline constexpr DWORD kEndRequestLimitMs = 2000;

// Ends the request pending on `record`: `askToEnd` asks the driver (CancelIoEx
// on the record when none is given), then the request is awaited for up to
// `limitMs`. True when it has ended: the record is free again. False when it
// has not: the record is left to the driver for good and `record` is a new
// one (its event may be missing if none could be created; ready() says).
bool EndPendingRequest(HANDLE handle, std::unique_ptr<IoRecord>& record,
                       DWORD limitMs = kEndRequestLimitMs,
                       const std::function<void()>& askToEnd = {});

// The records left to drivers that never ended their requests, in this
// process so far.
unsigned AbandonedIoRecords();

}  // namespace korvex7::win32
