// What the main window shows on each 50 ms tick of a transfer: the bars,
// the title's percentage and the animation. The rules live here, the window
// only paints what a tick returns. Window thread only. (The result rows
// come from the job's observer, one per copy, not from the tick.)
#pragma once

#include <cstdint>

#include "transfer/transfer_progress.h"

inline constexpr uint32_t TRANSFER_TIMER_PERIOD_MS = 50;

// One picture of the banner animation, 0 to 4 from left to right (four
// arrows, then the burst), or none.
inline constexpr int32_t NO_PICTURE = -1;
inline constexpr int32_t ANIMATION_PICTURES = 5;
inline constexpr uint32_t ANIMATION_CYCLE_STEPS = 28;
// Ticks each arrow stays on show; the burst stays for the rest of the cycle.
inline constexpr uint32_t ANIMATION_TICKS_PER_ARROW = 4;
// bytesCopied per percent is capacityMb times this (10240, not 10485.76,
// so a full budget reads 102).
inline constexpr int64_t BYTES_PER_PERCENT_PER_MB = 10240;

// The window's own state between ticks; zero at program start.
struct TransferTickState {
  int32_t lastPercent;     // last percentage on the bars and in the title
  uint32_t animationStep;  // 0 to ANIMATION_CYCLE_STEPS - 1
};

// The fields of the progress that a tick reads.
struct TransferSnapshot {
  TransferStatus status;
  int32_t capacityMb;  // or FREE_SPACE_CAPACITY
  uint64_t budgetBytes;
  uint64_t bytesCopied;
};

// What to show: (completed) the end of the run, or (running) the bar
// colour, the percentage and the animation.
struct TransferTick {
  // The run has ended: stop the timer, enable the buttons, hide all five
  // pictures, ShowTransferOutcome, and set both bars to 0.
  bool completed;
  // Both bars take `barColour` (0xRRGGBB).
  bool colourSet;
  uint32_t barColour;
  // Both bars move to `percent` and the title reads TEXT_PERCENT_DONE.
  bool percentShown;
  int32_t percent;
  int32_t pictureToHide;  // or NO_PICTURE
  int32_t pictureToShow;  // or NO_PICTURE
};

// Reads `progress`, the status first (acquire), so a Finished status comes
// with the run's final counts.
TransferSnapshot TakeTransferSnapshot(const TransferProgress& progress);

// The tick for `snapshot`; updates `state`. Nothing happens while Idle.
TransferTick DecideTransferTick(const TransferSnapshot& snapshot, TransferTickState& state);

// One timer tick on `progress`: a snapshot, its tick, and on completion
// the status back to Idle.
TransferTick PollTransfer(TransferProgress& progress, TransferTickState& state);

// What starting a run does to the window's state: the percentage starts
// over; the animation carries on.
void StartTransferTick(TransferTickState& state);

// Bar colour for a percentage of the budget.
uint32_t TransferBarColour(int64_t percent);
