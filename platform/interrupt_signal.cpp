#include "platform/interrupt_signal.h"

#include <atomic>
#include <csignal>

namespace platform {
namespace {

// A lock-free atomic is the one kind of shared value a handler may store.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnInterrupt(int) { g_interrupted.store(true); }

}  // namespace

bool CatchInterrupts() {
  struct sigaction action{};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

bool InterruptRequested() { return g_interrupted.load(); }

}  // namespace platform
