// A quiet start: after a port is opened or a connection made, and before the
// first command goes out, the line must fall silent.
//
// Bytes may already be on their way: a unit's late answer to a command of an
// earlier run, which a device server held from a connection that was cut and
// hands on at the start of the next one; the rest of an answer still coming
// in on a serial line. Taken for the answer to the first command, a stale
// "GO" would report a refused command as accepted. So everything that
// arrives is read and dropped until nothing has come for the quiet time; a
// line that does not fall silent within the limit (noise, a device that
// talks unasked) is no line to send commands on.
//
// The quiet time, measured (bench/quiet_start.sh, on a loaded two-core
// machine): ser2net handed on an answer held from an earlier connection 3 to
// 11 ms after the new connection (raw TCP and RFC 2217; up to about 40 ms
// counting the Telnet negotiation, after which whatever came with it is
// dropped anyway); the bytes of one answer at 9600 baud came at most 4 ms
// apart from the simulator, and up to about 60 ms apart through ser2net
// (which gathers bytes for a few character times before it sends them on).
// 100 ms of silence covers both; the limit, 1 s, leaves room for a stale
// answer of any length at 9600 baud.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "link/link_port.h"

namespace korvex7::links {

struct QuietLineTiming {
  std::chrono::milliseconds quiet{100};   // silence that makes the line quiet
  std::chrono::milliseconds limit{1000};  // the longest wait for it
};

struct QuietLineResult {
  enum Outcome {
    kQuiet,   // silent for the quiet time
    kNoisy,   // still sending at the limit
    kClosed,  // the other end closed the connection (LinkErrorKind::kConnectionLost)
  } outcome = kQuiet;
  std::size_t dropped = 0;  // bytes read and dropped
  std::string start;        // the first of them (at most 256), for messages
  std::string closeError;   // kClosed: the error that said so
};

// Reads and drops what the port delivers until it has been silent for the
// quiet time, or the limit has passed, or the connection was closed. Any
// other failure of the port is thrown (LinkError).
QuietLineResult WaitForQuietLine(LinkPort& port, const QuietLineTiming& timing,
                                 ExchangeClock& clock = SystemClock());

// The LinkError for a line that did not fall silent (LinkErrorKind::kUnreliable).
LinkError NoisyLineError(const std::string& portName, const QuietLineTiming& timing,
                         const QuietLineResult& result);

}  // namespace korvex7::links
