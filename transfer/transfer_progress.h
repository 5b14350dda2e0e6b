// The record the transfer worker publishes and the window polls.
#pragma once

#include <atomic>
#include <cstdint>

#include "transfer/transfer_texts.h"

enum TransferStatus : int32_t {
  TRANSFER_IDLE = 0,
  TRANSFER_RUNNING = 1,
  TRANSFER_FINISHED = 2,
};

// The newest result row, handed over whole: the writer bumps a sequence
// number to odd, stores the words, and bumps it to even; a reader retries
// until it saw the same even number before and after its copy. Wait-free
// for the single writer (the worker); any number of readers.
class ResultRowSlot {
 public:
  // Keeps at most RESULT_ROW_BYTES - 1 bytes of `row`.
  void Publish(const char* row);
  // The last row, zero padded to RESULT_ROW_BYTES.
  void Read(char* out) const;

 private:
  static constexpr size_t kWords = RESULT_ROW_BYTES / sizeof(uint64_t);
  static_assert(RESULT_ROW_BYTES % sizeof(uint64_t) == 0);
  std::atomic<uint32_t> sequence_{0};
  std::atomic<uint64_t> words_[kWords]{};
};

// Why a run ended. Only the front end's own words differ by it; the window
// shows the same counts whatever the reason.
enum TransferEnd : int32_t {
  END_COMPLETE = 0,           // the budget is reached or no unsent song is left
  END_STOPPED = 1,            // a stop request
  END_MEDIUM_FULL = 2,        // kMp3's medium has no room for the next song
  END_TARGET_FAILED = 3,      // kMp3 could not be written (endError)
  END_SOURCE_FAILED = 4,      // the song of slot endSlot could not be read (endError)
  END_NUMBERS_USED = 5,       // the last transfer number is taken
  END_PLAYLIST_FAILED = 6,    // kPlayLst.dat could not be read, locked or written
  END_NOT_STARTED = 7,        // no worker thread could be started
  END_PLAYLIST_REPLACED = 8,  // another file took kPlayLst.dat's name; left unwritten
};

// Written by the window before a run and by the worker during it (see each
// field); `status` is the worker's last write, with release order, so a
// reader that loads Finished with acquire order sees the final counts.
struct TransferProgress {
  std::atomic<int32_t> status{TRANSFER_IDLE};  // a TransferStatus
  std::atomic<int32_t> capacityMb{0};          // set before the run starts
  std::atomic<uint32_t> bytesCopied{0};        // recorded sizes of this run's copies
  std::atomic<uint32_t> songsCopied{0};
  std::atomic<uint32_t> songsMissing{0};
  // Bytes copied but not yet in bytesCopied: the copy in progress and the
  // batch waiting for its flush. Moves a bar during a long copy.
  std::atomic<uint64_t> bytesInCurrentCopy{0};
  std::atomic<int32_t> endReason{END_COMPLETE};  // a TransferEnd, set before Finished
  std::atomic<int32_t> endError{0};              // the system's error code, or 0
  std::atomic<uint32_t> endSlot{0};              // the slot END_SOURCE_FAILED names
  // The newest copy's row; it keeps its text between runs.
  ResultRowSlot lastRow;
};

extern TransferProgress g_transferProgress;
