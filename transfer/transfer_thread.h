// The owner of a transfer worker: the front ends start, stop and wait for a
// run here, never through a thread of their own. One run at a time.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/folder_lock.h"
#include "platform/worker_thread.h"
#include "transfer/transfer_run.h"

enum class TransferStart {
  Started,
  Busy,    // another operation is changing this folder: nothing was done
  Failed,  // no thread: the run is already Finished, with END_NOT_STARTED
};

class TransferThread {
 public:
  TransferThread() = default;
  // A run still going is asked to stop and waited for: its copy in progress
  // is removed and the table saved before the program goes on.
  ~TransferThread();
  TransferThread(const TransferThread&) = delete;
  TransferThread& operator=(const TransferThread&) = delete;

  // Takes the working folder's lock, prepares the run (PrepareTransfer) and
  // starts TransferThreadProc. `observer` may be null and must outlive the run.
  [[nodiscard]] TransferStart Start(int32_t capacityMb, const TransferObserver* observer = nullptr);
  void RequestStop();
  // True once the run has ended, waiting at most `limit`.
  bool WaitFor(std::chrono::milliseconds limit);
  // Waits for the end; RunTransfer's result.
  int32_t Wait();

 private:
  static void Body(void* self);

  platform::WorkerThread worker_;
  platform::FolderLock lock_;
  const TransferObserver* observer_ = nullptr;
  std::atomic<int32_t> result_{0};
};
