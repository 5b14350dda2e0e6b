#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_system.h"
#include "platform/medium_refusals.h"
#include "transfer/run_state.h"

namespace transfer_run {
namespace {

// Where a record can't be written in place, the whole table is saved at
// most this often, and at the end: a kill loses at most these last records.
constexpr auto kTableSaveInterval = std::chrono::seconds(3);

// The whole table, where records can't be written in place. A save by
// rename or afresh behind a backup gives the file a new identity, which the
// next save expects.
bool SaveWholeTable(RunState* run) {
  run->lastTableSave = Clock::now();
  Playlist& playlist = run->playlist;
  if (SaveTable(PLAYLIST_FILE_NAME, &playlist.workingTable, TABLE_BYTES, &run->place,
                &playlist.failure) != 0) {
    return false;
  }
  run->place.loaded = platform::IdentityOf(PLAYLIST_FILE_NAME, run->place.folder);
  return true;
}

// The record of `slot` in place, else (on a medium that refuses that) the
// whole table every few seconds from then on.
bool PutOnRecord(RunState* run, uint32_t slot) {
  Playlist& playlist = run->playlist;
  if (!run->recordsByTable) {
    if (SaveRecord(PLAYLIST_FILE_NAME, &playlist.workingTable, slot, &run->place,
                   &playlist.failure) == 0) {
      return true;
    }
    PlaylistFailure failure = playlist.failure.Last();
    if (failure.access != PlaylistAccess::Write || !platform::IsRefusal(failure.error)) {
      return false;
    }
    playlist.failure.Clear();
    run->recordsByTable = true;
    return SaveWholeTable(run);
  }
  return Clock::now() - run->lastTableSave < kTableSaveInterval || SaveWholeTable(run);
}

// The copied song is spoken for: its number, and its size in the budget;
// no later draw takes it.
void Reserve(RunState* run, PlaylistEntry* entry) {
  entry->transferNumber = static_cast<uint16_t>(run->nextNumber);
  entry->state = STATE_TRANSFERRED;
  run->budget.Take(entry->fileSize);
  ++run->nextNumber;
  --run->candidates;
}

// A song that could not be named is unsent again, its number as it was.
void Release(RunState* run, const PendingCopy& pending) {
  PlaylistEntry* entry = &run->playlist.workingTable.entries[pending.slot];
  entry->state = STATE_UNTRANSFERRED;
  entry->transferNumber = pending.previousNumber;
  run->budget.Return(entry->fileSize);
  ++run->candidates;
}

// The song has its final name: its record is written at once, so a kill
// from here on cannot make it be sent again.
// Then the progress, in the order the window relies on. False when the
// record could not be written: the run ends there.
bool RecordCopy(RunState* run, uint32_t slot) {
  const PlaylistEntry& entry = run->playlist.workingTable.entries[slot];
  bool recorded = PutOnRecord(run, slot);
  char row[RESULT_ROW_BYTES];
  std::snprintf(row, sizeof row, RESULT_ROW_FORMAT, static_cast<int>(slot + 1),
                static_cast<int>(run->count), static_cast<int>(entry.fileSize));
  run->copiedBytes += entry.fileSize;
  run->progress.bytesCopied.store(run->copiedBytes);
  run->progress.songsCopied.fetch_add(1);
  ++run->copies;
  if (run->observer != nullptr) run->observer->onCopied(run->observer->context, row);
  return recorded;
}

// Why a batch's song could not be named, unless the run already ends for
// a reason of its own.
void EndWithNamingFailure(TransferProgress& progress, platform::CopyResult result, int error) {
  TransferEnd reason = progress.endReason.load();
  if (reason != TransferEnd::Complete && reason != TransferEnd::Stopped) return;
  EndWith(progress, TransferEnd::TargetFailed,
          result == platform::CopyResult::TargetExists ? EEXIST : error);
}

}  // namespace

Pass KeepCopy(RunState* run, uint32_t slot, uint16_t previousNumber) {
  PlaylistEntry* entry = &run->playlist.workingTable.entries[slot];
  Reserve(run, entry);
  if (run->direct) {
    if (RecordCopy(run, slot)) return Pass::Again;
    return EndWithPlaylistFailure(run->progress, run->playlist);
  }
  PendingCopy* pending = run->batch.Next();
  pending->slot = slot;
  pending->previousNumber = previousNumber;
  std::memcpy(pending->target, run->target, sizeof pending->target);
  run->batch.Add(entry->fileSize);
  // The waiting count now holds this song too: each naming takes it back.
  run->progress.bytesInCurrentCopy.store(run->batch.Bytes(), std::memory_order_relaxed);
  return !run->batch.Due() || CommitBatch(run) ? Pass::Again : Pass::End;
}

// One flush of the medium for the whole batch, then each song named and
// recorded in turn, so that a kill leaves at most one named song
// unrecorded. After a failure or a stop request the rest are removed and
// unsent again: a stop is heard at once, as between two copies.
bool CommitBatch(RunState* run) {
  TransferProgress& progress = run->progress;
  int fd = run->targetFolder.fd();
  bool ok = platform::FlushVolume(fd, run->batch[0].temporary);
  if (!ok) EndWithNamingFailure(progress, platform::CopyResult::TargetFailed, errno);
  for (size_t index = 0; index < run->batch.Size(); ++index) {
    const PendingCopy& pending = run->batch[index];
    if (ok && run->stopRequested.load(std::memory_order_relaxed)) {
      ok = false;
      if (progress.endReason.load() == TransferEnd::Complete)
        EndWith(progress, TransferEnd::Stopped);
    }
    auto named = ok ? run->copier.MoveNoReplace(fd, pending.temporary, pending.target)
                    : platform::CopyResult::TargetFailed;
    uint32_t size = run->playlist.workingTable.entries[pending.slot].fileSize;
    progress.bytesInCurrentCopy.fetch_sub(size, std::memory_order_relaxed);
    if (named == platform::CopyResult::Copied) {
      if (!RecordCopy(run, pending.slot)) {
        EndWithPlaylistFailure(progress, run->playlist);
        ok = false;
      }
      continue;
    }
    if (ok) EndWithNamingFailure(progress, named, errno);
    ok = false;  // and the rest go too
    platform::RemoveFileIn(pending.temporary, fd);
    Release(run, pending);
  }
  run->batch.Clear();
  return ok;
}

}  // namespace transfer_run
