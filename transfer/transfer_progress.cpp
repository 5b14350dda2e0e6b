#include "transfer/transfer_progress.h"

#include <cstring>

TransferProgress g_transferProgress;

// The word stores are release and the word loads acquire: a reader that
// sees any word of a newer row is then bound to see the odd (or newer)
// sequence number that preceded it, and retries.
void ResultRowSlot::Publish(const char* row) {
  uint64_t words[kWords] = {};
  std::memcpy(words, row, strnlen(row, RESULT_ROW_BYTES - 1));
  uint32_t sequence = sequence_.load(std::memory_order_relaxed);
  sequence_.store(sequence + 1, std::memory_order_relaxed);
  for (size_t i = 0; i < kWords; ++i) words_[i].store(words[i], std::memory_order_release);
  sequence_.store(sequence + 2, std::memory_order_release);
}

void ResultRowSlot::Read(char* out) const {
  uint64_t words[kWords];
  uint32_t before;
  uint32_t after;
  do {
    before = sequence_.load(std::memory_order_acquire);
    for (size_t i = 0; i < kWords; ++i) words[i] = words_[i].load(std::memory_order_acquire);
    after = sequence_.load(std::memory_order_relaxed);
  } while (before != after || (before & 1u) != 0);
  std::memcpy(out, words, RESULT_ROW_BYTES);
}
