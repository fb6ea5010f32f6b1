// SendCommand: the one way out to the unit. It puts the RS-485 address in
// front of the command (two digits, or "FF" for Broadcast), arms ReplyWait and
// hands the frame to the port.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/link/session.h"

namespace korvex7 {

// The frame buffer holds prefix, command and NUL in 600 bytes.
inline constexpr std::size_t kFrameBufferSize = 600;
inline constexpr std::size_t kMaxCommandLength = kFrameBufferSize - 3;
// SendCommandCopy copies into a 300-byte working buffer.
inline constexpr std::size_t kMaxCopiedCommandLength = 299;

// The two address characters for link.slaveAddress (0..31 digits, 32 "FF").
std::string AddressPrefix(std::int32_t slaveAddress);

// The bytes on the wire for a command in the given link mode and address.
std::string BuildFrame(const SettingsModel::Link& link, std::string_view command);

// Frames and writes one finished command (it ends in CR LF). Sets waitTicks
// and ackPending to 1; an RS-485 Broadcast is never answered, so it settles
// the wait at once. A command too long for the frame buffer is refused with
// unit status 8 and nothing is written. The frame is kept in session.sent, so
// that the reply side knows its echo.
void SendCommand(Session& session, std::string_view command);

// As SendCommand, for a command of at most 299 characters; a longer one is
// refused with unit status 8 rather than cut short.
void SendCommandCopy(Session& session, std::string_view command);

// A finished command text, or a refusal with the unit status to report
// (8 for a value out of range, 12 for a duplicated split-screen channel).
struct Encoded {
  std::string text;
  std::int32_t refusal = 0;

  bool ok() const { return refusal == 0; }
  static Encoded Command(std::string text) { return Encoded{std::move(text), 0}; }
  static Encoded Refused(std::int32_t status = kStatusCommandError) { return Encoded{{}, status}; }
};

// Sends an encoded command, or records its refusal in replyWait.unitStatus.
// Returns true when the command went to SendCommand.
bool SendEncoded(Session& session, const Encoded& encoded);

}  // namespace korvex7
