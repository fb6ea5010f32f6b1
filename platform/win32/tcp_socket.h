// TCP on Windows (Winsock): a connection to a serial device server, for
// korvex7ctl.exe's network ports. The same public side as the POSIX
// connection (platform/posix/tcp_socket.h); platform/tcp_socket.h names
// whichever is built. Every failure is a NetworkError naming the address,
// with the system's words.
//
// Threads: a TcpStream is used by one thread at a time.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/network_error.h"

namespace korvex7::win32 {

using platform::NetworkError;
using platform::NetworkErrorKind;

using platform::FormatHostPort;

class TcpStream {
 public:
  // Connects to `host` (a name, an IPv4 or an IPv6 address) on `port`, trying
  // each address the name has in turn, all of them within `timeout` (each
  // attempt gets an even share of the time left).
  static TcpStream Connect(const std::string& host, std::uint16_t port,
                           std::chrono::milliseconds timeout);

  TcpStream(TcpStream&& other) noexcept;
  TcpStream& operator=(TcpStream&& other) noexcept;
  TcpStream(const TcpStream&) = delete;
  TcpStream& operator=(const TcpStream&) = delete;
  ~TcpStream();

  const std::string& peer() const { return peer_; }

  // Reads what has arrived, waiting up to `timeout` for the first byte.
  // Returns 0 when nothing arrived in time; throws kClosed when the other
  // end has closed the connection, kIo when it broke.
  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout);

  // Writes every byte, for at most `timeout` without progress.
  void WriteAll(std::string_view data,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

 private:
  // The socket is kept as the integer Winsock gives (SOCKET), so that this
  // header needs no Winsock header.
  TcpStream(std::uintptr_t socket, std::string peer) : socket_(socket), peer_(std::move(peer)) {}

  std::uintptr_t socket_;
  std::string peer_;
};

}  // namespace korvex7::win32
