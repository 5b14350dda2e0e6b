// The main window's transfer tick: percentage, bar colour, animation and
// the completion, decided from a snapshot of the progress record.
#include "tests/support/core_test.h"
#include "transfer/transfer_texts.h"
#include "transfer/transfer_tick.h"

namespace {

constexpr int32_t kCapacityMb = 240;
constexpr uint32_t kBytesPerPercent = kCapacityMb * 10240;
constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kYellow = 0xFFFF00, kGreen = 0x00D200;

TransferSnapshot Snapshot(TransferStatus status, uint32_t bytes, int32_t capacityMb = kCapacityMb) {
  return {status, capacityMb, 0, bytes};
}

// Ticks of one run in a row: the colour is sent every time; the percentage
// only from 1 to 100 and only when it changed.
// A free-space run counts bytes over its measured budget, past 4 GB too;
// no percentage before the budget is known.
TEST(TransferTickTest, FreeSpacePercentOverTheMeasuredBudget) {
  TransferTickState state{};
  constexpr uint64_t kBudget = 6ull << 30;
  EXPECT_FALSE(DecideTransferTick({TransferStatus::Running, FREE_SPACE_CAPACITY, 0, 1u << 30}, state)
                   .colourSet);
  TransferTick tick =
      DecideTransferTick({TransferStatus::Running, FREE_SPACE_CAPACITY, kBudget, kBudget / 2}, state);
  EXPECT_TRUE(tick.percentShown);
  EXPECT_EQ(tick.percent, 50);
}

TEST(TransferTickTest, PercentAndBarColourFollowTheBytesCopied) {
  struct Case {
    uint32_t bytes;
    bool shown;
    int32_t lastPercent;
    uint32_t colour;
  };
  const Case cases[] = {
      {0, false, 0, kRed},  // 0 % is never shown
      {kBytesPerPercent - 1, false, 0, kRed},
      {9 * kBytesPerPercent, true, 9, kRed},
      {10 * kBytesPerPercent, true, 10, kWhite},
      {30 * kBytesPerPercent - 1, true, 29, kWhite},
      {30 * kBytesPerPercent, true, 30, kYellow},
      {60 * kBytesPerPercent - 1, true, 59, kYellow},
      {60 * kBytesPerPercent, true, 60, kGreen},
      {245760000, true, 100, kGreen},   // 97.66 % of the budget reads 100
      {245760000, false, 100, kGreen},  // unchanged
      {251658240, false, 100, kGreen},  // the full budget reads 102
  };
  TransferTickState state{};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    TransferTick tick = DecideTransferTick(Snapshot(TransferStatus::Running, c.bytes), state);
    EXPECT_EQ(tick.percentShown, c.shown);
    EXPECT_TRUE(!c.shown || tick.percent == c.lastPercent);
    EXPECT_EQ(state.lastPercent, c.lastPercent);
    EXPECT_TRUE(tick.colourSet);
    EXPECT_EQ(tick.barColour, c.colour);
  }
  StartTransferTick(state);  // a new run shows the same percentage again
  EXPECT_TRUE(DecideTransferTick(Snapshot(TransferStatus::Running, 245760000), state).percentShown);
  // Without a capacity there is no percentage and no colour, but the arrow moves.
  uint32_t step = state.animationStep;
  TransferTick tick = DecideTransferTick(Snapshot(TransferStatus::Running, 1u << 30, 0), state);
  EXPECT_FALSE(tick.percentShown || tick.colourSet);
  EXPECT_EQ(state.animationStep, step + 1);
}

// The cycle runs on across ticks; the tick that sees Finished completes the
// run without a bar or a picture, the cycle starts over, and the status
// goes back to Idle.
TEST(TransferTickTest, AnimationRunsTheTwentyEightStepCycleUntilTheRunEnds) {
  TransferTickState state{};
  std::vector<std::string> seen;
  for (int i = 0; i < 2 * static_cast<int>(ANIMATION_CYCLE_STEPS); ++i) {
    TransferTick tick = DecideTransferTick(Snapshot(TransferStatus::Running, 0), state);
    if (tick.pictureToShow == NO_PICTURE && tick.pictureToHide == NO_PICTURE) continue;
    seen.push_back(std::to_string(i) + ":" + std::to_string(tick.pictureToHide) + ">" +
                   std::to_string(tick.pictureToShow));
  }
  std::vector<std::string> expected{"0:4>0",  "4:0>1",  "8:1>2",  "12:2>3", "16:3>4",
                                    "28:4>0", "32:0>1", "36:1>2", "40:2>3", "44:3>4"};
  EXPECT_EQ(seen, expected);
  TransferProgress progress;
  progress.capacityMb = kCapacityMb;
  progress.bytesCopied = 80 * kBytesPerPercent;
  progress.status = TransferStatus::Finished;
  for (bool first : {true, false}) {
    TransferTick tick = PollTransfer(progress, state);
    EXPECT_EQ(tick.completed, first);
    EXPECT_FALSE(tick.colourSet || tick.percentShown || tick.pictureToShow != NO_PICTURE);
    EXPECT_EQ(state.animationStep, 0u);
    EXPECT_EQ(progress.status.load(), TransferStatus::Idle);
  }
}

}  // namespace
