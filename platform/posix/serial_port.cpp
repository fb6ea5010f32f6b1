#include "platform/posix/serial_port.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/sysmacros.h>
#endif

#include <cstring>
#include <string>

namespace korvex7::posix {

namespace {

using Clock = std::chrono::steady_clock;

std::string ErrnoText(int error) { return std::strerror(error); }

SerialError OsError(SerialErrorKind kind, const std::string& device, const std::string& action,
                    int error) {
  return SerialError(kind, device, device + ": " + action + ": " + ErrnoText(error), error,
                     ErrnoText(error));
}

SerialErrorKind KindOfOpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
      return SerialErrorKind::kNotFound;
    case EBUSY:
      return SerialErrorKind::kBusy;
    case EACCES:
    case EPERM:
      return SerialErrorKind::kPermission;
    default:
      return SerialErrorKind::kOther;
  }
}

// Milliseconds left until `deadline`, for poll(); never negative.
int RemainingMs(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return 0;
  if (left > 1000 * 60 * 60) return 1000 * 60 * 60;
  return static_cast<int>(left);
}

void MakeRaw(termios& t) {
  cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

}  // namespace

bool IsPseudoTerminal(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
#if defined(__linux__)
  const unsigned int maj = major(st.st_rdev);
  const unsigned int min = minor(st.st_rdev);
  if (maj >= 136 && maj <= 143) return true;  // Unix98 slave ends
  if (maj == 5 && min == 2) return true;      // /dev/ptmx: a master end
  if (maj == 128) return true;                // master ends on some kernels
#endif
  const char* tty = ::ttyname(fd);
  if (tty == nullptr) return false;
  const std::string path(tty);
  return path.rfind("/dev/pts/", 0) == 0 || path == "/dev/ptmx" || path.rfind("/dev/pty", 0) == 0 ||
         path.rfind("/dev/ttyp", 0) == 0;
}

SerialPort SerialPort::Open(const std::string& device) {
  const int raw = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (raw < 0) {
    const int error = errno;
    throw OsError(KindOfOpenError(error), device, "cannot open", error);
  }
  UniqueFd fd(raw);
  if (!::isatty(fd.get())) {
    throw SerialError(SerialErrorKind::kNotATty, device,
                      device + ": not a serial device or terminal", ENOTTY);
  }
  // Advisory lock: two programs on one line would take each other's replies.
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) {
      throw SerialError(SerialErrorKind::kBusy, device, device + ": in use by another program",
                        error);
    }
  }
  const bool pty = IsPseudoTerminal(fd.get());
  if (!pty) {
    // Keep others out of a real line for as long as it is open. Not on a
    // pseudo-terminal: the flag would outlive this descriptor there, because
    // the simulator holds the slave end open, and lock out the next user.
    (void)::ioctl(fd.get(), TIOCEXCL);
  }
  SerialPort port(std::move(fd), device, pty);
  port.ConfigureUnitLine();
  // Bytes that arrived before this open belong to nobody's command: an
  // answer read now would be taken for the reply to the next one.
  port.DiscardInput();
  return port;
}

SerialPort SerialPort::Adopt(UniqueFd fd, std::string name) {
  if (!fd.valid() || !::isatty(fd.get())) {
    throw SerialError(SerialErrorKind::kNotATty, name, name + ": not a terminal", ENOTTY);
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags | O_NONBLOCK) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kOther, name, "cannot make non-blocking", error);
  }
  termios t{};
  if (::tcgetattr(fd.get(), &t) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kConfigure, name, "cannot read line settings", error);
  }
  MakeRaw(t);
  if (::tcsetattr(fd.get(), TCSANOW, &t) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kConfigure, name, "cannot set raw mode", error);
  }
  const bool pty = IsPseudoTerminal(fd.get());
  SerialPort port(std::move(fd), std::move(name), pty);
  port.parityApplied_ = false;
  return port;
}

void SerialPort::ConfigureUnitLine() {
  termios t{};
  if (::tcgetattr(fd_.get(), &t) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kConfigure, name_, "cannot read line settings", error);
  }
  MakeRaw(t);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CSTOPB);
#if defined(CRTSCTS)
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
  t.c_cflag |= CS8 | PARENB;
  if (::cfsetispeed(&t, B9600) != 0 || ::cfsetospeed(&t, B9600) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kConfigure, name_, "cannot set 9600 baud", error);
  }

  const int setResult = ::tcsetattr(fd_.get(), TCSANOW, &t);
  const int setError = errno;
  termios applied{};
  const bool readBack = ::tcgetattr(fd_.get(), &applied) == 0;
  const bool parityHeld = setResult == 0 && readBack && (applied.c_cflag & PARENB) != 0 &&
                          (applied.c_cflag & PARODD) == 0;
  const bool sizeHeld = setResult == 0 && readBack && (applied.c_cflag & CSIZE) == CS8 &&
                        (applied.c_cflag & CSTOPB) == 0 && ::cfgetospeed(&applied) == B9600;
  if (parityHeld && sizeHeld) return;

  if (!pseudoTerminal_) {
    if (setResult != 0)
      throw OsError(SerialErrorKind::kConfigure, name_, "cannot set 9600 8E1", setError);
    throw SerialError(SerialErrorKind::kConfigure, name_,
                      name_ +
                          ": the device did not take 9600 baud, 8 data bits, even parity, "
                          "1 stop bit",
                      0);
  }
  // A pseudo-terminal has no line: it refuses or drops the parity flags.
  // Everything else must still hold.
  t.c_cflag &= ~static_cast<tcflag_t>(PARENB);
  if (::tcsetattr(fd_.get(), TCSANOW, &t) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kConfigure, name_, "cannot set raw mode", error);
  }
  parityApplied_ = false;
}

std::size_t SerialPort::Read(char* buffer, std::size_t capacity,
                             std::chrono::milliseconds timeout) {
  if (capacity == 0) return 0;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const ssize_t n = ::read(fd_.get(), buffer, capacity);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n == 0) {
      // A terminal in raw mode with VMIN 0 returns 0 for "nothing yet";
      // fall through to the wait below.
    } else if (errno == EINTR) {
      continue;
    } else if (errno != EAGAIN && errno != EWOULDBLOCK) {
      const int error = errno;
      throw OsError(SerialErrorKind::kIo, name_, "read failed", error);
    }
    const int wait = RemainingMs(deadline);
    if (wait == 0) return 0;
    pollfd p{fd_.get(), POLLIN, 0};
    const int r = ::poll(&p, 1, wait);
    if (r < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      throw OsError(SerialErrorKind::kIo, name_, "waiting for input failed", error);
    }
    if (r == 0) return 0;
    if ((p.revents & (POLLERR | POLLNVAL)) != 0) {
      throw SerialError(SerialErrorKind::kIo, name_, name_ + ": the line reported an error", EIO);
    }
    if ((p.revents & POLLIN) == 0 && (p.revents & POLLHUP) != 0) {
      throw SerialError(SerialErrorKind::kIo, name_, name_ + ": the line hung up", EIO);
    }
  }
}

void SerialPort::WriteAll(std::string_view data, std::chrono::milliseconds timeout) {
  std::size_t done = 0;
  auto deadline = Clock::now() + timeout;
  while (done < data.size()) {
    const ssize_t n = ::write(fd_.get(), data.data() + done, data.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      deadline = Clock::now() + timeout;  // progress: the time-out starts again
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      const int error = errno;
      throw OsError(SerialErrorKind::kIo, name_, "write failed", error);
    }
    const int wait = RemainingMs(deadline);
    if (wait == 0) {
      throw SerialError(
          SerialErrorKind::kTimeout, name_,
          name_ + ": write timed out (" + std::to_string(data.size() - done) + " bytes not taken)",
          ETIMEDOUT);
    }
    pollfd p{fd_.get(), POLLOUT, 0};
    const int r = ::poll(&p, 1, wait);
    if (r < 0 && errno != EINTR) {
      const int error = errno;
      throw OsError(SerialErrorKind::kIo, name_, "waiting to write failed", error);
    }
    if (r > 0 && (p.revents & (POLLERR | POLLNVAL)) != 0) {
      throw SerialError(SerialErrorKind::kIo, name_, name_ + ": the line reported an error", EIO);
    }
  }
}

void SerialPort::DiscardInput() { (void)::tcflush(fd_.get(), TCIFLUSH); }

std::optional<std::string> LineReader::ReadLine(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const auto lf = pending_.find('\n');
    if (lf != std::string::npos) {
      std::string line = pending_.substr(0, lf + 1);
      pending_.erase(0, lf + 1);
      return line;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    char buffer[256];
    const std::size_t n = port_.Read(buffer, sizeof buffer, left);
    if (n == 0) return std::nullopt;
    pending_.append(buffer, n);
  }
}

PseudoTerminal CreatePseudoTerminal() {
  const std::string what = "pseudo-terminal";
  const int raw = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (raw < 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kOther, what, "cannot create", error);
  }
  PseudoTerminal pty;
  pty.master.reset(raw);
  (void)::fcntl(raw, F_SETFD, FD_CLOEXEC);
  if (::grantpt(raw) != 0 || ::unlockpt(raw) != 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kOther, what, "cannot unlock", error);
  }
  const char* name = ::ptsname(raw);
  if (name == nullptr) {
    const int error = errno;
    throw OsError(SerialErrorKind::kOther, what, "cannot name the slave end", error);
  }
  pty.slavePath = name;
  const int slave = ::open(pty.slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) {
    const int error = errno;
    throw OsError(SerialErrorKind::kOther, pty.slavePath, "cannot open the slave end", error);
  }
  pty.slaveHold.reset(slave);
  for (int fd : {pty.master.get(), pty.slaveHold.get()}) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
      const int error = errno;
      throw OsError(SerialErrorKind::kConfigure, pty.slavePath, "cannot read line settings", error);
    }
    MakeRaw(t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
    t.c_cflag |= CS8;
    (void)::cfsetispeed(&t, B9600);
    (void)::cfsetospeed(&t, B9600);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
      const int error = errno;
      throw OsError(SerialErrorKind::kConfigure, pty.slavePath, "cannot set raw mode", error);
    }
  }
  return pty;
}

}  // namespace korvex7::posix
