#include "platform/win32/tcp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <utility>

#include "platform/win32/text.h"

namespace korvex7::win32 {

namespace {

constexpr std::uintptr_t kNoSocket = static_cast<std::uintptr_t>(INVALID_SOCKET);

// Winsock is started once for the process, at the first connection.
void StartWinsock() {
  static const bool started = [] {
    WSADATA data{};
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) {
    const int error = WSAGetLastError();
    throw NetworkError(NetworkErrorKind::kConnect, std::string(),
                       "cannot start Windows Sockets: " + OsErrorText(static_cast<unsigned>(error)),
                       error);
  }
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// What a wait on one socket came to.
enum class Wait { kReady, kTimedOut, kFailed };

// Sleeps up to `ms` until the socket can be read (data, the end of the
// connection or its failure all make it readable) or written. The exception
// set is left out: it also reports out-of-band data, which no read here
// takes, and a wait that ends on it at once would spin.
Wait WaitFor(SOCKET s, bool write, int ms, int& error) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  const int r = select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &tv);
  if (r == SOCKET_ERROR) {
    error = WSAGetLastError();
    return Wait::kFailed;
  }
  return r > 0 ? Wait::kReady : Wait::kTimedOut;
}

// Sleeps up to `ms` for a connection attempt to end: writable when it
// succeeded, in the exception set when it failed (Winsock reports a refused
// connection only there). Returns 0 when connected, else the error.
int WaitForConnect(SOCKET s, int ms) {
  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(s, &writable);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(s, &failed);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  const int r = select(0, nullptr, &writable, &failed, &tv);
  if (r == SOCKET_ERROR) return WSAGetLastError();
  if (r == 0) return WSAETIMEDOUT;
  int soError = 0;
  int length = sizeof soError;
  if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &length) != 0) {
    return WSAGetLastError();
  }
  if (soError != 0) return soError;
  return FD_ISSET(s, &failed) ? WSAECONNREFUSED : 0;
}

struct AddrInfoFree {
  void operator()(ADDRINFOW* a) const { FreeAddrInfoW(a); }
};

}  // namespace

TcpStream::TcpStream(TcpStream&& other) noexcept
    : socket_(std::exchange(other.socket_, kNoSocket)), peer_(std::move(other.peer_)) {}

TcpStream& TcpStream::operator=(TcpStream&& other) noexcept {
  if (this != &other) {
    if (socket_ != kNoSocket) closesocket(static_cast<SOCKET>(socket_));
    socket_ = std::exchange(other.socket_, kNoSocket);
    peer_ = std::move(other.peer_);
  }
  return *this;
}

TcpStream::~TcpStream() {
  if (socket_ != kNoSocket) closesocket(static_cast<SOCKET>(socket_));
}

TcpStream TcpStream::Connect(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  StartWinsock();
  const std::string name = FormatHostPort(host, port);
  ADDRINFOW hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  ADDRINFOW* found = nullptr;
  const std::wstring service = std::to_wstring(port);
  if (const int rc = GetAddrInfoW(Utf8ToWide(host).c_str(), service.c_str(), &hints, &found);
      rc != 0) {
    throw NetworkError(NetworkErrorKind::kResolve, name,
                       "cannot find the host: " + OsErrorText(static_cast<unsigned>(rc)), rc);
  }
  const std::unique_ptr<ADDRINFOW, AddrInfoFree> list(found);
  std::size_t count = 0;
  for (const ADDRINFOW* a = list.get(); a != nullptr; a = a->ai_next) ++count;
  // Every address within the one time-out: each attempt gets an even share
  // of what is left, so an address that never answers leaves time for the
  // next, and one that refuses at once leaves its share to the others.
  int error = WSAETIMEDOUT;
  std::size_t left = count;
  for (const ADDRINFOW* a = list.get(); a != nullptr; a = a->ai_next, --left) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) break;
    const auto share = (deadline - now) / static_cast<long>(left);
    const SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) {
      error = WSAGetLastError();
      continue;
    }
    TcpStream stream(static_cast<std::uintptr_t>(s), name);
    u_long nonBlocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0) {
      error = WSAGetLastError();
      continue;
    }
    if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
      error = WSAGetLastError();
      if (error != WSAEWOULDBLOCK) continue;
      error = WaitForConnect(s, RemainingMs(now + share));
      if (error != 0) continue;
    }
    // Commands are short and answered one at a time: send each at once.
    const BOOL one = TRUE;
    (void)setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
    return stream;
  }
  const std::string addresses =
      count > 1 ? " from any of its " + std::to_string(count) + " addresses" : std::string();
  throw NetworkError(
      NetworkErrorKind::kConnect, name,
      "cannot connect: " + (error == WSAETIMEDOUT ? "no answer" + addresses + " within " +
                                                        std::to_string(timeout.count()) + " ms"
                                                  : OsErrorText(static_cast<unsigned>(error))),
      error == WSAETIMEDOUT ? 0 : error);
}

std::size_t TcpStream::Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) {
  const SOCKET s = static_cast<SOCKET>(socket_);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const int wanted = capacity > 65536 ? 65536 : static_cast<int>(capacity);
  for (;;) {
    const int n = recv(s, buffer, wanted, 0);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n == 0) throw NetworkError(NetworkErrorKind::kClosed, peer_, "the connection was closed");
    const int error = WSAGetLastError();
    if (error != WSAEWOULDBLOCK) {
      throw NetworkError(error == WSAECONNRESET || error == WSAECONNABORTED
                             ? NetworkErrorKind::kClosed
                             : NetworkErrorKind::kIo,
                         peer_, "cannot read: " + OsErrorText(static_cast<unsigned>(error)), error);
    }
    const int wait = RemainingMs(deadline);
    if (wait == 0) return 0;
    int waitError = 0;
    if (WaitFor(s, false, wait, waitError) == Wait::kFailed) {
      throw NetworkError(NetworkErrorKind::kIo, peer_,
                         "cannot wait: " + OsErrorText(static_cast<unsigned>(waitError)),
                         waitError);
    }
  }
}

void TcpStream::WriteAll(std::string_view data, std::chrono::milliseconds timeout) {
  const SOCKET s = static_cast<SOCKET>(socket_);
  std::size_t done = 0;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (done < data.size()) {
    const std::size_t left = data.size() - done;
    const int n = send(s, data.data() + done, left > 65536 ? 65536 : static_cast<int>(left), 0);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      deadline = std::chrono::steady_clock::now() + timeout;
      continue;
    }
    const int error = WSAGetLastError();
    if (error != WSAEWOULDBLOCK) {
      throw NetworkError(
          error == WSAECONNRESET || error == WSAECONNABORTED ? NetworkErrorKind::kClosed
                                                             : NetworkErrorKind::kIo,
          peer_, "cannot write: " + OsErrorText(static_cast<unsigned>(error)), error);
    }
    const int wait = RemainingMs(deadline);
    if (wait == 0) {
      throw NetworkError(
          NetworkErrorKind::kTimeout, peer_,
          "cannot write: nothing taken for " + std::to_string(timeout.count()) + " ms");
    }
    int waitError = 0;
    if (WaitFor(s, true, wait, waitError) == Wait::kFailed) {
      throw NetworkError(NetworkErrorKind::kIo, peer_,
                         "cannot wait: " + OsErrorText(static_cast<unsigned>(waitError)),
                         waitError);
    }
  }
}

}  // namespace korvex7::win32
