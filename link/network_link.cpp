#include "link/network_link.h"

#include <mutex>
#include <thread>
#include <utility>

#include "core/link/rfc2217_client.h"
#include "core/text/escaped_bytes.h"
#include "platform/tcp_socket.h"

namespace korvex7::links {

namespace {

using platform::NetworkError;
using platform::NetworkErrorKind;
using Clock = std::chrono::steady_clock;

// The most read and dropped by one DiscardInput, whatever the server sends.
constexpr std::size_t kDiscardLimit = 64 * 1024;

std::chrono::milliseconds Left(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

// The platform's failure in the operator's words: the address as typed,
// with its scheme, then what went wrong.
LinkError Reworded(const NetworkError& e, const std::string& name) {
  LinkErrorKind kind = LinkErrorKind::kFailed;
  switch (e.kind()) {
    case NetworkErrorKind::kResolve:
      kind = LinkErrorKind::kHostNotFound;
      break;
    case NetworkErrorKind::kConnect:
      kind = LinkErrorKind::kNotReached;
      break;
    case NetworkErrorKind::kClosed:
    case NetworkErrorKind::kIo:
      kind = LinkErrorKind::kConnectionLost;
      break;
    case NetworkErrorKind::kTimeout:
    case NetworkErrorKind::kListen:
      break;
  }
  return LinkError(name + ": " + e.detail(), kind);
}

std::string ParityWords(std::uint8_t parity) {
  switch (parity) {
    case 1:
      return "no parity";
    case 2:
      return "odd parity";
    case 3:
      return "even parity";
    case 4:
      return "mark parity";
    case 5:
      return "space parity";
    default:
      return "parity code " + std::to_string(parity);
  }
}

std::string StopBitWords(std::uint8_t stopSize) {
  switch (stopSize) {
    case 1:
      return "1 stop bit";
    case 2:
      return "2 stop bits";
    case 3:
      return "1.5 stop bits";
    default:
      return "stop size code " + std::to_string(stopSize);
  }
}

// Raw TCP: the server's port is the line itself.
//
// One thread may read while another writes (the program's receive thread
// and its user-interface thread): the reader alone touches what it keeps of
// the line and the Telnet state, and every write to the socket, the
// writer's frames and the Telnet replies the reader sends, is made under
// one lock, so that no reply ever lands inside a frame.
class TcpLinkPort : public LinkPort {
 public:
  TcpLinkPort(platform::TcpStream stream, std::string name)
      : stream_(std::move(stream)), name_(std::move(name)) {}

  void Write(std::string_view frame) override {
    try {
      const std::lock_guard<std::mutex> lock(writeLock_);
      stream_.WriteAll(Outgoing(frame));
    } catch (const NetworkError& e) {
      writeError_ = Reworded(e, name_).what();
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
      // A server may send without a pause and still give no byte of the
      // line (Telnet commands): the deadline ends the read all the same.
      if (ReceiveSome(Left(deadline)) == 0) return 0;
      if (pending_.empty() && Clock::now() >= deadline) return 0;
    }
  }

  void DiscardInput() override {
    pending_.clear();
    std::size_t dropped = 0;
    while (dropped < kDiscardLimit) {
      const std::size_t n = ReceiveSome(std::chrono::milliseconds(0));
      if (n == 0) break;
      dropped += n;
      pending_.clear();
    }
    pending_.clear();
  }

  std::string TakeWriteError() override { return std::exchange(writeError_, std::string()); }

 protected:
  // Reads once from the socket, up to `timeout`; the line's bytes go to
  // pending_. Returns the number of bytes read from the socket (0 when
  // nothing came in time).
  std::size_t ReceiveSome(std::chrono::milliseconds timeout) {
    char raw[512];
    std::size_t n = 0;
    try {
      n = stream_.Read(raw, sizeof raw, timeout);
    } catch (const NetworkError& e) {
      throw Reworded(e, name_);
    }
    if (n > 0) Incoming(std::string_view(raw, n));
    return n;
  }

  virtual void Incoming(std::string_view raw) {
    // The unit speaks ASCII; a 0xFF first is a Telnet server's negotiation.
    if (!anyReceived_ && static_cast<unsigned char>(raw.front()) == telnet::kIac) {
      throw LinkError(
          name_ + ": the server speaks Telnet: it is an RFC 2217 port, give it as rfc2217://",
          LinkErrorKind::kTelnetOnRawPort);
    }
    anyReceived_ = true;
    pending_.append(raw);
  }

  virtual std::string Outgoing(std::string_view frame) { return std::string(frame); }

  void Send(std::string_view bytes) {
    try {
      const std::lock_guard<std::mutex> lock(writeLock_);
      stream_.WriteAll(bytes);
    } catch (const NetworkError& e) {
      throw Reworded(e, name_);
    }
  }

  platform::TcpStream stream_;
  std::mutex writeLock_;
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
      if (Clock::now() >= deadline) {
        throw LinkError(name_ +
                            ": the server did not take up the RFC 2217 com-port option within " +
                            std::to_string(timing.negotiation.count()) +
                            " ms (a raw TCP port is given as tcp://)",
                        LinkErrorKind::kNoComPortControl);
      }
      ReceiveSome(Left(deadline));
    }
    if (client_.comPort() == Rfc2217Client::ComPort::kRefused) {
      throw LinkError(
          name_ +
              ": the server refused the RFC 2217 com-port option, so the line cannot be "
              "set to 9600 baud, 8 data bits, even parity",
          LinkErrorKind::kNoComPortControl);
    }
    const ComPortSettings wanted = UnitLineSettings();
    Send(Rfc2217Client::RequestSettings(wanted));
    deadline = Clock::now() + timing.negotiation;
    while (!Complete(client_.confirmed())) {
      if (Clock::now() >= deadline) {
        throw LinkError(name_ + ": the server did not confirm the line settings within " +
                            std::to_string(timing.negotiation.count()) + " ms",
                        LinkErrorKind::kLineSettingsRefused);
      }
      ReceiveSome(Left(deadline));
      // Whatever comes with the negotiation is not an answer to a command.
      pending_.clear();
    }
    CheckConfirmed(client_.confirmed(), wanted);
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
    if (got.parity != wanted.parity) add(ParityWords(*got.parity));
    if (got.stopSize != wanted.stopSize) add(StopBitWords(*got.stopSize));
    if (!wrong.empty()) {
      throw LinkError(name_ + ": the server set the line to " + wrong +
                          " instead of 9600 baud, 8 data bits, even parity, 1 stop bit",
                      LinkErrorKind::kLineSettingsRefused);
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

std::unique_ptr<LinkPort> Connected(const PortAddress& address, const std::string& name,
                                    platform::TcpStream stream, const NetworkTiming& timing) {
  if (address.kind == PortAddress::Kind::kRfc2217) {
    return std::make_unique<Rfc2217LinkPort>(std::move(stream), name, timing);
  }
  return std::make_unique<TcpLinkPort>(std::move(stream), name);
}

}  // namespace

std::unique_ptr<LinkPort> OpenNetworkLinkPort(const PortAddress& address,
                                              const NetworkTiming& timing) {
  const std::string name = address.ToString();
  const auto deadline = Clock::now() + timing.connect;
  std::string said;  // what the server sent before it closed the connection
  for (bool first = true;; first = false) {
    std::unique_ptr<LinkPort> link;
    try {
      platform::TcpStream stream = platform::TcpStream::Connect(
          address.host, address.port, first ? timing.connect : Left(deadline));
      link = Connected(address, name, std::move(stream), timing);
      const QuietLineResult quiet = WaitForQuietLine(*link, timing.quiet);
      if (quiet.outcome == QuietLineResult::kQuiet) return link;
      if (quiet.outcome == QuietLineResult::kNoisy) throw NoisyLineError(name, timing.quiet, quiet);
      said = quiet.start;
    } catch (const NetworkError& e) {
      throw Reworded(e, name);
    } catch (const LinkError& e) {
      if (e.kind() != LinkErrorKind::kConnectionLost) throw;
      said.clear();
    }
    // Closed or reset at once: the server's port is in use, or was a moment
    // ago. Another connection, a little later.
    if (Clock::now() + timing.busyPause >= deadline) {
      throw LinkError(name + ": the device server's port is busy: the server closed every " +
                          "connection at once for " + std::to_string(timing.connect.count()) +
                          " ms" + (said.empty() ? "" : " (it said \"" + EscapeWire(said) + "\")"),
                      LinkErrorKind::kBusy);
    }
    std::this_thread::sleep_for(timing.busyPause);
  }
}

std::unique_ptr<LinkPort> OpenPort(const std::string& text) {
  const ParsedPortAddress parsed = ParsePortAddress(text);
  if (!parsed.address) throw LinkError(parsed.error);
  if (parsed.address->kind != PortAddress::Kind::kSerial) {
    return OpenNetworkLinkPort(*parsed.address);
  }
  std::unique_ptr<LinkPort> port = OpenLinkPort(text);
  const QuietLineTiming timing;
  const QuietLineResult quiet = WaitForQuietLine(*port, timing);
  if (quiet.outcome != QuietLineResult::kQuiet) throw NoisyLineError(text, timing, quiet);
  return port;
}

}  // namespace korvex7::links
