// Ctrl-C on a terminal, turned into a flag that a loop can poll.
#pragma once

namespace platform {

// From now on SIGINT and SIGTERM no longer end the process; they only set
// the flag that InterruptRequested reads. Main thread, once.
bool CatchInterrupts();

// True once SIGINT or SIGTERM arrived after CatchInterrupts. Any thread.
bool InterruptRequested();

}  // namespace platform
