// TCP on POSIX: a connection to a serial device server (the command-line
// tool's network ports) and a listening socket (the simulator's --listen).
//
// Every failure is a NetworkError that names the address and carries the
// OS's words, captured at the moment of failure. Sockets are owned and
// closed by their objects, moved, never copied.
//
// Threads: a TcpStream is used by one thread at a time.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/network_error.h"
#include "platform/posix/unique_fd.h"

namespace korvex7::posix {

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

  // Takes over a connected socket (from TcpListener::Accept).
  TcpStream(UniqueFd fd, std::string peer);

  TcpStream(TcpStream&&) noexcept = default;
  TcpStream& operator=(TcpStream&&) noexcept = default;

  const std::string& peer() const { return peer_; }
  int fd() const { return fd_.get(); }

  // Reads what has arrived, waiting up to `timeout` for the first byte.
  // Returns 0 when nothing arrived in time; throws kClosed when the other
  // end has closed the connection, kIo when it broke.
  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout);

  // Writes every byte, for at most `timeout` without progress.
  void WriteAll(std::string_view data,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

 private:
  UniqueFd fd_;
  std::string peer_;
};

class TcpListener {
 public:
  // Listens on `host` (an address, or a name that resolves to one) and
  // `port`; port 0 lets the system choose (see port()).
  static TcpListener Listen(const std::string& host, std::uint16_t port);

  TcpListener(TcpListener&&) noexcept = default;
  TcpListener& operator=(TcpListener&&) noexcept = default;

  int fd() const { return fd_.get(); }
  std::uint16_t port() const { return port_; }
  const std::string& address() const { return address_; }

  // Takes the next waiting connection; throws NetworkError when accepting
  // fails. Call when fd() is readable.
  TcpStream Accept();

 private:
  TcpListener(UniqueFd fd, std::uint16_t port, std::string address)
      : fd_(std::move(fd)), port_(port), address_(std::move(address)) {}

  UniqueFd fd_;
  std::uint16_t port_ = 0;
  std::string address_;
};

}  // namespace korvex7::posix
