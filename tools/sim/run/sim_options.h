// The command line of korvex7-sim.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvex7::sim {

struct SimOptions {
  std::string pty;                  // --pty PATH: a new pseudo-terminal, linked at PATH
  std::string port;                 // --port DEVICE: an existing serial device
  std::vector<std::string> listen;  // --listen tcp://HOST:PORT, each
  std::vector<int> addresses;       // RS-485 unit addresses; none: one RS-232C unit
  std::string load;
  std::string dump;
  std::string log;
  int replyDelayMs = 0;
  bool silent = false;
  std::string status;
  bool chunked = false;
  unsigned long long garbleEvery = 0;
  int lineRate = 0;
  // Faults of the line and of device servers.
  bool echo = false;              // every byte received is sent back at once (2-wire RS-485)
  bool duplicateAnswers = false;  // each answer is preceded by the previous one again
  int staleAnswerMs = -1;         // --listen: the last answer of a connection delivered again
                                  // this long after the next connection is taken
  bool noise = false;             // a stream of noise without a line end, without a pause
};

struct ParsedSimOptions {
  std::optional<SimOptions> options;  // empty after --help, --version or an error
  int exitCode = 0;                   // when options is empty: 0, or 2 for a usage error
};

// Parses the command line; help and errors are printed here.
ParsedSimOptions ParseSimOptions(int argc, char** argv);

}  // namespace korvex7::sim
