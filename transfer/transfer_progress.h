// The record the transfer worker publishes and the window polls.
#pragma once

#include <atomic>
#include <cstdint>

enum class TransferStatus : int32_t { Idle, Running, Finished };

// Why a run ended. Only the front end's own words differ by it; the window
// shows the same counts whatever the reason.
enum class TransferEnd : int32_t {
  Complete,        // the budget is reached or no unsent song is left
  Stopped,         // a stop request
  MediumFull,      // kMp3's medium has no room for the next song
  TargetFailed,    // kMp3 could not be written (endError)
  SourceFailed,    // the song of slot endSlot could not be read (endError)
  NumbersUsed,     // the last transfer number is taken
  PlaylistFailed,  // kPlayLst.dat could not be read, locked or written
  NotStarted,      // no worker thread could be started
  PlaylistReplaced,  // another file took kPlayLst.dat's name; left unwritten
  AllSent,           // a free-space run sent every unsent song, with room to spare
  FreeSpaceUnknown,  // kMp3's volume reports no size: nothing was sent
};

// Written by the starter before a run and by the worker during it (see
// each field); `status` is the worker's last write, with release order, so
// a reader that loads Finished with acquire order sees the final counts.
struct TransferProgress {
  std::atomic<TransferStatus> status{TransferStatus::Idle};
  std::atomic<int32_t> capacityMb{0};            // set before the run starts
  // The run's budget in bytes, set once the run has measured it.
  std::atomic<uint64_t> budgetBytes{0};
  std::atomic<uint64_t> bytesCopied{0};          // recorded sizes of this run's copies
  std::atomic<uint32_t> songsCopied{0};
  std::atomic<uint32_t> songsMissing{0};
  // Bytes copied but not yet in bytesCopied: the copy in progress and the
  // batch waiting for its flush. Moves a bar during a long copy.
  std::atomic<uint64_t> bytesInCurrentCopy{0};
  std::atomic<TransferEnd> endReason{TransferEnd::Complete};  // set before Finished
  std::atomic<int32_t> endError{0};              // the system's error code, or 0
  std::atomic<uint32_t> endSlot{0};              // the slot SourceFailed names
};
