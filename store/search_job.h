// Playlist creation and addition without a window: the extension entry, the
// search of a chosen folder on a worker thread, and the append of a
// confirmed scan result. One per front end, created once; one search at a
// time. The front ends start, poll, stop and wait for it here, never
// through a thread of their own.
#pragma once

#include <atomic>
#include <chrono>

#include "platform/worker_thread.h"
#include "store/playlist.h"
#include "store/playlist_entry.h"
#include "store/scan_report.h"

enum class SearchStatus : int32_t {
  Failed,
  Succeeded,
  None,  // cancelled, or still running
};

class SearchJob {
 public:
  explicit SearchJob(Playlist& playlist,
                     platform::ThreadStarts starts = platform::ThreadStarts::Allowed);
  // A search still running is asked to stop and waited for.
  ~SearchJob();
  SearchJob(const SearchJob&) = delete;
  SearchJob& operator=(const SearchJob&) = delete;

  // Takes what the user typed as the wanted extension: at most 259 bytes,
  // upper case lowered, cut at the first space. An empty entry is refused
  // and resets the wanted extension to "mp3".
  bool TakeExtensionEntry(const char* typed);
  void ResetWantedExtension();
  // No dot, lower case; "mp3" until the user types another.
  const char* WantedExtension() const { return wantedExtension; }

  // The starter's side, before the worker starts: `chosenFolder` (absolute,
  // '/'-separated) without trailing separators, the mode, an empty scan
  // result for an addition, no stop request, and status none. False, with
  // the status failed, when the folder does not fit PATH_LEN.
  [[nodiscard]] bool Prepare(const char* chosenFolder, bool addition);

  // Runs Work on the worker after Prepare. False when no thread could be
  // started: the status then says the search failed.
  [[nodiscard]] bool Start();
  // Any thread: the scan stops at its next entry and the search fails
  // without saving anything.
  void RequestStop() { searchStopRequested.store(true); }
  // True once the status holds the outcome, waiting at most `limit`.
  bool WaitFor(std::chrono::milliseconds limit) { return worker_.WaitFor(limit); }
  // Waits for the end and returns the status.
  SearchStatus Wait();
  // Each stage's outcome, written by the worker last.
  SearchStatus Status() const { return searchStatus.load(std::memory_order_acquire); }

  // The search itself, on the calling thread. Creation: takes the working
  // folder's lock, refuses when kPlayLst.dat can already be read, otherwise
  // saves the result as the new playlist. Addition: copies the result into
  // the scan result. 1 for success, 0 for failure.
  int Work();

  // Why the job's last load, save or lock of kPlayLst.dat failed.
  PlaylistFailure LastFailure() const { return playlist_.failure.Last(); }

  // An addition's scan result, kept until the user confirms or cancels it.
  const PlaylistTable& ScanResult() const { return scanResultTable; }
  // What the last search and append left out; a front end that says so
  // sets its folder callback before Start.
  ScanReport& Report() { return scanReport_; }
  // Appends the scan result to kPlayLst.dat as untransferred songs, as many
  // as fit, under the working folder's lock. 1 when the file was
  // rewritten, 0 otherwise.
  int AppendScanResult();

 private:
  static void Body(void* self);
  int SaveWorkingTable(const PlaylistPlace& place);  // 1 when kPlayLst.dat was written

  Playlist& playlist_;
  // The folder the user chose, with single separators, no trailing one.
  char chosenFolder[PATH_LEN] = {};
  bool addMode = false;  // an addition, not a creation
  std::atomic<SearchStatus> searchStatus{SearchStatus::None};
  std::atomic<bool> searchStopRequested{false};
  char wantedExtension[PATH_LEN] = {};
  // The scan's scratch field for a candidate's extension.
  char foundExtension[PATH_LEN] = {};
  PlaylistTable scanResultTable{};
  ScanReport scanReport_;
  platform::WorkerThread worker_;
};

// Writes the chosen folder in stored form into `out` (PATH_LEN bytes): every
// separator doubled and two more appended. False when that would not fit.
bool PrepareScanPath(const char* chosenFolder, char* out);
