// The unit's serial line through a serial device server on the network:
// LinkPort over TCP, raw (the bytes of the line and nothing else) or with
// the RFC 2217 com-port control (Telnet; the line is set to 9600 baud,
// 8 data bits, even parity, 1 stop bit, and the server's confirmation of
// each setting is checked before the port is used). The same code serves the
// Linux tool and korvex7ctl.exe; only the socket below it is the platform's.
//
// Every failure is a LinkError naming the address: a host that cannot be
// found or reached, a server that does not agree to the com-port option or
// sets the line otherwise, a connection lost while in use. A unit that does
// not answer is not a failure here: reads simply return nothing in time.
//
// Every wait ends by its deadline whatever the server sends: connecting
// (every address of the host within the one connect time), the negotiation,
// each read (a server that streams Telnet commands or notifications without
// a pause delivers no byte of the line, and the read still ends in time),
// the dropping of input (a bounded amount). What is kept is bounded too.
//
// Once connected, the line must fall silent before it is used (a quiet
// start, quiet_line.h). A device server that closes the connection at once
// (ser2net sends "Port's device already in use" and closes, or resets a
// Telnet connection, when its device was in use a moment before) is tried
// again, a short pause apart, within the connect time; after that its port
// is reported busy.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "core/link/port_address.h"
#include "link/link_port.h"
#include "link/quiet_line.h"

namespace korvex7::links {

struct NetworkTiming {
  // Connecting, over every address of the host, and the retries of a busy
  // server.
  std::chrono::milliseconds connect{3000};
  // The server's answer to the com-port option, and its confirmation of the
  // line settings (RFC 2217 only).
  std::chrono::milliseconds negotiation{3000};
  // The quiet start after connecting.
  QuietLineTiming quiet;
  // Between two connections to a server that closed the last one at once.
  std::chrono::milliseconds busyPause{100};
};

std::unique_ptr<LinkPort> OpenNetworkLinkPort(const PortAddress& address,
                                              const NetworkTiming& timing = {});

// Opens the port the operator named after --port: a serial device or COM
// name, or a network address (tcp://, rfc2217://), and waits for a quiet
// line. Throws LinkError (kUnreliable when the line does not fall silent).
std::unique_ptr<LinkPort> OpenPort(const std::string& text);

}  // namespace korvex7::links
