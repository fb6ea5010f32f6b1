// Stopping korvex7-sim: SIGINT, SIGTERM and SIGHUP only write a byte into a
// pipe, which the simulator's wait includes, so the loop ends cleanly (the
// dump written a last time, the pseudo-terminal's link removed). SIGPIPE is
// ignored: a client that went away is a failed write, not the end.
#pragma once

#include "tools/sim/answer_shaping.h"

namespace korvex7::sim {

// Installs the handlers; throws std::runtime_error when the pipe cannot be made.
void InstallStopSignals();

// The descriptor that becomes readable once a stop signal came.
int StopSignalFd();

// Waits until `deadline` unless a stop signal comes first (then false).
bool WaitUntilOrStop(SteadyTime deadline);

}  // namespace korvex7::sim
