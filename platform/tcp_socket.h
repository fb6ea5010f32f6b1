// TCP of the platform being built for, under one name: platform::TcpStream
// (a connection: connect with a time-out, read with a time-out, write every
// byte) and platform::TcpListener (a listening socket) are the POSIX sockets
// (platform/posix) or Winsock (platform/win32). Every failure is a
// platform::NetworkError.
#pragma once

#include "platform/network_error.h"

#if defined(_WIN32)
#include "platform/win32/tcp_socket.h"

namespace korvex7::platform {
using win32::TcpStream;
}  // namespace korvex7::platform
#else
#include "platform/posix/tcp_socket.h"

namespace korvex7::platform {
using posix::TcpListener;
using posix::TcpStream;
}  // namespace korvex7::platform
#endif
