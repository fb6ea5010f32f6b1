// The unit's serial line on Win32, set up in one place for the program and
// the command-line tool: the device path of a COM port, the open, the DCB
// fields, the time-outs, the driver queues and the order of the set-up steps.
//
// The line: 9600 baud, 8 data bits, even parity (not checked by the
// driver), 1 stop bit; by default CTS, DTR and RTS handshake and XON/XOFF
// both ways with limits of 256 bytes; queues of 2000 bytes; reads return at
// once with what has arrived, a write gives up after one second.
//
// The DCB fields that can stop reception or transmission by themselves are
// always set, whatever another program left in the driver: DSR sensitivity
// (drops every byte while DSR is off), DSR output flow (holds every byte),
// abort on error (fails all I/O after a line error until it is cleared),
// error-character replacement and NUL discarding (change the bytes).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace korvex7::win32 {

inline constexpr DWORD kDriverQueueBytes = 2000;

// How the line is driven beyond its fixed settings.
struct LineOptions {
  // True: CTS output flow, DTR and RTS handshake, XON/XOFF both ways, as
  // the unit's line is specified. False: no flow control at all, DTR and RTS
  // held on (2-wire RS-485 adapters whose CTS is not wired would otherwise
  // hold every byte until the write time-out).
  bool handshake = true;

  friend bool operator==(const LineOptions&, const LineOptions&) = default;
};

// "COM7" (any case) as "\\.\COM7", the form every COM port opens by (COM10
// and up only open so); any other name as it was given.
std::wstring ComDevicePath(std::wstring_view name);

// Opens a port for overlapped reads and writes, held exclusively; empty when
// CreateFileW failed (GetLastError says why).
UniqueHandle OpenComDevice(const std::wstring& devicePath);

// Line settings applied on opening: only these fields of the driver's DCB
// change, every other field keeps the driver's value.
void ApplyLineSettings(DCB& dcb, const LineOptions& options = {});

// The time-outs of the port: reads return at once with what has arrived,
// writes give up after one second.
COMMTIMEOUTS PortTimeouts();

// The steps of opening a port, in the order they run.
enum class OpenStep { kOpen, kEventMask, kQueues, kTimeouts, kLineSettings };

struct OpenStepFailure {
  OpenStep step;
  DWORD error;  // GetLastError() of the failed call

  friend bool operator==(const OpenStepFailure&, const OpenStepFailure&) = default;
};

// Sets the unit's line up on an open port: the received-character event,
// the driver queues, the time-outs, then the line settings over the driver's
// current ones. Every step runs even when an earlier one failed (on an
// invalid handle each fails in turn); the failed steps are returned in order.
std::vector<OpenStepFailure> SetUpUnitLine(HANDLE port, const LineOptions& options = {});

}  // namespace korvex7::win32
