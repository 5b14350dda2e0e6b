// The name a song's copy gets in kMp3: TARGET_NAME_FORMAT with the run's
// next number and the source's extension, past numbers whose name is
// already taken. On the run's thread; used by transfer_run.cpp.
#pragma once

#include "store/playlist_entry.h"
#include "transfer/run_state.h"

namespace transfer_run {

// The extension of `entry`'s path into run->extension.
void TakeSourceExtension(RunState* run, const PlaylistEntry& entry);

// run->target from run->nextNumber and run->extension; false when the name
// would not fit.
bool FormatTarget(RunState* run);

// Moves run->nextNumber (and run->target) past names taken in kMp3; false
// when the numbers run out.
bool SkipTakenNumbers(RunState* run);

}  // namespace transfer_run
