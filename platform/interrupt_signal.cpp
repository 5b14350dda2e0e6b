#include "platform/interrupt_signal.h"

#include <csignal>
#include <cstdlib>

namespace platform {
namespace {

// Lock-free atomics are the only shared values a handler may touch.
std::atomic<std::atomic<bool>*> g_flag{nullptr};
std::atomic<int> g_caught{0};
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);

void OnInterrupt(int signal) {
  int none = 0;
  g_caught.compare_exchange_strong(none, signal);
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

int CaughtInterrupt() { return g_caught.load(); }

void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  std::_Exit(128 + signal);  // not reached unless the signal is ignored from outside
}

void IgnoreBrokenPipes() { signal(SIGPIPE, SIG_IGN); }

}  // namespace platform
