// The running simulator: the units behind their ways in, the serial line (a
// device or a pseudo-terminal) and TCP connections taken from listening
// sockets (one connection at a time on each, like a line; a second caller is
// closed at once).
//
// One thread does everything: it waits on the ways in and on the stop
// signal, cuts each way's bytes into frames of its own, lets every unit
// handle each frame and writes the answer back the way the frame came, paced
// as the options say. Frames and answers go to the log; connections coming
// and going are told on standard output.
//
// The faults of lines and device servers a test can switch on: an echo of
// every byte received, the previous answer repeated before each answer, a
// connection's last answer delivered again at the start of the next one,
// and a stream of noise without a line end (written whenever a way takes
// more, never waiting for it).
#pragma once

#include <optional>
#include <ostream>
#include <vector>

#include "platform/posix/serial_port.h"
#include "platform/posix/tcp_socket.h"
#include "tools/sim/answer_shaping.h"
#include "tools/sim/frame_splitter.h"
#include "tools/sim/run/sim_options.h"
#include "tools/sim/sim_unit.h"

namespace korvex7::sim {

class LineServer {
 public:
  LineServer(const SimOptions& options, std::vector<SimUnit> units, std::ostream* log);

  void AddSerialLine(posix::SerialPort port);
  void AddListener(posix::TcpListener listener);

  // Writes the dump of every unit.
  void DumpAll();

  // Runs until a stop signal. Returns the exit status: 0, or 1 when the
  // serial line failed.
  int Run();

 private:
  struct SerialWay {
    posix::SerialPort port;
    FrameSplitter splitter;
  };
  struct Client {
    posix::TcpStream stream;
    FrameSplitter splitter;
    std::string stale;  // an earlier connection's last answer, due at staleDue
    SteadyTime staleDue{};
  };
  struct ListenerWay {
    posix::TcpListener listener;
    std::optional<Client> client;
  };
  using Writer = void (*)(void* way, std::string_view bytes);

  // False when the line failed (reported).
  bool ReadSerial(short events);
  void Accept(ListenerWay& way);
  void ReadClient(ListenerWay& way);
  // --stale-answer: delivers what is due; the time of the next delivery.
  std::optional<SteadyTime> DeliverStale();
  // --noise: as much noise as the descriptor takes now.
  void WriteNoise(int fd, bool socket);
  // A stop signal while an answer is being paced sets stopping_.
  void HandleFrames(const std::vector<Frame>& frames, SteadyTime received, void* way, Writer write);
  void HandleFrame(const Frame& frame, SteadyTime received, void* way, Writer write);
  // --echo: the bytes straight back the way they came.
  void Echo(std::string_view bytes, void* way, Writer write);
  void Log(std::string_view direction, std::string_view bytes, std::string_view note);
  void Dump(const SimUnit& unit);
  int Finish(int status);

  const SimOptions& options_;
  std::vector<SimUnit> units_;
  std::ostream* log_;
  AnswerShaping shaping_;
  std::optional<SerialWay> serial_;
  std::vector<ListenerWay> listeners_;
  unsigned long long answerCount_ = 0;
  std::string previousAnswer_;  // --duplicate-answers
  std::string lastTcpAnswer_;   // --stale-answer: the last answer sent on a connection
  unsigned noiseSeed_ = 1;
  bool stopping_ = false;
};

}  // namespace korvex7::sim
