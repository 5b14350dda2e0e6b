#include "transfer/transfer_job.h"

#include <cerrno>
#include <cstring>

#include "platform/file_system.h"
#include "platform/medium_refusals.h"
#include "platform/rename_probe.h"
#include "platform/volume_space.h"
#include "store/working_folder_lock.h"
#include "transfer/run_state.h"
#include "transfer/song_draw.h"
#include "transfer/target_name.h"

namespace transfer_run {

Pass EndWith(TransferProgress& progress, TransferEnd reason, int error, uint32_t slot) {
  progress.endReason.store(reason);
  progress.endError.store(error);
  progress.endSlot.store(slot);
  return Pass::End;
}

// The playlist could not be written: replaced by another file, or a
// failure of the system.
Pass EndWithPlaylistFailure(TransferProgress& progress, const Playlist& playlist) {
  PlaylistFailure failure = playlist.failure.Last();
  bool replaced = failure.access == PlaylistAccess::Replaced;
  return EndWith(progress, replaced ? TransferEnd::PlaylistReplaced : TransferEnd::PlaylistFailed,
                 failure.error);
}

}  // namespace transfer_run

namespace {

using namespace transfer_run;

// Where kMp3's medium refuses renames, each song is written straight under
// its name, and the run stops while this much is still free, so that the
// final save and its backup always fit.
constexpr uint64_t kTableRoom = TABLE_BYTES + 64 * 1024;

// The bytes this user may still write on kMp3's volume; false when it
// can't be asked or reports no size at all.
bool MeasureAvailable(const RunState& run, uint64_t* available) {
  platform::VolumeSpace space;
  if (platform::MeasureVolume(run.targetFolder.fd(), &space) != 0 || space.totalBytes == 0) {
    return false;
  }
  *available = space.availableBytes;
  return true;
}

// Some drivers refuse a write with EPERM rather than ENOSPC once the
// medium is full (FAT through FUSE, which also reports no size at all): a
// refusal where the volume has no room, or can't say, is a full medium.
bool IsOutOfSpace(const RunState& run, int error, uint32_t songBytes) {
  if (error == ENOSPC || error == EDQUOT) return true;
  uint64_t available = 0;
  return platform::IsRefusal(error) &&
         (!MeasureAvailable(run, &available) || available < songBytes);
}

// False only when kMp3's volume says it has not `bytes` free.
bool HasRoomFor(const RunState& run, uint64_t bytes) {
  uint64_t available = 0;
  return !MeasureAvailable(run, &available) || available >= bytes;
}

// Copies the song of `slot`; on failure, the end of the run and its reason.
platform::CopyResult CopySong(RunState* run, const char* source, uint32_t slot) {
  TransferProgress& progress = run->progress;
  platform::CopyControl control{&progress.bytesInCurrentCopy, &run->stopRequested,
                                run->batch.Bytes()};
  int error = 0;
  auto way = run->direct ? platform::CopyWay::Direct : platform::CopyWay::Unnamed;
  platform::CopyResult result =
      run->copier.CopyFileNoReplace(source, run->targetFolder.fd(), run->target, control, &error,
                                    way, run->batch.Next()->temporary);
  progress.bytesInCurrentCopy.store(run->batch.Bytes(), std::memory_order_relaxed);
  switch (result) {
    case platform::CopyResult::Copied:
    case platform::CopyResult::SourceRefused:
      break;
    case platform::CopyResult::Cancelled:
      EndWith(progress, TransferEnd::Stopped);
      break;
    case platform::CopyResult::SourceFailed:
      EndWith(progress, TransferEnd::SourceFailed, error, slot);
      break;
    case platform::CopyResult::TargetExists:
      EndWith(progress, TransferEnd::TargetFailed, EEXIST);
      break;
    case platform::CopyResult::TargetFailed:
      EndWith(progress,
              IsOutOfSpace(*run, error, run->playlist.workingTable.entries[slot].fileSize)
                  ? TransferEnd::MediumFull
                  : TransferEnd::TargetFailed,
              error);
      break;
  }
  return result;
}

void MarkMissing(RunState* run, PlaylistEntry* entry) {
  entry->state = STATE_SOURCE_MISSING;
  run->progress.songsMissing.fetch_add(1);
  --run->candidates;
}

// A dry run's song: taken from the draw and the budget as a copy would be,
// in the working table only, and told to the observer.
Pass PlanCopy(RunState* run, uint32_t slot, PlaylistEntry* entry) {
  entry->state = STATE_TRANSFERRED;
  entry->transferNumber = static_cast<uint16_t>(run->nextNumber);
  run->budget.Take(entry->fileSize);
  run->copiedBytes += entry->fileSize;
  run->progress.bytesCopied.store(run->copiedBytes);
  run->progress.songsCopied.fetch_add(1);
  --run->candidates;
  if (run->observer != nullptr && run->observer->onPlanned != nullptr) {
    run->observer->onPlanned(run->observer->context, slot, run->nextNumber);
  }
  ++run->nextNumber;
  return Pass::Again;
}

Pass TransferOne(RunState* run) {
  TransferProgress& progress = run->progress;
  if (run->stopRequested.load(std::memory_order_relaxed)) return EndWith(progress, TransferEnd::Stopped);
  if (run->nextNumber > MAX_TRANSFER_NUMBER) return EndWith(progress, TransferEnd::NumbersUsed);
  uint32_t slot = 0;
  Draw drawn = DrawSong(run, &slot);
  if (drawn != Draw::Song) return drawn == Draw::PassedOver ? Pass::Again : Pass::End;
  PlaylistEntry* entry = &run->playlist.workingTable.entries[slot];
  TakeSourceExtension(run, *entry);
  bool nameFits = FormatTarget(run);
  char source[PATH_LEN + 1] = {};
  std::memcpy(source, entry->path, strnlen(entry->path, PATH_LEN));
  if (!platform::PathExists(source)) {
    MarkMissing(run, entry);
    return Pass::Again;
  }
  if (run->targetFolderError != 0) {
    return EndWith(progress, TransferEnd::TargetFailed, run->targetFolderError);
  }
  if (!nameFits) return EndWith(progress, TransferEnd::TargetFailed, ENAMETOOLONG);
  if (!SkipTakenNumbers(run)) return EndWith(progress, TransferEnd::NumbersUsed);
  if (run->dryRun) return PlanCopy(run, slot, entry);
  if (run->direct && !HasRoomFor(*run, uint64_t{entry->fileSize} + kTableRoom)) {
    return EndWith(progress, TransferEnd::MediumFull, ENOSPC);
  }
  uint16_t previousNumber = entry->transferNumber;
  platform::CopyResult copied = CopySong(run, source, slot);
  if (copied == platform::CopyResult::SourceRefused) {
    MarkMissing(run, entry);
    if (run->observer != nullptr && run->observer->onRefused != nullptr) {
      run->observer->onRefused(run->observer->context, slot);
    }
    return Pass::Again;
  }
  if (copied != platform::CopyResult::Copied) return Pass::End;
  return KeepCopy(run, slot, previousNumber);
}

// The run's budget, then song after song until one ends it.
void TransferAll(RunState& run) {
  if (!SetBudget(run)) return;
  while (TransferOne(&run) == Pass::Again) {
  }
}

int32_t RunLocked(RunState& run, int workingFolder) {
  Playlist& playlist = run.playlist;
  if (!StartDraw(run, workingFolder)) return -1;
  // Left-over copies in kMp3 are already gone: LockWorkingFolder, which
  // every run's lock comes from, tidied the folder under that lock.
  if (run.targetFolderError == 0) run.direct = platform::RefusesRename(run.targetFolder.fd());
  TransferAll(run);
  if (run.batch.Size() > 0) CommitBatch(&run);
  // The copies' names are only durable once the folder is flushed too.
  if (run.copies > 0) platform::SyncFolder(".", run.targetFolder.fd());
  return SaveTable(PLAYLIST_FILE_NAME, &playlist.workingTable, TABLE_BYTES, &run.place,
                   &playlist.failure);
}

}  // namespace

void TransferJob::Prepare(int32_t capacityMb) {
  transferProgress.capacityMb.store(capacityMb);
  transferProgress.budgetBytes.store(0);
  transferProgress.bytesCopied.store(0);
  transferProgress.bytesInCurrentCopy.store(0);
  transferStopRequested.store(false);
  transferProgress.status.store(TransferStatus::Running, std::memory_order_release);
}

int32_t TransferJob::Run(const TransferObserver* observer, const platform::FolderLock* heldLock) {
  playlist_.failure.Clear();
  EndWith(transferProgress, TransferEnd::Complete);
  platform::FolderLock lock;
  if (heldLock == nullptr || !heldLock->Held()) {
    heldLock = LockWorkingFolder(&lock, playlist_.failure) ? &lock : nullptr;
  }
  int32_t result = -1;
  if (heldLock != nullptr) {
    RunState run{playlist_, transferProgress, transferStopRequested,
                 platform::FileCopier(options_.copyPaths), RandomGenerator(options_.seedNow)};
    run.observer = observer;
    result = RunLocked(run, heldLock->Folder());
  }
  // A save that fails after another failure is said besides it.
  TransferEnd reason = transferProgress.endReason.load();
  if (result != 0 && (reason == TransferEnd::Complete || reason == TransferEnd::Stopped)) {
    EndWithPlaylistFailure(transferProgress, playlist_);
  }
  return result;
}

int32_t TransferJob::RunToFinish(const TransferObserver* observer,
                                 platform::FolderLock* heldLock) {
  transferProgress.songsCopied.store(0);
  transferProgress.songsMissing.store(0);
  int32_t result = Run(observer, heldLock);
  if (heldLock != nullptr) heldLock->Release();
  transferProgress.status.store(TransferStatus::Finished, std::memory_order_release);
  return result;
}

int32_t TransferJob::DryRun(int32_t capacityMb, const TransferObserver* observer) {
  Prepare(capacityMb);
  transferProgress.songsCopied.store(0);
  transferProgress.songsMissing.store(0);
  playlist_.failure.Clear();
  EndWith(transferProgress, TransferEnd::Complete);
  RunState run{playlist_, transferProgress, transferStopRequested,
               platform::FileCopier(options_.copyPaths), RandomGenerator(options_.seedNow)};
  run.observer = observer;
  run.dryRun = true;
  int32_t result = -1;
  if (StartDraw(run, platform::CURRENT_FOLDER)) {
    result = 0;
    TransferAll(run);
  }
  transferProgress.status.store(TransferStatus::Finished, std::memory_order_release);
  return result;
}
