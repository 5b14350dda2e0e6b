// A transfer observer that holds the worker once a number of songs is
// copied, so a test can look at a run in progress.
#pragma once

#include <atomic>
#include <cstdint>

#include "transfer/transfer_job.h"

namespace testing_support {

class PacedRun {
 public:
  // Holds after the `holdAfter`th copy until Release or a stop request.
  PacedRun(uint32_t holdAfter, TransferJob& job);
  const TransferObserver* observer() const { return &observer_; }
  bool Holding() const { return holding_.load(); }
  void Release() { released_ = true; }

 private:
  static void OnCopied(void* self, const char* row);

  uint32_t holdAfter_;
  const std::atomic<bool>& stopRequested_;
  std::atomic<uint32_t> copies_{0};
  std::atomic<bool> holding_{false};
  std::atomic<bool> released_{false};
  TransferObserver observer_;
};

}  // namespace testing_support
