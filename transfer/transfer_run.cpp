#include "transfer/transfer_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "platform/random_generator.h"
#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/table_images.h"
#include "store/working_folder_lock.h"
#include "transfer/transfer_progress.h"

std::atomic<bool> g_transferStopRequested{false};

namespace {

struct Run {
  uint32_t budget = 0;
  uint32_t used = 0;
  uint32_t count = 0;
  uint32_t candidates = 0;
  // Wider than the stored 16 bits, so a foreign table's 65535 can't wrap to 0.
  uint32_t nextNumber = 1;
  uint32_t copies = 0;
  RandomGenerator random;
  const TransferObserver* observer = nullptr;
  char target[TARGET_NAME_BYTES] = {};
  PlaylistPlace playlist;
  platform::FolderHandle targetFolder;
  int targetFolderError = 0;  // why kMp3 could not be opened: said at the first copy
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

bool IsOutOfSpace(int error) { return error == ENOSPC || error == EDQUOT; }

// Copies the song of `slot`; on failure, the end of the run and its reason.
platform::CopyResult CopySong(Run* run, const char* source, uint32_t slot) {
  platform::CopyControl control{&g_transferProgress.bytesInCurrentCopy, &g_transferStopRequested};
  int error = 0;
  platform::CopyResult result =
      platform::CopyFileNoReplace(source, run->targetFolder.fd(), run->target, control, &error);
  g_transferProgress.bytesInCurrentCopy.store(0, std::memory_order_relaxed);
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
      EndWith(IsOutOfSpace(error) ? END_MEDIUM_FULL : END_TARGET_FAILED, error);
      break;
  }
  return result;
}

void MarkMissing(Run* run, PlaylistEntry* entry) {
  entry->state = STATE_SOURCE_MISSING;
  g_transferProgress.songsMissing.fetch_add(1);
  --run->candidates;
}

// The song has its final name: its record is written in place at once, so
// a kill from here on cannot make it be sent again.
// Then the progress, in the order the window relies on. False when the
// record could not be written: the run ends there.
bool RecordCopy(Run* run, uint32_t slot, PlaylistEntry* entry) {
  entry->transferNumber = static_cast<uint16_t>(run->nextNumber);
  entry->state = STATE_TRANSFERRED;
  bool recorded = SaveRecord(PLAYLIST_FILE_NAME, &g_workingTable, slot, &run->playlist) == 0;
  char row[RESULT_ROW_BYTES];
  std::snprintf(row, sizeof row, RESULT_ROW_FORMAT, static_cast<int>(slot + 1),
                static_cast<int>(run->count), static_cast<int>(entry->fileSize));
  g_transferProgress.lastRow.Publish(row);
  run->used += entry->fileSize;
  g_transferProgress.bytesCopied.store(run->used);
  ++run->nextNumber;
  --run->candidates;
  g_transferProgress.songsCopied.fetch_add(1);
  ++run->copies;
  if (run->observer != nullptr) run->observer->onCopied(run->observer->context, row);
  return recorded;
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
  platform::CopyResult copied = CopySong(run, source, static_cast<uint32_t>(slot));
  if (copied == platform::CopyResult::SourceRefused) {
    MarkMissing(run, entry);
    if (run->observer != nullptr && run->observer->onRefused != nullptr) {
      run->observer->onRefused(run->observer->context, static_cast<uint32_t>(slot));
    }
    return Pass::Again;
  }
  if (copied != platform::CopyResult::Copied) return Pass::End;
  if (!RecordCopy(run, static_cast<uint32_t>(slot), entry)) return EndWithPlaylistFailure();
  return Pass::Again;
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
  if (run.targetFolderError == 0) platform::RemoveLeftoverCopies(".", run.targetFolder.fd());
  run.random.SeedFromClock();
  while (TransferOne(&run) == Pass::Again) {
  }
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
