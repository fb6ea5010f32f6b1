#include "core/link/rfc2217_client.h"

namespace korvex7 {

namespace {

using namespace telnet;

// The options the client turns on for its own side, and asks of the server.
bool WantedOurs(std::uint8_t option) {
  return option == kBinary || option == kSuppressGoAhead || option == kComPort;
}
bool WantedHis(std::uint8_t option) { return option == kBinary || option == kSuppressGoAhead; }

void Put(std::string& out, std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  out += static_cast<char>(a);
  out += static_cast<char>(b);
  out += static_cast<char>(c);
}

// A value byte inside a sub-negotiation; 0xFF is doubled there too.
void PutEscaped(std::string& out, std::uint8_t b) {
  out += static_cast<char>(b);
  if (b == kIac) out += static_cast<char>(kIac);
}

}  // namespace

ComPortSettings UnitLineSettings() { return ComPortSettings{9600, 8, kParityEven, kStopSizeOne}; }

void Rfc2217Client::Ask(std::uint8_t verb, std::uint8_t option, std::string& out) {
  Option& o = options_[option];
  if (verb == kWill) o.oursAsked = true;
  if (verb == kDo) o.hisAsked = true;
  Put(out, kIac, verb, option);
}

std::string Rfc2217Client::Start() {
  std::string out;
  Ask(kWill, kComPort, out);
  Ask(kWill, kBinary, out);
  Ask(kDo, kBinary, out);
  Ask(kDo, kSuppressGoAhead, out);
  return out;
}

void Rfc2217Client::Command(std::uint8_t verb, std::uint8_t option, std::string& replies) {
  Option& o = options_[option];
  switch (verb) {
    case kDo:
      if (!WantedOurs(option)) {
        Put(replies, kIac, kWont, option);
        return;
      }
      if (!o.ours) {
        o.ours = true;
        if (!o.oursAsked) Put(replies, kIac, kWill, option);
      }
      o.oursAsked = false;
      if (option == kComPort) comPort_ = ComPort::kAgreed;
      return;
    case kDont: {
      const bool wasOn = o.ours;
      const bool asked = o.oursAsked;
      o.ours = false;
      o.oursAsked = false;
      if (wasOn) Put(replies, kIac, kWont, option);
      if (option == kComPort && (wasOn || asked)) comPort_ = ComPort::kRefused;
      return;
    }
    case kWill:
      if (!WantedHis(option)) {
        Put(replies, kIac, kDont, option);
        return;
      }
      if (!o.his) {
        o.his = true;
        if (!o.hisAsked) Put(replies, kIac, kDo, option);
      }
      o.hisAsked = false;
      return;
    case kWont: {
      const bool wasOn = o.his;
      o.his = false;
      o.hisAsked = false;
      if (wasOn) Put(replies, kIac, kDont, option);
      return;
    }
    default:
      return;
  }
}

void Rfc2217Client::Subnegotiation() {
  if (sub_.size() < 3 || static_cast<std::uint8_t>(sub_[0]) != kComPort) return;
  const auto command = static_cast<std::uint8_t>(sub_[1]);
  const std::string_view value = std::string_view(sub_).substr(2);
  auto byte = [&] { return static_cast<std::uint8_t>(value[0]); };
  switch (command) {
    case kServerOffset + kSetBaudRate:
      if (value.size() == 4) {
        std::uint32_t baud = 0;
        for (const char c : value) baud = (baud << 8) | static_cast<std::uint8_t>(c);
        confirmed_.baudRate = baud;
      }
      return;
    case kServerOffset + kSetDataSize:
      if (value.size() == 1) confirmed_.dataSize = byte();
      return;
    case kServerOffset + kSetParity:
      if (value.size() == 1) confirmed_.parity = byte();
      return;
    case kServerOffset + kSetStopSize:
      if (value.size() == 1) confirmed_.stopSize = byte();
      return;
    default:
      // Line state, modem state, flow control and the rest: not asked for.
      return;
  }
}

void Rfc2217Client::Receive(std::string_view bytes, std::string& data, std::string& replies) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    switch (state_) {
      case State::kData:
        if (b == kIac) {
          state_ = State::kIac;
        } else if (b == 0 && afterCr_ && !options_[kBinary].his) {
          afterCr_ = false;  // a text-mode server sends a bare CR as CR NUL
        } else {
          data += static_cast<char>(b);
          afterCr_ = b == '\r';
        }
        break;
      case State::kIac:
        if (b == kIac) {
          data += static_cast<char>(kIac);
          afterCr_ = false;
          state_ = State::kData;
        } else if (b >= kWill && b <= kDont) {
          verb_ = b;
          state_ = State::kOption;
        } else if (b == kSb) {
          sub_.clear();
          subOverflow_ = false;
          state_ = State::kSubnegotiation;
        } else {
          state_ = State::kData;  // NOP, GA, DM and the like, or a stray SE
        }
        break;
      case State::kOption:
        Command(verb_, b, replies);
        state_ = State::kData;
        break;
      case State::kSubnegotiation:
      case State::kSubnegotiationIac:
        if (state_ == State::kSubnegotiation && b == kIac) {
          state_ = State::kSubnegotiationIac;
          break;
        }
        if (state_ == State::kSubnegotiationIac && b == kSe) {
          if (!subOverflow_) Subnegotiation();
          sub_.clear();
          state_ = State::kData;
          break;
        }
        if (state_ == State::kSubnegotiationIac && b != kIac) {
          // IAC and anything but IAC or SE: the sub-negotiation was cut
          // short; the byte is a command of its own.
          sub_.clear();
          state_ = State::kIac;
          --i;
          break;
        }
        if (sub_.size() < kMaxSubnegotiation) {
          sub_ += static_cast<char>(b);
        } else {
          subOverflow_ = true;
        }
        state_ = State::kSubnegotiation;
        break;
    }
  }
}

std::string Rfc2217Client::EscapeData(std::string_view data) {
  std::string out;
  out.reserve(data.size());
  for (const char c : data) {
    out += c;
    if (static_cast<std::uint8_t>(c) == kIac) out += c;
  }
  return out;
}

std::string Rfc2217Client::RequestSettings(const ComPortSettings& settings) {
  std::string out;
  auto one = [&](std::uint8_t command, std::initializer_list<std::uint8_t> value) {
    Put(out, kIac, kSb, kComPort);
    out += static_cast<char>(command);
    for (const std::uint8_t b : value) PutEscaped(out, b);
    out += static_cast<char>(kIac);
    out += static_cast<char>(kSe);
  };
  const std::uint32_t baud = settings.baudRate.value_or(0);
  one(kSetBaudRate, {static_cast<std::uint8_t>(baud >> 24), static_cast<std::uint8_t>(baud >> 16),
                     static_cast<std::uint8_t>(baud >> 8), static_cast<std::uint8_t>(baud)});
  one(kSetDataSize, {settings.dataSize.value_or(0)});
  one(kSetParity, {settings.parity.value_or(0)});
  one(kSetStopSize, {settings.stopSize.value_or(0)});
  return out;
}

}  // namespace korvex7
