// The client side of a Telnet connection to a serial device server that
// offers the RFC 2217 com-port control option: the server's port is the
// unit's serial line, and the client sets that line to 9600 baud, 8 data
// bits, even parity and 1 stop bit before anything is sent to the unit.
//
// This is the protocol alone, with no socket: bytes received from the server
// go in through Receive(), which hands back the line's own bytes and what must
// be answered to the server; bytes for the line go out through EscapeData().
// It keeps no more than a bounded amount of anything the server sends (a
// sub-negotiation that never ends is dropped, not stored), since the network
// is as untrusted as the line.
//
// Negotiation. The client offers WILL COM-PORT-OPTION (44) and binary
// transmission both ways, and asks the server to suppress go-ahead. A server
// that agrees answers DO COM-PORT-OPTION; the client then sends the four
// line settings as sub-negotiations, and the server confirms each with the
// value it really set (command code + 100). Any other option the server asks
// for is refused; requests are answered once, never in a loop (a reply is
// sent only when the option's state changes). Notifications the client did
// not ask for (line state, modem state, flow control) are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvex7 {

namespace telnet {
inline constexpr std::uint8_t kSe = 240;
inline constexpr std::uint8_t kSb = 250;
inline constexpr std::uint8_t kWill = 251;
inline constexpr std::uint8_t kWont = 252;
inline constexpr std::uint8_t kDo = 253;
inline constexpr std::uint8_t kDont = 254;
inline constexpr std::uint8_t kIac = 255;

inline constexpr std::uint8_t kBinary = 0;
inline constexpr std::uint8_t kSuppressGoAhead = 3;
inline constexpr std::uint8_t kComPort = 44;

// Com-port commands from the client; the server answers with code + 100.
inline constexpr std::uint8_t kSetBaudRate = 1;
inline constexpr std::uint8_t kSetDataSize = 2;
inline constexpr std::uint8_t kSetParity = 3;
inline constexpr std::uint8_t kSetStopSize = 4;
inline constexpr std::uint8_t kServerOffset = 100;

inline constexpr std::uint8_t kParityEven = 3;
inline constexpr std::uint8_t kStopSizeOne = 1;
}  // namespace telnet

// The line settings the client asks for, and what the server confirmed.
struct ComPortSettings {
  std::optional<std::uint32_t> baudRate;
  std::optional<std::uint8_t> dataSize;
  std::optional<std::uint8_t> parity;
  std::optional<std::uint8_t> stopSize;
  friend bool operator==(const ComPortSettings&, const ComPortSettings&) = default;
};

// 9600 baud, 8 data bits, even parity, 1 stop bit: the unit's line.
ComPortSettings UnitLineSettings();

class Rfc2217Client {
 public:
  enum class ComPort { kAsked, kAgreed, kRefused };

  // The longest sub-negotiation kept; a longer one is skipped whole.
  static constexpr std::size_t kMaxSubnegotiation = 64;

  // What the client sends as soon as it is connected.
  std::string Start();

  // Takes bytes from the server. The line's bytes are appended to `data`,
  // answers to the server's requests to `replies` (to be sent as they are).
  void Receive(std::string_view bytes, std::string& data, std::string& replies);

  // The line's bytes as they go to the server (each 0xFF doubled).
  static std::string EscapeData(std::string_view data);

  // The four sub-negotiations that ask for `settings` (every field set).
  static std::string RequestSettings(const ComPortSettings& settings);

  ComPort comPort() const { return comPort_; }
  const ComPortSettings& confirmed() const { return confirmed_; }

 private:
  enum class State { kData, kIac, kOption, kSubnegotiation, kSubnegotiationIac };
  // Per option: whether it is on for our side (WILL) or the server's (DO),
  // and whether we asked for it and wait for the answer.
  struct Option {
    bool ours = false;
    bool oursAsked = false;
    bool his = false;
    bool hisAsked = false;
  };

  void Command(std::uint8_t verb, std::uint8_t option, std::string& replies);
  void Subnegotiation();
  void Ask(std::uint8_t verb, std::uint8_t option, std::string& out);

  State state_ = State::kData;
  std::uint8_t verb_ = 0;
  std::string sub_;
  bool subOverflow_ = false;
  bool afterCr_ = false;
  Option options_[256];
  ComPort comPort_ = ComPort::kAsked;
  ComPortSettings confirmed_;
};

}  // namespace korvex7
