#include "platform/interrupt_signal.h"

#include <csignal>

namespace platform {
namespace {

// Lock-free atomics are the only shared values a handler may touch.
std::atomic<std::atomic<bool>*> g_flag{nullptr};
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);

void OnInterrupt(int) {
  if (std::atomic<bool>* flag = g_flag.load()) flag->store(true);
}

}  // namespace

bool CatchInterrupts(std::atomic<bool>* flag) {
  g_flag.store(flag);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool caught = true;
  for (int signal : {SIGINT, SIGTERM, SIGHUP})
    caught = sigaction(signal, &action, nullptr) == 0 && caught;
  return caught;
}

void IgnoreBrokenPipes() { signal(SIGPIPE, SIG_IGN); }

}  // namespace platform
