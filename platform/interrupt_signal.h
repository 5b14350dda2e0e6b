// Ctrl-C, a termination request or a closed terminal, turned into a stop
// request.
#pragma once

#include <atomic>

namespace platform {

// From now on SIGINT, SIGTERM and SIGHUP no longer end the process; each sets
// `flag` instead (from the handler, so at once, whatever thread runs).
// `flag` must live as long as the process. Main thread, once.
bool CatchInterrupts(std::atomic<bool>* flag);

}  // namespace platform

namespace platform {

// A write to a closed pipe fails with EPIPE instead of ending the process.
void IgnoreBrokenPipes();

}  // namespace platform
