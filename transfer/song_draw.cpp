#include "transfer/song_draw.h"

#include <cstring>

#include "platform/volume_space.h"
#include "store/folder_names.h"

namespace transfer_run {
namespace {

bool IsCandidate(const PlaylistEntry& entry) {
  return !IsEmptySlot(entry) && entry.state == STATE_UNTRANSFERRED;
}

// Candidates are counted only among slots 0..count-1, exactly the slots the
// draw walks, so a table with a gap or a stray state can never make the
// walk miss the drawn index.
void CountTable(RunState* run) {
  const PlaylistTable& table = run->playlist.workingTable;
  uint32_t highest = 0;
  for (const PlaylistEntry& entry : table.entries) {
    if (!IsEmptySlot(entry)) ++run->count;
    if (entry.transferNumber > highest) highest = entry.transferNumber;
  }
  for (uint32_t slot = 0; slot < run->count; ++slot) {
    if (IsCandidate(table.entries[slot])) ++run->candidates;
  }
  run->nextNumber = highest + 1;
}

// The slot of the candidate with index `drawn`, or -1.
int32_t FindCandidate(const RunState& run, uint32_t drawn) {
  const PlaylistTable& table = run.playlist.workingTable;
  uint32_t seen = 0;
  for (uint32_t slot = 0; slot < run.count; ++slot) {
    if (!IsCandidate(table.entries[slot]) || run.passedOver[slot]) continue;
    if (seen++ == drawn) return static_cast<int32_t>(slot);
  }
  return -1;
}

// A song that does not fit ends a capacity's run; a free-space run passes
// it over and draws again.
Draw PassOver(RunState* run, uint32_t slot) {
  if (!run->budget.FillsFreeSpace()) return Draw::End;
  run->passedOver[slot] = true;
  ++run->passedOverCount;
  --run->candidates;
  return Draw::PassedOver;
}

// No song left to draw. A free-space run that passed none over has sent
// every unsent song while the card still has room: it says so.
Draw EndOfCandidates(RunState* run) {
  if (run->budget.FillsFreeSpace() && run->passedOverCount == 0) {
    EndWith(run->progress, TransferEnd::AllSent);
  }
  return Draw::End;
}

}  // namespace

bool StartDraw(RunState& run, int workingFolder) {
  Playlist& playlist = run.playlist;
  run.place.folder = workingFolder;
  std::memset(&playlist.workingTable, 0, sizeof playlist.workingTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &playlist.workingTable, &run.place, &playlist.failure) == -1) {
    return false;
  }
  CountTable(&run);
  playlist.entryCount = run.count;
  // kMp3 as a link would send the copies anywhere, so a link is refused.
  run.targetFolderError = run.targetFolder.Open(TARGET_FOLDER_NAME, workingFolder);
  run.random.SeedFromClock();
  return true;
}

bool SetBudget(RunState& run) {
  int32_t capacityMb = run.progress.capacityMb.load();
  if (capacityMb != FREE_SPACE_CAPACITY) {
    run.budget.SetCapacity(capacityMb);
    run.progress.budgetBytes.store(run.budget.Bytes());
    return true;
  }
  int error = run.targetFolderError;
  platform::VolumeSpace space;
  if (error == 0) error = platform::MeasureVolume(run.targetFolder.fd(), &space);
  if (error != 0) {
    EndWith(run.progress, TransferEnd::TargetFailed, error);
    return false;
  }
  if (!run.budget.SetFreeSpace(space)) {
    EndWith(run.progress, TransferEnd::FreeSpaceUnknown);
    return false;
  }
  run.progress.budgetBytes.store(run.budget.Bytes());
  return true;
}

Draw DrawSong(RunState* run, uint32_t* slot) {
  if (run->candidates == 0) return EndOfCandidates(run);
  uint32_t drawn = run->random.Next() % run->candidates;
  int32_t found = FindCandidate(*run, drawn);
  if (found < 0) return Draw::End;  // unreachable: the counts agree with the walk
  *slot = static_cast<uint32_t>(found);
  if (run->budget.Fits(run->playlist.workingTable.entries[*slot].fileSize)) return Draw::Song;
  return PassOver(run, *slot);
}

}  // namespace transfer_run
