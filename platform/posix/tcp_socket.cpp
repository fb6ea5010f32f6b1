#include "platform/posix/tcp_socket.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace korvex7::posix {

namespace {

std::string OsText(int error) { return std::strerror(error); }

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

struct AddrInfoFree {
  void operator()(addrinfo* a) const { ::freeaddrinfo(a); }
};
using AddrInfoList = std::unique_ptr<addrinfo, AddrInfoFree>;

AddrInfoList Resolve(const std::string& host, std::uint16_t port, int flags) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = flags;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
  if (rc != 0) {
    const int osError = rc == EAI_SYSTEM ? errno : rc;
    throw NetworkError(NetworkErrorKind::kResolve, FormatHostPort(host, port),
                       std::string("cannot find the host: ") +
                           (rc == EAI_SYSTEM ? OsText(osError) : ::gai_strerror(rc)),
                       osError);
  }
  return AddrInfoList(found);
}

// One connection attempt to one address, until `deadline`; the socket, or
// -1 with `error`.
UniqueFd ConnectOne(const addrinfo& a, std::chrono::steady_clock::time_point deadline, int& error) {
  UniqueFd fd(::socket(a.ai_family, a.ai_socktype | SOCK_CLOEXEC, a.ai_protocol));
  if (!fd.valid() || !SetNonBlocking(fd.get())) {
    error = errno;
    return {};
  }
  if (::connect(fd.get(), a.ai_addr, a.ai_addrlen) != 0) {
    if (errno != EINPROGRESS) {
      error = errno;
      return {};
    }
    pollfd p{fd.get(), POLLOUT, 0};
    int rc = 0;
    do {
      rc = ::poll(&p, 1, RemainingMs(deadline));
    } while (rc < 0 && errno == EINTR);
    if (rc == 0) {
      error = ETIMEDOUT;
      return {};
    }
    int soError = 0;
    socklen_t length = sizeof soError;
    if (rc < 0 || ::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &soError, &length) != 0) {
      error = errno;
      return {};
    }
    if (soError != 0) {
      error = soError;
      return {};
    }
  }
  // Commands are short and answered one at a time: send each at once.
  const int one = 1;
  (void)::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

}  // namespace

TcpStream::TcpStream(UniqueFd fd, std::string peer) : fd_(std::move(fd)), peer_(std::move(peer)) {}

TcpStream TcpStream::Connect(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const AddrInfoList list = Resolve(host, port, 0);
  std::size_t count = 0;
  for (const addrinfo* a = list.get(); a != nullptr; a = a->ai_next) ++count;
  // Every address within the one time-out: each attempt gets an even share
  // of what is left, so an address that never answers leaves time for the
  // next, and one that refuses at once leaves its share to the others.
  int error = ETIMEDOUT;
  std::size_t left = count;
  for (const addrinfo* a = list.get(); a != nullptr; a = a->ai_next, --left) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) break;
    const auto share = (deadline - now) / static_cast<long>(left);
    UniqueFd fd = ConnectOne(*a, now + share, error);
    if (fd.valid()) return TcpStream(std::move(fd), FormatHostPort(host, port));
  }
  const std::string addresses =
      count > 1 ? " from any of its " + std::to_string(count) + " addresses" : std::string();
  throw NetworkError(
      NetworkErrorKind::kConnect, FormatHostPort(host, port),
      "cannot connect: " + (error == ETIMEDOUT ? "no answer" + addresses + " within " +
                                                     std::to_string(timeout.count()) + " ms"
                                               : OsText(error)),
      error == ETIMEDOUT ? 0 : error);
}

std::size_t TcpStream::Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const ssize_t n = ::recv(fd_.get(), buffer, capacity, 0);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n == 0) {
      throw NetworkError(NetworkErrorKind::kClosed, peer_, "the connection was closed");
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      const int error = errno;
      throw NetworkError(NetworkErrorKind::kIo, peer_, "cannot read: " + OsText(error), error);
    }
    const int wait = RemainingMs(deadline);
    if (wait == 0) return 0;
    pollfd p{fd_.get(), POLLIN, 0};
    if (::poll(&p, 1, wait) < 0 && errno != EINTR) {
      const int error = errno;
      throw NetworkError(NetworkErrorKind::kIo, peer_, "cannot wait: " + OsText(error), error);
    }
  }
}

void TcpStream::WriteAll(std::string_view data, std::chrono::milliseconds timeout) {
  std::size_t done = 0;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (done < data.size()) {
    const ssize_t n = ::send(fd_.get(), data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      deadline = std::chrono::steady_clock::now() + timeout;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      const int error = errno;
      throw NetworkError(
          error == EPIPE || error == ECONNRESET ? NetworkErrorKind::kClosed : NetworkErrorKind::kIo,
          peer_, "cannot write: " + OsText(error), error);
    }
    const int wait = RemainingMs(deadline);
    if (wait == 0) {
      throw NetworkError(
          NetworkErrorKind::kTimeout, peer_,
          "cannot write: nothing taken for " + std::to_string(timeout.count()) + " ms");
    }
    pollfd p{fd_.get(), POLLOUT, 0};
    (void)::poll(&p, 1, wait);
  }
}

TcpListener TcpListener::Listen(const std::string& host, std::uint16_t port) {
  const AddrInfoList list = Resolve(host, port, AI_PASSIVE);
  int error = 0;
  for (const addrinfo* a = list.get(); a != nullptr; a = a->ai_next) {
    UniqueFd fd(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
    if (!fd.valid()) {
      error = errno;
      continue;
    }
    const int one = 1;
    (void)::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd.get(), a->ai_addr, a->ai_addrlen) != 0 || ::listen(fd.get(), 4) != 0 ||
        !SetNonBlocking(fd.get())) {
      error = errno;
      continue;
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    std::uint16_t actual = port;
    if (::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&bound), &length) == 0) {
      actual = ntohs(bound.ss_family == AF_INET6
                         ? reinterpret_cast<const sockaddr_in6*>(&bound)->sin6_port
                         : reinterpret_cast<const sockaddr_in*>(&bound)->sin_port);
    }
    return TcpListener(std::move(fd), actual, FormatHostPort(host, actual));
  }
  throw NetworkError(NetworkErrorKind::kListen, FormatHostPort(host, port),
                     "cannot listen: " + OsText(error), error);
}

TcpStream TcpListener::Accept() {
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  UniqueFd fd(::accept4(fd_.get(), reinterpret_cast<sockaddr*>(&peer), &length,
                        SOCK_CLOEXEC | SOCK_NONBLOCK));
  if (!fd.valid()) {
    const int error = errno;
    throw NetworkError(NetworkErrorKind::kIo, address_, "cannot accept: " + OsText(error), error);
  }
  char text[INET6_ADDRSTRLEN] = "?";
  std::uint16_t peerPort = 0;
  if (peer.ss_family == AF_INET6) {
    const auto* p = reinterpret_cast<const sockaddr_in6*>(&peer);
    ::inet_ntop(AF_INET6, &p->sin6_addr, text, sizeof text);
    peerPort = ntohs(p->sin6_port);
  } else if (peer.ss_family == AF_INET) {
    const auto* p = reinterpret_cast<const sockaddr_in*>(&peer);
    ::inet_ntop(AF_INET, &p->sin_addr, text, sizeof text);
    peerPort = ntohs(p->sin_port);
  }
  const int one = 1;
  (void)::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return TcpStream(std::move(fd), FormatHostPort(text, peerPort));
}

}  // namespace korvex7::posix
