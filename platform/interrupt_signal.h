// Ctrl-C on a terminal, turned into a stop request.
#pragma once

#include <atomic>

namespace platform {

// From now on SIGINT and SIGTERM no longer end the process; each sets
// `flag` instead (from the handler, so at once, whatever thread runs).
// `flag` must live as long as the process. Main thread, once.
bool CatchInterrupts(std::atomic<bool>* flag);

}  // namespace platform
