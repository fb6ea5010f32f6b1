#include "tools/sim/run/line_server.h"

#include <errno.h>
#include <poll.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "core/model/settings_store.h"
#include "platform/atomic_file.h"
#include "tools/sim/run/stop_signal.h"
#include "tools/sim/wire_text.h"

namespace korvex7::sim {

LineServer::LineServer(const SimOptions& options, std::vector<SimUnit> units, std::ostream* log)
    : options_(options), units_(std::move(units)), log_(log) {
  shaping_.replyDelay = std::chrono::milliseconds(options.replyDelayMs);
  shaping_.chunked = options.chunked;
  shaping_.lineRate = options.lineRate;
}

void LineServer::AddSerialLine(posix::SerialPort port) {
  serial_.emplace(SerialWay{std::move(port), FrameSplitter()});
}

void LineServer::AddListener(posix::TcpListener listener) {
  listeners_.push_back(ListenerWay{std::move(listener), std::nullopt});
}

void LineServer::DumpAll() {
  for (const SimUnit& unit : units_) Dump(unit);
}

int LineServer::Run() {
  for (;;) {
    // The stop signal first, then the line, then each listener and its client.
    const short out = options_.noise ? POLLOUT : 0;
    std::vector<pollfd> fds{{StopSignalFd(), POLLIN, 0}};
    if (serial_) fds.push_back({serial_->port.fd(), static_cast<short>(POLLIN | out), 0});
    for (const ListenerWay& way : listeners_) {
      fds.push_back({way.listener.fd(), POLLIN, 0});
      if (way.client) fds.push_back({way.client->stream.fd(), static_cast<short>(POLLIN | out), 0});
    }
    const std::optional<SteadyTime> staleDue = DeliverStale();
    int timeout = -1;
    if (staleDue) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(
          *staleDue - std::chrono::steady_clock::now());
      timeout = static_cast<int>(std::max<long long>(0, left.count()));
    }
    if (::poll(fds.data(), fds.size(), timeout) < 0) {
      if (errno == EINTR) continue;
      std::cerr << "korvex7-sim: poll: " << std::strerror(errno) << "\n";
      return Finish(1);
    }
    if (fds[0].revents != 0) return Finish(0);
    std::size_t k = 1;
    if (serial_) {
      const short events = fds[k++].revents;
      if ((events & POLLOUT) != 0) WriteNoise(serial_->port.fd(), false);
      if ((events & ~POLLOUT) != 0 && !ReadSerial(events)) return Finish(1);
    }
    for (ListenerWay& way : listeners_) {
      const short listenerEvents = fds[k++].revents;
      if (way.client) {
        const short events = fds[k++].revents;
        if ((events & POLLOUT) != 0) WriteNoise(way.client->stream.fd(), true);
        if ((events & ~POLLOUT) != 0) ReadClient(way);
      }
      if (listenerEvents != 0) Accept(way);
    }
    if (stopping_) return Finish(0);
  }
}

std::optional<SteadyTime> LineServer::DeliverStale() {
  std::optional<SteadyTime> next;
  const auto now = std::chrono::steady_clock::now();
  for (ListenerWay& way : listeners_) {
    if (!way.client || way.client->stale.empty()) continue;
    Client& client = *way.client;
    if (client.staleDue > now) {
      if (!next || client.staleDue < *next) next = client.staleDue;
      continue;
    }
    try {
      client.stream.WriteAll(client.stale);
      Log("TX", client.stale, "held from the last connection");
    } catch (const std::exception& e) {
      std::cerr << "korvex7-sim: " << e.what() << "\n";
    }
    client.stale.clear();
  }
  return next;
}

void LineServer::WriteNoise(int fd, bool socket) {
  // Bytes of every value but LF, so no line ever ends.
  char noise[256];
  for (char& c : noise) {
    noiseSeed_ = noiseSeed_ * 1103515245u + 12345u;
    c = static_cast<char>((noiseSeed_ >> 16) & 0xFF);
    if (c == '\n') c = '#';
  }
  const ssize_t n = socket ? ::send(fd, noise, sizeof noise, MSG_NOSIGNAL | MSG_DONTWAIT)
                           : ::write(fd, noise, sizeof noise);
  (void)n;  // a way that takes nothing now gets more later; one that failed shows on reading
}

bool LineServer::ReadSerial(short events) {
  char buffer[4096];
  std::size_t n = 0;
  try {
    n = serial_->port.Read(buffer, sizeof buffer, std::chrono::milliseconds(0));
    if (n == 0 && (events & (POLLHUP | POLLERR)) != 0) {
      throw posix::SerialError(posix::SerialErrorKind::kIo, serial_->port.name(),
                               serial_->port.name() + ": the line hung up", EIO);
    }
  } catch (const posix::SerialError& e) {
    std::cerr << "korvex7-sim: " << e.what() << "\n";
    return false;
  }
  const auto now = std::chrono::steady_clock::now();
  const auto write = [](void* way, std::string_view bytes) {
    static_cast<SerialWay*>(way)->port.WriteAll(bytes);
  };
  if (options_.echo && n > 0) Echo(std::string_view(buffer, n), &*serial_, write);
  HandleFrames(serial_->splitter.Feed(std::string_view(buffer, n), now), now, &*serial_, write);
  return true;
}

void LineServer::Accept(ListenerWay& way) {
  try {
    posix::TcpStream stream = way.listener.Accept();
    if (way.client) {
      std::cout << "korvex7-sim: " << stream.peer() << " refused: " << way.client->stream.peer()
                << " is connected\n"
                << std::flush;
      return;  // closed as it goes
    }
    std::cout << "korvex7-sim: connection from " << stream.peer() << "\n" << std::flush;
    way.client.emplace(Client{std::move(stream), FrameSplitter(), {}, {}});
    if (options_.staleAnswerMs >= 0 && !lastTcpAnswer_.empty()) {
      way.client->stale = lastTcpAnswer_;
      way.client->staleDue =
          std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.staleAnswerMs);
    }
  } catch (const posix::NetworkError& e) {
    std::cerr << "korvex7-sim: " << e.what() << "\n";
  }
}

void LineServer::ReadClient(ListenerWay& way) {
  char buffer[4096];
  std::size_t n = 0;
  try {
    n = way.client->stream.Read(buffer, sizeof buffer, std::chrono::milliseconds(0));
  } catch (const posix::NetworkError& e) {
    std::cout << "korvex7-sim: " << e.what() << "\n" << std::flush;
    way.client.reset();
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  const auto write = [](void* client, std::string_view bytes) {
    static_cast<Client*>(client)->stream.WriteAll(bytes);
  };
  if (options_.echo && n > 0) Echo(std::string_view(buffer, n), &*way.client, write);
  HandleFrames(way.client->splitter.Feed(std::string_view(buffer, n), now), now, &*way.client,
               write);
}

void LineServer::HandleFrames(const std::vector<Frame>& frames, SteadyTime received, void* way,
                              Writer write) {
  for (const Frame& frame : frames) {
    if (stopping_) return;
    HandleFrame(frame, received, way, write);
  }
}

void LineServer::HandleFrame(const Frame& frame, SteadyTime received, void* way, Writer write) {
  std::optional<std::string> answer;
  std::string note;
  for (SimUnit& unit : units_) {
    const FrameResult result = unit.HandleFrame(frame.bytes);
    if (result.settingsChanged) Dump(unit);
    switch (result.disposition) {
      case FrameDisposition::kAnswered:
        answer = result.answer;
        break;
      case FrameDisposition::kSilent:
        note = "not answered: silent";
        break;
      case FrameDisposition::kBroadcast:
        note = result.accepted ? "broadcast, applied" : "broadcast, refused";
        break;
      case FrameDisposition::kOtherUnit:
        if (note.empty() && !answer) note = "not for this unit";
        break;
      case FrameDisposition::kEmpty:
        note = "empty line";
        break;
    }
  }
  if (answer) note.clear();  // the unit that answered speaks for the frame
  if (frame.overlong) {
    note = "overlong: " + std::to_string(frame.length) + " bytes, the first " +
           std::to_string(frame.bytes.size()) + " shown" + (note.empty() ? "" : "; " + note);
  }
  Log("RX", frame.bytes, note);
  if (!answer) return;

  ++answerCount_;
  std::string sent = *answer;
  std::string txNote;
  if (IsGarbledAnswer(answerCount_, options_.garbleEvery)) {
    sent = GarbleAnswer(sent);
    txNote = "garbled";
  }
  if (options_.duplicateAnswers && !previousAnswer_.empty()) {
    // The previous answer comes again, just before this one.
    try {
      write(way, previousAnswer_);
      Log("TX", previousAnswer_, "the previous answer again");
    } catch (const std::exception& e) {
      std::cerr << "korvex7-sim: " << e.what() << "\n";
    }
  }
  previousAnswer_ = sent;
  if (!serial_ || way != &*serial_) lastTcpAnswer_ = sent;
  for (const AnswerPiece& piece :
       ScheduleAnswer(sent, frame.firstByte, frame.length, received, shaping_)) {
    // A held answer due while this one waits goes out on time, before it.
    for (auto due = DeliverStale(); due && *due <= piece.notBefore; due = DeliverStale()) {
      if (!WaitUntilOrStop(*due)) {
        stopping_ = true;
        return;
      }
    }
    if (!WaitUntilOrStop(piece.notBefore)) {
      stopping_ = true;
      return;
    }
    try {
      write(way, piece.bytes);
    } catch (const std::exception& e) {
      std::cerr << "korvex7-sim: " << e.what() << "\n";
      Log("TX", sent, std::string("not delivered: ") + e.what());
      return;
    }
  }
  Log("TX", sent, txNote);
}

void LineServer::Echo(std::string_view bytes, void* way, Writer write) {
  try {
    write(way, bytes);
    Log("TX", bytes, "echo");
  } catch (const std::exception& e) {
    std::cerr << "korvex7-sim: " << e.what() << "\n";
  }
}

void LineServer::Log(std::string_view direction, std::string_view bytes, std::string_view note) {
  if (log_ == nullptr) return;
  *log_ << LogLine(std::chrono::system_clock::now(), direction, bytes, note) << '\n' << std::flush;
}

void LineServer::Dump(const SimUnit& unit) {
  if (options_.dump.empty()) return;
  const std::string path =
      UnitFileName(options_.dump, unit.address().value_or(0), units_.size() > 1);
  if (!MayBeSettingsFile(path)) {
    std::cerr << "korvex7-sim: " << SettingsFileWriteRefusal(path) << "\n";
    return;
  }
  const std::string bytes = SettingsFileBytes(unit.state().settings);
  const platform::FileReplaceResult saved =
      platform::ReplaceFileAtomically(PathFromUtf8(path), bytes);
  if (!saved.ok()) std::cerr << "korvex7-sim: " << saved.message << "\n";
}

int LineServer::Finish(int status) {
  DumpAll();
  return status;
}

}  // namespace korvex7::sim
