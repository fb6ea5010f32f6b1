// The failure of a network connection, the same on every platform: what
// kind of failure it was, the peer, the operating system's words and code.
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

// what(): "PEER: DETAIL" ("10.0.0.5:4001: cannot connect: Connection
// refused"), or DETAIL alone when no peer is concerned. A caller that names
// the peer its own way ("tcp://10.0.0.5:4001") takes peer() and detail()
// apart; osError() is the system's code (errno, or the Winsock or Win32
// code), 0 when the failure is not the system's (a time-out, the end of the
// connection).
class NetworkError : public std::runtime_error {
 public:
  NetworkError(NetworkErrorKind kind, std::string peer, std::string detail, int osError = 0)
      : std::runtime_error(peer.empty() ? detail : peer + ": " + detail),
        kind_(kind),
        peer_(std::move(peer)),
        detail_(std::move(detail)),
        osError_(osError) {}
  NetworkErrorKind kind() const { return kind_; }
  const std::string& peer() const { return peer_; }
  const std::string& detail() const { return detail_; }
  int osError() const { return osError_; }

 private:
  NetworkErrorKind kind_;
  std::string peer_;
  std::string detail_;
  int osError_;
};

// "HOST:PORT" as the messages name a peer, an IPv6 address in brackets.
inline std::string FormatHostPort(std::string_view host, std::uint16_t port) {
  const bool v6 = host.find(':') != std::string_view::npos;
  return (v6 ? "[" : "") + std::string(host) + (v6 ? "]:" : ":") + std::to_string(port);
}

}  // namespace korvex7::platform
