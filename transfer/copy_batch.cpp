#include "transfer/copy_batch.h"

PendingCopy* CopyBatch::Next() { return count_ < kMaxSongs ? &items_[count_] : nullptr; }

void CopyBatch::Add(uint64_t bytes) {
  if (count_ == 0) {
    started_ = Clock::now();
    bytes_ = 0;
  }
  bytes_ += bytes;
  ++count_;
}

bool CopyBatch::Due() const {
  return count_ == kMaxSongs ||
         (count_ > 0 && (bytes_ >= kMaxBytes || Clock::now() - started_ >= kMaxAge));
}
