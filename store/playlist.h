// The playlist a front end works on: the working image of kPlayLst.dat, its
// entry count, what the main window found at start-up, and why the last
// load, save or lock failed. Created once per run and passed down.
#pragma once

#include <atomic>
#include <cstdint>

#include "store/playlist_entry.h"

struct PlaylistPlace;

// Replaced: the file was not the one loaded any more, and was left alone.
enum class PlaylistAccess : int32_t { None, Read, Write, Lock, Replaced };
struct PlaylistFailure {
  PlaylistAccess access;
  int error;  // the system's error code; EWOULDBLOCK with Lock: another writer
};

// Why the last load, save or lock failed; cleared as each writing operation
// starts. Written by whichever thread ran the operation, read by the front
// end once it has ended.
class FailureRecord {
 public:
  PlaylistFailure Last() const;
  void Clear() { Record(PlaylistAccess::None, 0); }
  void Record(PlaylistAccess access, int error);

 private:
  std::atomic<int32_t> access_{static_cast<int32_t>(PlaylistAccess::None)};
  std::atomic<int> error_{0};
};

struct Playlist {
  // Every load-change-save operation, the scan and the transfer use this one.
  PlaylistTable workingTable{};
  // Entries of workingTable. Written by the scan and transfer workers while
  // the window thread may read it, hence atomic.
  std::atomic<uint32_t> entryCount{0};
  // What the main window found at start-up or created since: both only ever
  // go from false to true, and the start button needs both. Window thread.
  bool playlistPresent = false;      // kPlayLst.dat exists
  bool targetFolderPresent = false;  // the kMp3 folder exists
  FailureRecord failure;

  // Zeroes workingTable, loads kPlayLst.dat into it (from `place`, when
  // given) and, unless that failed, sets entryCount. False when the file
  // could not be read.
  [[nodiscard]] bool LoadWithCount(PlaylistPlace* place = nullptr);
};
