// The failure of a network connection, the same on every platform: what
// kind of failure it was, with the address and the operating system's words
// in the message.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace korvex7::platform {

enum class NetworkErrorKind {
  kResolve,  // the host name is not known
  kConnect,  // refused, unreachable, or no answer within the time allowed
  kClosed,   // the other end closed the connection
  kIo,       // a read or a write failed (reset, broken)
  kTimeout,  // a write could not finish in time
  kListen,   // the listening socket could not be set up
};

class NetworkError : public std::runtime_error {
 public:
  NetworkError(NetworkErrorKind kind, std::string what)
      : std::runtime_error(std::move(what)), kind_(kind) {}
  NetworkErrorKind kind() const { return kind_; }

 private:
  NetworkErrorKind kind_;
};

// "HOST:PORT" as the messages name a peer, an IPv6 address in brackets.
inline std::string FormatHostPort(std::string_view host, std::uint16_t port) {
  const bool v6 = host.find(':') != std::string_view::npos;
  return (v6 ? "[" : "") + std::string(host) + (v6 ? "]:" : ":") + std::to_string(port);
}

}  // namespace korvex7::platform
