// A working folder with songs, a playlist and kMp3, for transfer tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/playlist_entry.h"
#include "tests/support/temp_folder.h"
#include "transfer/transfer_job.h"

namespace testing_support {

// The names in `folder`, sorted; hidden ones included.
std::vector<std::string> NamesIn(const std::string& folder);

// A fresh folder with fresh owners: the playlist and a transfer job with
// `options`.
class TransferSetup {
 public:
  explicit TransferSetup(TransferOptions options = {});  // creates kMp3 and music/

  // Writes music/<name> with `bytes` bytes of its own and returns its entry,
  // with the recorded size `recorded` (the real size when 0).
  PlaylistEntry Song(const std::string& name, uint32_t recorded = 0, size_t bytes = 1000);
  PlaylistEntry Missing(const std::string& name);  // its source file does not exist
  // Songs "0.mp3" to "<count - 1>.mp3" of `bytes` each, and a playlist of them.
  std::vector<PlaylistEntry> WriteSongs(int count, size_t bytes = 1000);
  // One run through the worker's entry, on this thread; its result.
  int32_t Run(int32_t capacityMb, const TransferObserver* observer = nullptr);
  Playlist& playlist() { return *playlist_; }
  TransferJob& job() { return *job_; }
  TransferProgress& progress() { return job_->Progress(); }

  std::vector<std::string> TargetNames() const { return NamesIn("kMp3"); }
  // Transfer number -> slot, for the saved playlist's transferred entries.
  std::map<uint32_t, uint32_t> SentNumbers() const;
  // kMp3 holds exactly the copies of the transferred entries, byte for
  // byte, each named "%04d.<extension>" after its number. After a kill, up
  // to `unrecorded` more songs and a temporary file may be there; each of
  // those songs must still be a whole copy of a song in music/.
  void ExpectFolderMatchesPlaylist(size_t unrecorded = 0) const;
  const TempFolder& folder() const { return folder_; }

 private:
  TempFolder folder_;
  std::unique_ptr<Playlist> playlist_;
  std::unique_ptr<TransferJob> job_;
  uint32_t nextSeed_ = 1;
};

}  // namespace testing_support
