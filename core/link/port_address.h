// What follows --port: a serial device (a path such as /dev/ttyUSB0, or a
// COM name on Windows), or a serial line reached through a serial device
// server on the network:
//
//   tcp://HOST:PORT       raw TCP: the bytes of the line and nothing else
//   rfc2217://HOST:PORT   Telnet with the RFC 2217 com-port control option
//
// HOST is a name, an IPv4 address or an IPv6 address in brackets
// ("[::1]"); PORT is 1..65535. The scheme is taken in any letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvex7 {

struct PortAddress {
  enum class Kind { kSerial, kTcp, kRfc2217 };
  Kind kind = Kind::kSerial;
  std::string device;  // kSerial: as typed
  std::string host;    // network: without the brackets of an IPv6 address
  std::uint16_t port = 0;

  // As the operator would type it (for messages).
  std::string ToString() const;
};

struct ParsedPortAddress {
  std::optional<PortAddress> address;
  std::string error;  // when there is no address: what is wrong with the text
};

// `anyPort`: port 0 is taken too (a listening socket: the system chooses).
ParsedPortAddress ParsePortAddress(std::string_view text, bool anyPort = false);

}  // namespace korvex7
