#include "transfer/transfer_thread.h"

#include "store/working_folder_lock.h"
#include "transfer/transfer_progress.h"

TransferThread::~TransferThread() {
  RequestStop();
  worker_.Join();
}

TransferStart TransferThread::Start(int32_t capacityMb, const TransferObserver* observer) {
  if (!worker_.Finished()) return TransferStart::Busy;
  worker_.Join();
  if (!LockWorkingFolder(&lock_)) return TransferStart::Busy;
  observer_ = observer;
  PrepareTransfer(capacityMb);
  if (worker_.Start(Body, this)) return TransferStart::Started;
  lock_.Release();
  result_ = -1;
  g_transferProgress.songsCopied.store(0);
  g_transferProgress.songsMissing.store(0);
  g_transferProgress.endReason.store(END_NOT_STARTED);
  g_transferProgress.status.store(TRANSFER_FINISHED, std::memory_order_release);
  return TransferStart::Failed;
}

void TransferThread::RequestStop() { g_transferStopRequested.store(true); }

bool TransferThread::WaitFor(std::chrono::milliseconds limit) { return worker_.WaitFor(limit); }

int32_t TransferThread::Wait() {
  worker_.Join();
  return result_.load();
}

void TransferThread::Body(void* self) {
  auto* owner = static_cast<TransferThread*>(self);
  owner->result_ = TransferThreadProc(owner->observer_, &owner->lock_);
}
