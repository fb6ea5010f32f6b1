#include "tools/sim/run/line_server.h"

#include <errno.h>
#include <poll.h>

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
    std::vector<pollfd> fds{{StopSignalFd(), POLLIN, 0}};
    if (serial_) fds.push_back({serial_->port.fd(), POLLIN, 0});
    for (const ListenerWay& way : listeners_) {
      fds.push_back({way.listener.fd(), POLLIN, 0});
      if (way.client) fds.push_back({way.client->stream.fd(), POLLIN, 0});
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      std::cerr << "korvex7-sim: poll: " << std::strerror(errno) << "\n";
      return Finish(1);
    }
    if (fds[0].revents != 0) return Finish(0);
    std::size_t k = 1;
    if (serial_) {
      const short events = fds[k++].revents;
      if (events != 0 && !ReadSerial(events)) return Finish(1);
    }
    for (ListenerWay& way : listeners_) {
      const short listenerEvents = fds[k++].revents;
      if (way.client && fds[k++].revents != 0) ReadClient(way);
      if (listenerEvents != 0) Accept(way);
    }
    if (stopping_) return Finish(0);
  }
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
    way.client.emplace(Client{std::move(stream), FrameSplitter()});
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
  for (const AnswerPiece& piece :
       ScheduleAnswer(sent, frame.firstByte, frame.length, received, shaping_)) {
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

void LineServer::Log(std::string_view direction, std::string_view bytes, std::string_view note) {
  if (log_ == nullptr) return;
  *log_ << LogLine(std::chrono::system_clock::now(), direction, bytes, note) << '\n' << std::flush;
}

void LineServer::Dump(const SimUnit& unit) {
  if (options_.dump.empty()) return;
  const std::string path =
      UnitFileName(options_.dump, unit.address().value_or(0), units_.size() > 1);
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
