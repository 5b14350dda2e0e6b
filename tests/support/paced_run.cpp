#include "tests/support/paced_run.h"

#include <chrono>
#include <thread>

namespace testing_support {

PacedRun::PacedRun(uint32_t holdAfter, TransferJob& job)
    : holdAfter_(holdAfter), stopRequested_(job.StopFlag()), observer_{OnCopied, this} {}

void PacedRun::OnCopied(void* self, const char*) {
  auto* run = static_cast<PacedRun*>(self);
  if (++run->copies_ != run->holdAfter_) return;
  run->holding_ = true;
  while (!run->released_ && !run->stopRequested_) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  run->holding_ = false;
}

}  // namespace testing_support
