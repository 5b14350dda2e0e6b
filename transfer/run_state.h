// One transfer run's state and the steps that keep its copies, shared by
// the run (transfer_run.cpp), its draw (song_draw.cpp), its copies' names
// (target_name.cpp) and the keeping (copy_keeping.cpp); not used elsewhere.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/file_copy.h"
#include "platform/folder_handle.h"
#include "platform/random_generator.h"
#include "store/playlist.h"
#include "store/playlist_file.h"
#include "transfer/copy_batch.h"
#include "transfer/transfer_budget.h"
#include "transfer/transfer_job.h"
#include "transfer/transfer_texts.h"

namespace transfer_run {

using Clock = std::chrono::steady_clock;

// Everything a run touches beyond its own fields comes through the
// references.
struct RunState {
  Playlist& playlist;
  TransferProgress& progress;
  const std::atomic<bool>& stopRequested;
  platform::FileCopier copier;
  RandomGenerator random;
  const TransferObserver* observer = nullptr;
  TransferBudget budget{};   // takes every song copied, named or not
  uint64_t copiedBytes = 0;  // recorded sizes of the songs named, as the window's title counts them
  uint32_t count = 0;
  uint32_t candidates = 0;
  // Wider than the stored 16 bits, so a foreign table's 65535 can't wrap to 0.
  uint32_t nextNumber = 1;
  uint32_t copies = 0;
  char target[TARGET_NAME_BYTES] = {};
  // The source's extension, case kept.
  char extension[PATH_LEN] = {};
  PlaylistPlace place{};  // the working folder and the playlist file loaded
  platform::FolderHandle targetFolder{};
  int targetFolderError = 0;  // why kMp3 could not be opened: said at the first copy
  bool dryRun = false;        // the draw only: nothing copied or written
  // Songs too big for what is left of a free-space budget: used only
  // grows, so they never fit again in this run.
  bool passedOver[MAX_ENTRIES] = {};
  uint32_t passedOverCount = 0;
  bool direct = false;          // kMp3 refuses renames: songs written under their names
  bool recordsByTable = false;  // kPlayLst.dat refuses writes in place: saved whole
  Clock::time_point lastTableSave{};
  CopyBatch batch{};  // where renames work: copies waiting for one flush
};

enum class Pass { Again, End };

Pass EndWith(TransferProgress& progress, TransferEnd reason, int error = 0, uint32_t slot = 0);

// The playlist could not be written: replaced by another file, or a
// failure of the system.
Pass EndWithPlaylistFailure(TransferProgress& progress, const Playlist& playlist);

// The song of `slot`, now whole in kMp3 under run.target (direct) or under
// the temporary name in the batch's next slot, is the run's: on record at
// once, or with its batch. End when the run must end there.
Pass KeepCopy(RunState* run, uint32_t slot, uint16_t previousNumber);

// Flushes the batch's copies together, then names and records each; false
// when one could not be named or recorded (the end is set, the rest are
// removed and unsent again).
bool CommitBatch(RunState* run);

}  // namespace transfer_run
