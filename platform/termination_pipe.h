// SIGTERM and SIGHUP (a kill, a logout) turned into a byte on a pipe, so
// that a window's event loop can end its work cleanly instead of dying.
#pragma once

namespace platform {

// From now on SIGTERM and SIGHUP no longer end the process: each writes its
// number to a pipe. Returns the pipe's read end (non-blocking), or -1 when
// no pipe could be made. Main thread, once.
int CatchTerminationOnPipe();

// Empties the pipe; the last signal read, or 0.
int TakeTerminationSignal(int readEnd);

}  // namespace platform
