#include "tools/ctl/network_link.h"

#include <utility>

#include "platform/tcp_socket.h"
#include "tools/ctl/rfc2217_client.h"

namespace korvex7::ctl {

namespace {

using platform::NetworkError;
using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Left(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

// The platform names the peer "HOST:PORT"; the operator typed the address
// with its scheme, and that is the name the messages use.
LinkError Reworded(const NetworkError& e, const std::string& peer, const std::string& name) {
  const std::string what = e.what();
  if (what.compare(0, peer.size(), peer) == 0) return LinkError(name + what.substr(peer.size()));
  return LinkError(what);
}

std::string ParityName(std::uint8_t parity) {
  switch (parity) {
    case 1:
      return "none";
    case 2:
      return "odd";
    case 3:
      return "even";
    case 4:
      return "mark";
    case 5:
      return "space";
    default:
      return "code " + std::to_string(parity);
  }
}

// Raw TCP: the server's port is the line itself.
class TcpLinkPort : public LinkPort {
 public:
  TcpLinkPort(platform::TcpStream stream, std::string name)
      : stream_(std::move(stream)), name_(std::move(name)) {}

  void Write(std::string_view frame) override {
    try {
      stream_.WriteAll(Outgoing(frame));
    } catch (const NetworkError& e) {
      writeError_ = Reworded(e, stream_.peer(), name_).what();
    }
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
      if (!pending_.empty()) {
        const std::size_t n = std::min(capacity, pending_.size());
        pending_.copy(buffer, n);
        pending_.erase(0, n);
        return n;
      }
      if (!ReceiveSome(Left(deadline))) return 0;
    }
  }

  void DiscardInput() override {
    while (ReceiveSome(std::chrono::milliseconds(0))) {
    }
    pending_.clear();
  }

  std::string TakeWriteError() override { return std::exchange(writeError_, std::string()); }

 protected:
  // Reads once from the socket, up to `timeout`; the line's bytes go to
  // pending_. False when nothing came in time.
  bool ReceiveSome(std::chrono::milliseconds timeout) {
    char raw[512];
    std::size_t n = 0;
    try {
      n = stream_.Read(raw, sizeof raw, timeout);
    } catch (const NetworkError& e) {
      throw Reworded(e, stream_.peer(), name_);
    }
    if (n == 0) return false;
    Incoming(std::string_view(raw, n));
    return true;
  }

  virtual void Incoming(std::string_view raw) {
    // The unit speaks ASCII; a 0xFF first is a Telnet server's negotiation.
    if (!anyReceived_ && static_cast<unsigned char>(raw.front()) == telnet::kIac) {
      throw LinkError(name_ +
                      ": the server speaks Telnet: it is an RFC 2217 port, give it as rfc2217://");
    }
    anyReceived_ = true;
    pending_.append(raw);
  }

  virtual std::string Outgoing(std::string_view frame) { return std::string(frame); }

  void Send(std::string_view bytes) {
    try {
      stream_.WriteAll(bytes);
    } catch (const NetworkError& e) {
      throw Reworded(e, stream_.peer(), name_);
    }
  }

  platform::TcpStream stream_;
  std::string name_;
  std::string pending_;
  std::string writeError_;
  bool anyReceived_ = false;
};

// RFC 2217: Telnet, the com-port option negotiated and the line set first.
class Rfc2217LinkPort final : public TcpLinkPort {
 public:
  Rfc2217LinkPort(platform::TcpStream stream, std::string name, const NetworkTiming& timing)
      : TcpLinkPort(std::move(stream), std::move(name)) {
    Send(client_.Start());
    auto deadline = Clock::now() + timing.negotiation;
    while (client_.comPort() == Rfc2217Client::ComPort::kAsked) {
      if (!ReceiveSome(Left(deadline))) {
        throw LinkError(
            name_ + ": the server did not take up the RFC 2217 com-port option within " +
            std::to_string(timing.negotiation.count()) + " ms (a raw TCP port is given as tcp://)");
      }
    }
    if (client_.comPort() == Rfc2217Client::ComPort::kRefused) {
      throw LinkError(name_ +
                      ": the server refused the RFC 2217 com-port option, so the line cannot be "
                      "set to 9600 baud, 8 data bits, even parity");
    }
    const ComPortSettings wanted = UnitLineSettings();
    Send(Rfc2217Client::RequestSettings(wanted));
    deadline = Clock::now() + timing.negotiation;
    while (!Complete(client_.confirmed())) {
      if (!ReceiveSome(Left(deadline))) {
        throw LinkError(name_ + ": the server did not confirm the line settings within " +
                        std::to_string(timing.negotiation.count()) + " ms");
      }
    }
    CheckConfirmed(client_.confirmed(), wanted);
    // Whatever came with the negotiation is not an answer to a command.
    pending_.clear();
  }

 private:
  static bool Complete(const ComPortSettings& s) {
    return s.baudRate && s.dataSize && s.parity && s.stopSize;
  }

  void CheckConfirmed(const ComPortSettings& got, const ComPortSettings& wanted) const {
    std::string wrong;
    auto add = [&](const std::string& what) { wrong += (wrong.empty() ? "" : ", ") + what; };
    if (got.baudRate != wanted.baudRate) add(std::to_string(*got.baudRate) + " baud");
    if (got.dataSize != wanted.dataSize) add(std::to_string(*got.dataSize) + " data bits");
    if (got.parity != wanted.parity) add(ParityName(*got.parity) + " parity");
    if (got.stopSize != wanted.stopSize) add("stop size code " + std::to_string(*got.stopSize));
    if (!wrong.empty()) {
      throw LinkError(name_ + ": the server set the line to " + wrong +
                      " instead of 9600 baud, 8 data bits, even parity, 1 stop bit");
    }
  }

  void Incoming(std::string_view raw) override {
    std::string data;
    std::string replies;
    client_.Receive(raw, data, replies);
    if (!replies.empty()) Send(replies);
    pending_ += data;
  }

  std::string Outgoing(std::string_view frame) override { return Rfc2217Client::EscapeData(frame); }

  Rfc2217Client client_;
};

}  // namespace

std::unique_ptr<LinkPort> OpenNetworkLinkPort(const PortAddress& address,
                                              const NetworkTiming& timing) {
  const std::string name = address.ToString();
  try {
    platform::TcpStream stream =
        platform::TcpStream::Connect(address.host, address.port, timing.connect);
    if (address.kind == PortAddress::Kind::kRfc2217) {
      return std::make_unique<Rfc2217LinkPort>(std::move(stream), name, timing);
    }
    return std::make_unique<TcpLinkPort>(std::move(stream), name);
  } catch (const NetworkError& e) {
    throw Reworded(e, platform::FormatHostPort(address.host, address.port), name);
  }
}

std::unique_ptr<LinkPort> OpenPort(const std::string& text) {
  const ParsedPortAddress parsed = ParsePortAddress(text);
  if (!parsed.address) throw LinkError(parsed.error);
  if (parsed.address->kind == PortAddress::Kind::kSerial) return OpenLinkPort(text);
  return OpenNetworkLinkPort(*parsed.address);
}

}  // namespace korvex7::ctl
