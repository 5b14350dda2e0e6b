// The draw: which unsent song a run sends next, at random, within its
// budget (megabytes, or the free space of kMp3's volume), passing over the
// songs that don't fit. On the run's thread; used by transfer_run.cpp.
#pragma once

#include <cstdint>

#include "transfer/run_state.h"

namespace transfer_run {

// The table loaded and counted, kMp3 opened and the random seeded; false
// when there is nothing to draw from.
bool StartDraw(RunState& run, int workingFolder);

// A capacity, or the free space of kMp3's volume as it is now; false, with
// the reason, when that can't be measured.
bool SetBudget(RunState& run);

enum class Draw {
  Song,        // `*slot` holds the song to send
  PassedOver,  // the song drawn is over a free-space budget: draw again
  End,         // no song left, or one over a capacity's budget
};

// Draws the next song, at random among the unsent ones not passed over.
Draw DrawSong(RunState* run, uint32_t* slot);

}  // namespace transfer_run
