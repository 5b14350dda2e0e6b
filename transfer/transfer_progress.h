// The record the transfer worker publishes and the window polls.
#pragma once

#include <atomic>
#include <cstdint>

enum TransferStatus : int32_t {
  TRANSFER_IDLE = 0,
  TRANSFER_RUNNING = 1,
  TRANSFER_FINISHED = 2,
};

// Why a run ended. Only the front end's own words differ by it; the window
// shows the same counts whatever the reason.
enum TransferEnd : int32_t {
  END_COMPLETE = 0,         // the budget is reached or no unsent song is left
  END_STOPPED = 1,          // a stop request
  END_MEDIUM_FULL = 2,      // kMp3's medium has no room for the next song
  END_TARGET_FAILED = 3,    // kMp3 could not be written (endError)
  END_SOURCE_FAILED = 4,    // the song of slot endSlot could not be read (endError)
  END_NUMBERS_USED = 5,     // the last transfer number is taken
  END_PLAYLIST_FAILED = 6,  // kPlayLst.dat could not be read, locked or written
  END_NOT_STARTED = 7,      // no worker thread could be started
};

// Written by the starter before a run and by the worker during it (see
// each field); `status` is the worker's last write, with release order, so
// a reader that loads Finished with acquire order sees the final counts.
struct TransferProgress {
  std::atomic<int32_t> status{TRANSFER_IDLE};  // a TransferStatus
  std::atomic<int32_t> capacityMb{0};          // set before the run starts
  std::atomic<uint32_t> bytesCopied{0};        // recorded sizes of this run's copies
  std::atomic<uint32_t> songsCopied{0};
  std::atomic<uint32_t> songsMissing{0};
  std::atomic<uint64_t> bytesInCurrentCopy{0};   // moves a bar during a long copy
  std::atomic<int32_t> endReason{END_COMPLETE};  // a TransferEnd, set before Finished
  std::atomic<int32_t> endError{0};              // the system's error code, or 0
  std::atomic<uint32_t> endSlot{0};              // the slot END_SOURCE_FAILED names
};
