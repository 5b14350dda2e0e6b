#include "transfer/transfer_tick.h"

#include "transfer/transfer_colours.h"
#include "transfer/transfer_texts.h"

namespace {

// Only 1 to 100 is shown, and only when it changed; 0 and anything above
// 100 leave the bars, the title and lastPercent alone.
// A capacity keeps its 10240 bytes per percent per megabyte; the free
// space is the bytes copied over the budget measured.
int64_t PercentDone(const TransferSnapshot& snapshot) {
  if (snapshot.capacityMb == FREE_SPACE_CAPACITY) {
    if (snapshot.budgetBytes == 0) return -1;
    return static_cast<int64_t>(snapshot.bytesCopied * 100 / snapshot.budgetBytes);
  }
  int64_t divisor = snapshot.capacityMb * BYTES_PER_PERCENT_PER_MB;
  if (divisor == 0) return -1;
  return static_cast<int32_t>(snapshot.bytesCopied) / divisor;
}

void ShowPercent(const TransferSnapshot& snapshot, TransferTickState& state, TransferTick& tick) {
  int64_t percent = PercentDone(snapshot);
  if (percent < 0) return;
  tick.colourSet = true;
  tick.barColour = TransferBarColour(percent);
  if (percent < 1 || percent > 100) return;
  tick.percentShown = percent != state.lastPercent;
  tick.percent = static_cast<int32_t>(percent);
  state.lastPercent = tick.percent;
}

// The arrow moves right every ANIMATION_TICKS_PER_ARROW ticks, the burst
// follows the last arrow and holds until the cycle starts over.
void StepAnimation(TransferTickState& state, TransferTick& tick) {
  uint32_t step = state.animationStep;
  uint32_t picture = step / ANIMATION_TICKS_PER_ARROW;
  if (step % ANIMATION_TICKS_PER_ARROW == 0 && picture < ANIMATION_PICTURES) {
    tick.pictureToShow = static_cast<int32_t>(picture);
    tick.pictureToHide =
        static_cast<int32_t>((picture + ANIMATION_PICTURES - 1) % ANIMATION_PICTURES);
  }
  state.animationStep = step + 1 < ANIMATION_CYCLE_STEPS ? step + 1 : 0;
}

}  // namespace

uint32_t TransferBarColour(int64_t percent) {
  if (percent < BAR_WHITE_FROM_PERCENT) return BAR_COLOUR_RED;
  if (percent < BAR_YELLOW_FROM_PERCENT) return BAR_COLOUR_WHITE;
  if (percent < BAR_GREEN_FROM_PERCENT) return BAR_COLOUR_YELLOW;
  return BAR_COLOUR_GREEN;
}

TransferSnapshot TakeTransferSnapshot(const TransferProgress& progress) {
  TransferSnapshot snapshot;
  snapshot.status = progress.status.load(std::memory_order_acquire);
  snapshot.capacityMb = progress.capacityMb.load();
  snapshot.budgetBytes = progress.budgetBytes.load();
  snapshot.bytesCopied = progress.bytesCopied.load();
  return snapshot;
}

TransferTick DecideTransferTick(const TransferSnapshot& snapshot, TransferTickState& state) {
  TransferTick tick{};
  tick.pictureToHide = NO_PICTURE;
  tick.pictureToShow = NO_PICTURE;
  if (snapshot.status == TransferStatus::Finished) {
    tick.completed = true;
    state.animationStep = 0;
  } else if (snapshot.status == TransferStatus::Running) {
    ShowPercent(snapshot, state, tick);
    StepAnimation(state, tick);
  }
  return tick;
}

TransferTick PollTransfer(TransferProgress& progress, TransferTickState& state) {
  TransferTick tick = DecideTransferTick(TakeTransferSnapshot(progress), state);
  if (tick.completed) progress.status.store(TransferStatus::Idle);
  return tick;
}

void StartTransferTick(TransferTickState& state) { state.lastPercent = 0; }
