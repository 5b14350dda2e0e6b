// A transfer job: random unsent songs copied into kMp3 up to a budget, on a
// worker thread, with the run's progress, stop request and outcome. One per
// front end, created once; one run at a time. The front ends start, stop
// and wait for a run here, never through a thread of their own.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/file_copy.h"
#include "platform/folder_lock.h"
#include "platform/random_generator.h"
#include "platform/worker_thread.h"
#include "store/playlist.h"
#include "transfer/transfer_progress.h"

// Told of every copy as it completes, on the worker thread, after the song
// is on record in kPlayLst.dat and the counts are updated. `row` is valid
// during the call. `onRefused` (optional) hears of each song not sent
// because its file belongs to the system (/proc, /sys...): it is counted
// as missing, like a song whose file is gone.
struct TransferObserver {
  void (*onCopied)(void* context, const char* row);
  void* context;
  void (*onRefused)(void* context, uint32_t slot) = nullptr;
  // A dry run's song of `slot`, as it would be numbered, in draw order.
  void (*onPlanned)(void* context, uint32_t slot, uint32_t number) = nullptr;
};

// How the job reaches the system: the ways a copy may take, whether a
// thread may be started, and where the draws' seed comes from.
struct TransferOptions {
  platform::CopyPaths copyPaths;
  platform::ThreadStarts threadStarts = platform::ThreadStarts::Allowed;
  SeedSource seedNow = ClockSeed;
};

enum class TransferStart {
  Started,
  Busy,    // another operation is changing this folder: nothing was done
  Failed,  // no thread: the run is already Finished, with TransferEnd::NotStarted
};

class TransferJob {
 public:
  explicit TransferJob(Playlist& playlist, TransferOptions options = {});
  // A run still going is asked to stop and waited for: its copy in progress
  // is removed and the table saved before the program goes on.
  ~TransferJob();
  TransferJob(const TransferJob&) = delete;
  TransferJob& operator=(const TransferJob&) = delete;

  // Takes the working folder's lock, prepares the run and starts it on the
  // worker. `observer` may be null and must outlive the run.
  [[nodiscard]] TransferStart Start(int32_t capacityMb, const TransferObserver* observer = nullptr);
  // Any thread: a copy in progress is abandoned and removed, and the run
  // ends as if no unsent song were left, saving the table. Cleared by the
  // next start.
  void RequestStop() { transferStopRequested.store(true); }
  // True once the run has ended, waiting at most `limit`.
  bool WaitFor(std::chrono::milliseconds limit) { return worker_.WaitFor(limit); }
  // Waits for the end; the run's result (see Run).
  int32_t Wait();

  // One whole run on the calling thread, as the worker does it, taking the
  // lock itself; ends with the status Finished. Its result.
  int32_t RunHere(int32_t capacityMb, const TransferObserver* observer = nullptr);
  // One possible draw of such a run, told song by song to `observer`'s
  // onPlanned, with the counts and the end in the progress as a run sets
  // them. Nothing is copied, removed, locked or written; the playlist's
  // working table holds the draw afterwards. -1 when kPlayLst.dat can't be
  // read, else 0.
  int32_t DryRun(int32_t capacityMb, const TransferObserver* observer);

  TransferProgress& Progress() { return transferProgress; }
  const TransferProgress& Progress() const { return transferProgress; }
  // The stop request as a flag, for a signal handler or an observer.
  std::atomic<bool>& StopFlag() { return transferStopRequested; }

 private:
  static void Body(void* self);
  // Capacity, bytesCopied 0, no stop request, and status Running.
  void Prepare(int32_t capacityMb);
  // Zeroes the song counts, runs, releases `heldLock` (when given) once the
  // table is saved, and sets the status to Finished as its last act.
  int32_t RunToFinish(const TransferObserver* observer, platform::FolderLock* heldLock);
  // The run on the playlist's working table, under the working folder's
  // lock (taken here unless `heldLock` holds it already). Every copy is put
  // on record in kPlayLst.dat as soon as it has its final name, and the
  // whole table is saved at the end, both only while kPlayLst.dat is still
  // the file the run loaded. -1 when kPlayLst.dat can't be locked or read
  // (nothing is copied or written), else the result of the final save (0,
  // or -1). Sets the end fields of the progress; the first reason to end is
  // kept. Works in the current folder, through one handle of it and one of
  // kMp3, which is never a link.
  int32_t Run(const TransferObserver* observer, const platform::FolderLock* heldLock);

  Playlist& playlist_;
  TransferOptions options_;
  TransferProgress transferProgress;
  std::atomic<bool> transferStopRequested{false};
  platform::WorkerThread worker_;
  platform::FolderLock lock_;
  const TransferObserver* observer_ = nullptr;
  std::atomic<int32_t> result_{0};
};
