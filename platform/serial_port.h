// The serial port of the platform being built for, under one name:
// platform::SerialPort and platform::ListSerialPorts are the POSIX port
// (platform/posix) or the Win32 port (platform/win32). Both open a port by
// the name the operator gives, configure the unit's line, read with a
// time-out, write every byte, discard received input and list the ports of
// the computer (platform/port_list.h); every failure is a
// platform::SerialError.
#pragma once

#include "platform/serial_error.h"

#if defined(_WIN32)
#include "platform/win32/serial_port.h"

namespace korvex7::platform {
using win32::ListSerialPorts;
using win32::SerialPort;
}  // namespace korvex7::platform
#else
#include "platform/posix/serial_port.h"

namespace korvex7::platform {
using posix::ListSerialPorts;
using posix::SerialPort;
}  // namespace korvex7::platform
#endif
