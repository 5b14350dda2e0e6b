// Ctrl-C, a termination request or a closed terminal, turned into a stop
// request.
#pragma once

#include <atomic>

namespace platform {

// From now on SIGINT, SIGTERM and SIGHUP no longer end the process; each sets
// `flag` instead (from the handler, so at once, whatever thread runs).
// `flag` must live as long as the process. Main thread, once.
bool CatchInterrupts(std::atomic<bool>* flag);

// The signal that set the flag, or 0 when none came.
int CaughtInterrupt();

// Ends the process as `signal` would have, once the caller has cleaned up:
// its default action restored and the signal sent again, so that a shell
// sees 128 + signal.
[[noreturn]] void EndBySignal(int signal);

// A write to a closed pipe fails with EPIPE instead of ending the process.
void IgnoreBrokenPipes();

}  // namespace platform
