// A working folder with songs, a playlist and kMp3, for transfer tests.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "store/playlist_entry.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

class TransferSetup {
 public:
  TransferSetup();   // creates kMp3 and music/; progress counters zeroed
  ~TransferSetup();  // restores the real clock, status Idle, no stop request

  // Writes music/<name> with `bytes` bytes of its own and returns its entry,
  // path in stored form, recorded size `recorded` (the real size when 0).
  PlaylistEntry Song(const std::string& name, uint32_t recorded = 0, size_t bytes = 1000);
  // An entry whose source file does not exist.
  PlaylistEntry Missing(const std::string& name, uint32_t recorded = 1000);

  // One run through the worker's entry, on this thread. Returns its result.
  int32_t Run(int32_t capacityMb);

  // Names in kMp3, sorted; hidden files included.
  std::vector<std::string> TargetNames() const;
  // Transfer number -> slot, for the saved playlist's transferred entries.
  std::map<uint32_t, uint32_t> SentNumbers() const;
  // Every file in kMp3 is the copy of the entry recorded under its number,
  // byte for byte, named "kMp3/%04d.<extension>"; no other file is there.
  void ExpectFolderMatchesPlaylist() const;

  const TempFolder& folder() const { return folder_; }

 private:
  TempFolder folder_;
  uint32_t nextSeed_ = 1;
};

// The playlist file was written by the run: it was left short and now has
// the full size.
void WriteShortPlaylist(const std::vector<PlaylistEntry>& entries);

}  // namespace testing_support
