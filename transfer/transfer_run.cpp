#include "transfer/transfer_run.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "platform/random_generator.h"
#include "platform/rename_probe.h"
#include "platform/volume_space.h"
#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/table_images.h"
#include "store/working_folder_lock.h"
#include "transfer/copy_batch.h"
#include "transfer/transfer_progress.h"

std::atomic<bool> g_transferStopRequested{false};

namespace {

using Clock = std::chrono::steady_clock;

// Where kMp3's medium refuses renames, each song is written straight under
// its name, and the run stops while this much is still free, so that the
// final save and its backup always fit.
constexpr uint64_t kTableRoom = TABLE_BYTES + 64 * 1024;
// Where a record can't be written in place, the whole table is saved at
// most this often, and at the end: a kill loses at most these last records.
constexpr auto kTableSaveInterval = std::chrono::seconds(3);

struct Run {
  uint32_t budget = 0;
  uint32_t used = 0;
  uint32_t count = 0;
  uint32_t candidates = 0;
  // Wider than the stored 16 bits, so a foreign table's 65535 can't wrap to 0.
  uint32_t nextNumber = 1;
  uint32_t copies = 0;
  uint32_t sent = 0;  // the recorded sizes of the songs named in kMp3
  RandomGenerator random;
  const TransferObserver* observer = nullptr;
  char target[TARGET_NAME_BYTES] = {};
  PlaylistPlace playlist;
  platform::FolderHandle targetFolder;
  int targetFolderError = 0;  // why kMp3 could not be opened: said at the first copy
  bool direct = false;          // kMp3 refuses renames: songs written under their names
  bool recordsByTable = false;  // kPlayLst.dat refuses writes in place: saved whole
  Clock::time_point lastTableSave;
  CopyBatch batch;  // where renames work: copies waiting for one flush
};

enum class Pass { Again, End };

Pass EndWith(TransferEnd reason, int error = 0, uint32_t slot = 0) {
  g_transferProgress.endReason.store(reason);
  g_transferProgress.endError.store(error);
  g_transferProgress.endSlot.store(slot);
  return Pass::End;
}

// The playlist could not be written: replaced by another file, or a
// failure of the system.
Pass EndWithPlaylistFailure() {
  PlaylistFailure failure = LastPlaylistFailure();
  bool replaced = failure.access == PlaylistAccess::Replaced;
  return EndWith(replaced ? END_PLAYLIST_REPLACED : END_PLAYLIST_FAILED, failure.error);
}

bool IsCandidate(const PlaylistEntry& entry) {
  return !IsEmptySlot(entry) && entry.state == STATE_UNTRANSFERRED;
}

// Candidates are counted only among slots 0..count-1, exactly the slots the
// draw walks, so a table with a gap or a stray state can never make the
// walk miss the drawn index.
void CountTable(Run* run) {
  uint32_t highest = 0;
  for (const PlaylistEntry& entry : g_workingTable.entries) {
    if (!IsEmptySlot(entry)) ++run->count;
    if (entry.transferNumber > highest) highest = entry.transferNumber;
  }
  for (uint32_t slot = 0; slot < run->count; ++slot) {
    if (IsCandidate(g_workingTable.entries[slot])) ++run->candidates;
  }
  run->nextNumber = highest + 1;
}

// The slot of the candidate with index `drawn`, or -1.
int32_t FindCandidate(uint32_t count, uint32_t drawn) {
  uint32_t seen = 0;
  for (uint32_t slot = 0; slot < count; ++slot) {
    if (!IsCandidate(g_workingTable.entries[slot])) continue;
    if (seen++ == drawn) return static_cast<int32_t>(slot);
  }
  return -1;
}

// Everything after the path's last '.', case kept; empty when there is no
// '.' or only a leading one. The field may lack its terminator.
void TakeSourceExtension(const PlaylistEntry& entry) {
  std::memset(g_foundExtension, 0, sizeof g_foundExtension);
  size_t length = strnlen(entry.path, PATH_LEN);
  const char* dot = static_cast<const char*>(memrchr(entry.path, '.', length));
  if (dot == nullptr || dot == entry.path) return;
  std::memcpy(g_foundExtension, dot + 1, length - static_cast<size_t>(dot + 1 - entry.path));
}

// TARGET_NAME_FORMAT with the next number and g_foundExtension. The format
// is filled with an empty extension and the extension appended after its
// length is checked. False when the name would not fit its buffer.
bool FormatTarget(Run* run) {
  int prefix = std::snprintf(run->target, sizeof run->target, TARGET_NAME_FORMAT,
                             static_cast<int>(run->nextNumber), "");
  size_t extension = strnlen(g_foundExtension, sizeof g_foundExtension);
  if (prefix < 0 || static_cast<size_t>(prefix) + extension >= sizeof run->target) return false;
  std::memcpy(run->target + prefix, g_foundExtension, extension + 1);
  return true;
}

// Numbers whose name is taken in kMp3, by whatever, are passed over.
bool SkipTakenNumbers(Run* run) {
  while (platform::IsNameTaken(run->targetFolder.fd(), run->target)) {
    if (++run->nextNumber > MAX_TRANSFER_NUMBER) return false;
    FormatTarget(run);
  }
  return true;
}

// False only when kMp3's volume says it has not `bytes` free.
bool HasRoomFor(const Run& run, uint64_t bytes) {
  uint64_t available = 0;
  return !platform::AvailableBytesOfFolder(run.targetFolder.fd(), &available) ||
         available >= bytes;
}

// Some drivers refuse a write with EPERM rather than ENOSPC once the
// medium is full (FAT through FUSE, which also reports no size at all): a
// refusal where the volume has no room, or can't say, is a full medium.
bool IsOutOfSpace(const Run& run, int error, uint32_t songBytes) {
  if (error == ENOSPC || error == EDQUOT) return true;
  uint64_t available = 0;
  return platform::IsRefusal(error) &&
         (!platform::AvailableBytesOfFolder(run.targetFolder.fd(), &available) ||
          available < songBytes);
}

// Copies the song of `slot`; on failure, the end of the run and its reason.
platform::CopyResult CopySong(Run* run, const char* source, uint32_t slot) {
  platform::CopyControl control{&g_transferProgress.bytesInCurrentCopy, &g_transferStopRequested,
                                run->batch.Bytes()};
  int error = 0;
  auto way = run->direct ? platform::CopyWay::Direct : platform::CopyWay::Unnamed;
  PendingCopy* pending = run->batch.Next();
  platform::CopyResult result = platform::CopyFileNoReplace(
      source, run->targetFolder.fd(), run->target, control, &error, way, pending->temporary);
  g_transferProgress.bytesInCurrentCopy.store(run->batch.Bytes(), std::memory_order_relaxed);
  switch (result) {
    case platform::CopyResult::Copied:
    case platform::CopyResult::SourceRefused:
      break;
    case platform::CopyResult::Cancelled:
      EndWith(END_STOPPED);
      break;
    case platform::CopyResult::SourceFailed:
      EndWith(END_SOURCE_FAILED, error, slot);
      break;
    case platform::CopyResult::TargetExists:
      EndWith(END_TARGET_FAILED, EEXIST);
      break;
    case platform::CopyResult::TargetFailed:
      EndWith(IsOutOfSpace(*run, error, g_workingTable.entries[slot].fileSize) ? END_MEDIUM_FULL
                                                                             : END_TARGET_FAILED,
              error);
      break;
  }
  return result;
}

void MarkMissing(Run* run, PlaylistEntry* entry) {
  entry->state = STATE_SOURCE_MISSING;
  g_transferProgress.songsMissing.fetch_add(1);
  --run->candidates;
}

// The whole table, where records can't be written in place. A save by
// rename or afresh behind a backup gives the file a new identity, which the next save expects.
bool SaveWholeTable(Run* run) {
  run->lastTableSave = Clock::now();
  if (SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES, &run->playlist) != 0) {
    return false;
  }
  run->playlist.loaded = platform::IdentityOf(PLAYLIST_FILE_NAME, run->playlist.folder);
  return true;
}

// The record of `slot` in place, else (on a medium that refuses that) the
// whole table every few seconds from then on.
bool PutOnRecord(Run* run, uint32_t slot) {
  if (!run->recordsByTable) {
    if (SaveRecord(PLAYLIST_FILE_NAME, &g_workingTable, slot, &run->playlist) == 0) return true;
    PlaylistFailure failure = LastPlaylistFailure();
    if (failure.access != PlaylistAccess::Write || !platform::IsRefusal(failure.error)) {
      return false;
    }
    ClearPlaylistFailure();
    run->recordsByTable = true;
    return SaveWholeTable(run);
  }
  return Clock::now() - run->lastTableSave < kTableSaveInterval || SaveWholeTable(run);
}

// The copied song is spoken for: its number, and its size in the budget;
// no later draw takes it.
void Reserve(Run* run, PlaylistEntry* entry) {
  entry->transferNumber = static_cast<uint16_t>(run->nextNumber);
  entry->state = STATE_TRANSFERRED;
  run->used += entry->fileSize;
  ++run->nextNumber;
  --run->candidates;
}

// A song that could not be named is unsent again, its number as it was.
void Release(Run* run, const PendingCopy& pending) {
  PlaylistEntry* entry = &g_workingTable.entries[pending.slot];
  entry->state = STATE_UNTRANSFERRED;
  entry->transferNumber = pending.previousNumber;
  run->used -= entry->fileSize;
  ++run->candidates;
}

// The song has its final name: its record is written at once, so a kill
// from here on cannot make it be sent again.
// Then the progress, in the order the window relies on. False when the
// record could not be written: the run ends there.
bool RecordCopy(Run* run, uint32_t slot) {
  const PlaylistEntry& entry = g_workingTable.entries[slot];
  bool recorded = PutOnRecord(run, slot);
  char row[RESULT_ROW_BYTES];
  std::snprintf(row, sizeof row, RESULT_ROW_FORMAT, static_cast<int>(slot + 1),
                static_cast<int>(run->count), static_cast<int>(entry.fileSize));
  g_transferProgress.lastRow.Publish(row);
  run->sent += entry.fileSize;
  g_transferProgress.bytesCopied.store(run->sent);
  g_transferProgress.songsCopied.fetch_add(1);
  ++run->copies;
  if (run->observer != nullptr) run->observer->onCopied(run->observer->context, row);
  return recorded;
}

// Why a batch's song could not be named, unless the run already ends for
// a reason of its own.
void EndWithNamingFailure(platform::CopyResult result, int error) {
  int32_t reason = g_transferProgress.endReason.load();
  if (reason != END_COMPLETE && reason != END_STOPPED) return;
  EndWith(END_TARGET_FAILED, result == platform::CopyResult::TargetExists ? EEXIST : error);
}

// One flush of the medium for the whole batch, then each song named and
// recorded in turn, so that a kill leaves at most one named song
// unrecorded. After a failure or a stop request the rest are removed and
// unsent again: a stop is heard at once, as between two copies.
bool CommitBatch(Run* run) {
  int fd = run->targetFolder.fd();
  bool ok = platform::FlushVolume(fd);
  if (!ok) EndWithNamingFailure(platform::CopyResult::TargetFailed, errno);
  for (size_t index = 0; index < run->batch.Size(); ++index) {
    const PendingCopy& pending = run->batch[index];
    if (ok && g_transferStopRequested.load(std::memory_order_relaxed)) {
      ok = false;
      if (g_transferProgress.endReason.load() == END_COMPLETE) EndWith(END_STOPPED);
    }
    auto named = ok ? platform::MoveNoReplace(fd, pending.temporary, pending.target)
                    : platform::CopyResult::TargetFailed;
    uint32_t size = g_workingTable.entries[pending.slot].fileSize;
    g_transferProgress.bytesInCurrentCopy.fetch_sub(size, std::memory_order_relaxed);
    if (named == platform::CopyResult::Copied) {
      if (!RecordCopy(run, pending.slot)) {
        EndWithPlaylistFailure();
        ok = false;
      }
      continue;
    }
    if (ok) EndWithNamingFailure(named, errno);
    ok = false;  // and the rest go too
    platform::RemoveFileIn(pending.temporary, fd);
    Release(run, pending);
  }
  run->batch.Clear();
  return ok;
}

Pass TransferOne(Run* run) {
  if (g_transferStopRequested.load(std::memory_order_relaxed)) return EndWith(END_STOPPED);
  if (run->nextNumber > MAX_TRANSFER_NUMBER) return EndWith(END_NUMBERS_USED);
  if (run->candidates == 0) return Pass::End;
  uint32_t drawn = run->random.Next() % run->candidates;
  int32_t slot = FindCandidate(run->count, drawn);
  if (slot < 0) return Pass::End;  // unreachable: the counts agree with the walk
  PlaylistEntry* entry = &g_workingTable.entries[slot];
  if (uint64_t{run->used} + entry->fileSize > run->budget) return Pass::End;
  TakeSourceExtension(*entry);
  bool nameFits = FormatTarget(run);
  char source[PATH_LEN + 1] = {};
  std::memcpy(source, entry->path, strnlen(entry->path, PATH_LEN));
  if (!platform::PathExists(source)) {
    MarkMissing(run, entry);
    return Pass::Again;
  }
  if (run->targetFolderError != 0) return EndWith(END_TARGET_FAILED, run->targetFolderError);
  if (!nameFits) return EndWith(END_TARGET_FAILED, ENAMETOOLONG);
  if (!SkipTakenNumbers(run)) return EndWith(END_NUMBERS_USED);
  if (run->direct && !HasRoomFor(*run, uint64_t{entry->fileSize} + kTableRoom)) {
    return EndWith(END_MEDIUM_FULL, ENOSPC);
  }
  uint16_t previousNumber = entry->transferNumber;
  platform::CopyResult copied = CopySong(run, source, static_cast<uint32_t>(slot));
  if (copied == platform::CopyResult::SourceRefused) {
    MarkMissing(run, entry);
    if (run->observer != nullptr && run->observer->onRefused != nullptr) {
      run->observer->onRefused(run->observer->context, static_cast<uint32_t>(slot));
    }
    return Pass::Again;
  }
  if (copied != platform::CopyResult::Copied) return Pass::End;
  Reserve(run, entry);
  if (run->direct) {
    return RecordCopy(run, static_cast<uint32_t>(slot)) ? Pass::Again : EndWithPlaylistFailure();
  }
  PendingCopy* pending = run->batch.Next();
  pending->slot = static_cast<uint32_t>(slot);
  pending->previousNumber = previousNumber;
  std::memcpy(pending->target, run->target, sizeof pending->target);
  run->batch.Add(entry->fileSize);
  return !run->batch.Due() || CommitBatch(run) ? Pass::Again : Pass::End;
}

int32_t RunLocked(const TransferObserver* observer, int workingFolder) {
  Run run;
  run.observer = observer;
  run.budget = static_cast<uint32_t>(g_transferProgress.capacityMb.load()) * BYTES_PER_MEGABYTE;
  run.playlist.folder = workingFolder;
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &g_workingTable, &run.playlist) == -1) return -1;
  CountTable(&run);
  g_entryCount = run.count;
  // kMp3 as a link would send the copies anywhere, so a link is refused.
  run.targetFolderError = run.targetFolder.Open(TARGET_FOLDER_NAME, workingFolder);
  if (run.targetFolderError == 0) {
    platform::RemoveLeftoverCopies(".", run.targetFolder.fd());
    run.direct = platform::RefusesRename(run.targetFolder.fd());
  }
  run.random.SeedFromClock();
  while (TransferOne(&run) == Pass::Again) {
  }
  if (run.batch.Size() > 0) CommitBatch(&run);
  // The copies' names are only durable once the folder is flushed too.
  if (run.copies > 0) platform::SyncFolder(".", run.targetFolder.fd());
  return SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES, &run.playlist);
}

}  // namespace

void PrepareTransfer(int32_t capacityMb) {
  g_transferProgress.capacityMb.store(capacityMb);
  g_transferProgress.bytesCopied.store(0);
  g_transferProgress.bytesInCurrentCopy.store(0);
  g_transferStopRequested.store(false);
  g_transferProgress.status.store(TRANSFER_RUNNING, std::memory_order_release);
}

int32_t RunTransfer(const TransferObserver* observer, const platform::FolderLock* heldLock) {
  ClearPlaylistFailure();
  EndWith(END_COMPLETE);
  platform::FolderLock lock;
  if (heldLock == nullptr || !heldLock->Held())
    heldLock = LockWorkingFolder(&lock) ? &lock : nullptr;
  int32_t result = heldLock != nullptr ? RunLocked(observer, heldLock->Folder()) : -1;
  // A save that fails after another failure is said besides it.
  int32_t reason = g_transferProgress.endReason.load();
  if (result != 0 && (reason == END_COMPLETE || reason == END_STOPPED)) EndWithPlaylistFailure();
  return result;
}

int32_t TransferThreadProc(const TransferObserver* observer, platform::FolderLock* heldLock) {
  g_transferProgress.songsCopied.store(0);
  g_transferProgress.songsMissing.store(0);
  int32_t result = RunTransfer(observer, heldLock);
  if (heldLock != nullptr) heldLock->Release();
  g_transferProgress.status.store(TRANSFER_FINISHED, std::memory_order_release);
  return result;
}
