#include "platform/termination_pipe.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// The pipe's write end, set before the handlers and only read by them.
std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void OnTermination(int signal) {
  int saved = errno;
  char byte = static_cast<char>(signal);
  // A full pipe already holds a request: a failed write loses nothing.
  ssize_t written = write(g_writeEnd.load(), &byte, 1);
  (void)written;
  errno = saved;
}

}  // namespace

int CatchTerminationOnPipe() {
  int ends[2];
  if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
  g_writeEnd.store(ends[1]);
  struct sigaction action {};
  action.sa_handler = OnTermination;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  return ends[0];
}

int TakeTerminationSignal(int readEnd) {
  int last = 0;
  char byte = 0;
  while (read(readEnd, &byte, 1) == 1) last = static_cast<unsigned char>(byte);
  return last;
}

}  // namespace platform
