#include "tests/support/paced_run.h"

#include <chrono>
#include <thread>

namespace testing_support {

PacedRun::PacedRun(uint32_t holdAfter, std::chrono::milliseconds perCopy)
    : holdAfter_(holdAfter), perCopy_(perCopy), observer_{OnCopied, this} {}

void PacedRun::OnCopied(void* self, const char*) {
  auto* run = static_cast<PacedRun*>(self);
  std::this_thread::sleep_for(run->perCopy_);
  if (++run->copies_ != run->holdAfter_) return;
  run->holding_ = true;
  while (!run->released_ && !g_transferStopRequested) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  run->holding_ = false;
}

}  // namespace testing_support
