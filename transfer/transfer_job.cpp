#include "transfer/transfer_job.h"

#include "store/working_folder_lock.h"

TransferJob::TransferJob(Playlist& playlist, TransferOptions options)
    : playlist_(playlist), options_(options), worker_(options.threadStarts) {}

TransferJob::~TransferJob() {
  RequestStop();
  worker_.Join();
}

TransferStart TransferJob::Start(int32_t capacityMb, const TransferObserver* observer) {
  if (!worker_.Finished()) return TransferStart::Busy;
  worker_.Join();
  if (!LockWorkingFolder(&lock_, playlist_.failure)) return TransferStart::Busy;
  observer_ = observer;
  Prepare(capacityMb);
  if (worker_.Start(Body, this)) return TransferStart::Started;
  lock_.Release();
  result_ = -1;
  transferProgress.songsCopied.store(0);
  transferProgress.songsMissing.store(0);
  transferProgress.endReason.store(TransferEnd::NotStarted);
  transferProgress.status.store(TransferStatus::Finished, std::memory_order_release);
  return TransferStart::Failed;
}

int32_t TransferJob::Wait() {
  worker_.Join();
  return result_.load();
}

int32_t TransferJob::RunHere(int32_t capacityMb, const TransferObserver* observer) {
  Prepare(capacityMb);
  return RunToFinish(observer, nullptr);
}

void TransferJob::Body(void* self) {
  auto* job = static_cast<TransferJob*>(self);
  job->result_ = job->RunToFinish(job->observer_, &job->lock_);
}
