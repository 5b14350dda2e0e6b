// Songs copied under hidden temporary names and waiting for one flush of
// the medium, after which each gets its final name and its record: one
// journal commit for many songs instead of one per song.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "platform/file_copy.h"
#include "transfer/transfer_texts.h"

struct PendingCopy {
  uint32_t slot;
  uint16_t previousNumber;  // the entry's number before the draw, put back on failure
  char target[TARGET_NAME_BYTES];
  char temporary[platform::TEMPORARY_NAME_BYTES];
};

// At most a second of copying or 64 MB, whichever comes first: a kill
// loses no more than that, and the window's bars move every second.
class CopyBatch {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr size_t kMaxSongs = 64;
  static constexpr uint64_t kMaxBytes = uint64_t{64} << 20;
  static constexpr auto kMaxAge = std::chrono::seconds(1);

  // A slot for the next copy; its fields are the caller's to fill. Null
  // when the batch is full and must be flushed first.
  PendingCopy* Next();
  // The copy in Next()'s slot is complete, with `bytes` bytes.
  void Add(uint64_t bytes);
  bool Due() const;
  size_t Size() const { return count_; }
  uint64_t Bytes() const { return count_ == 0 ? 0 : bytes_; }
  PendingCopy& operator[](size_t index) { return items_[index]; }
  void Clear() { count_ = 0; }

 private:
  PendingCopy items_[kMaxSongs] = {};
  size_t count_ = 0;
  uint64_t bytes_ = 0;
  Clock::time_point started_;
};
