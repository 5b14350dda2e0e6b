// A transfer observer that holds the worker once a number of songs is
// copied, so a test can look at a run in progress.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "transfer/transfer_job.h"

namespace testing_support {

class PacedRun {
 public:
  // Holds after the `holdAfter`th copy of `job`'s run until Release or a
  // stop request; before that, each copy takes `perCopy` longer, as on a
  // slow card.
  PacedRun(uint32_t holdAfter, TransferJob& job, std::chrono::milliseconds perCopy = {})
      : holdAfter_(holdAfter),
        perCopy_(perCopy),
        stopRequested_(job.StopFlag()),
        observer_{OnCopied, this} {}
  const TransferObserver* observer() const { return &observer_; }
  bool Holding() const { return holding_.load(); }
  void Release() { released_ = true; }

 private:
  static void OnCopied(void* self, const char*) {
    auto* run = static_cast<PacedRun*>(self);
    std::this_thread::sleep_for(run->perCopy_);
    if (++run->copies_ != run->holdAfter_) return;
    run->holding_ = true;
    while (!run->released_ && !run->stopRequested_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run->holding_ = false;
  }

  uint32_t holdAfter_;
  std::chrono::milliseconds perCopy_;
  const std::atomic<bool>& stopRequested_;
  std::atomic<uint32_t> copies_{0};
  std::atomic<bool> holding_{false};
  std::atomic<bool> released_{false};
  TransferObserver observer_;
};

}  // namespace testing_support
