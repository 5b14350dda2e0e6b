// The hand-over between the worker and a reader on another thread; worth
// running under ThreadSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <thread>

#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"
#include "transfer/transfer_thread.h"

using namespace testing_support;

namespace {

// Every row a writer publishes is one letter repeated, rows of different
// lengths; a reader that ever sees two letters, or a letter past the row's
// end, saw a torn row.
TEST(ResultRowSlotTest, ReaderNeverSeesAHalfWrittenRow) {
  ResultRowSlot slot;
  constexpr int kRows = 20000;
  std::thread writer([&] {
    char row[RESULT_ROW_BYTES] = {};
    for (int i = 0; i < kRows; ++i) {
      std::memset(row, 0, sizeof row);
      std::memset(row, 'A' + i % 26, 40 + static_cast<size_t>(i % 39));
      slot.Publish(row);
    }
  });
  int torn = 0;
  for (int i = 0; i < kRows; ++i) {
    char seen[RESULT_ROW_BYTES];
    slot.Read(seen);
    size_t length = strnlen(seen, RESULT_ROW_BYTES);
    bool uniform = std::all_of(seen, seen + length, [&](char c) { return c == seen[0]; });
    bool padded =
        std::all_of(seen + length, seen + RESULT_ROW_BYTES, [](char c) { return c == 0; });
    torn += !uniform || !padded;
  }
  writer.join();
  EXPECT_EQ(torn, 0);
}

// The window's view of a run, polled while it copies: only whole rows of
// this run's copies (slot, count of all entries, recorded size; entries in
// states 1 to 4 are never drawn), a count that never goes back, and the
// final counts and row once the status says Finished.
TEST(TransferProgressTest, ReaderOnAnotherThreadSeesWholeRowsAndFinalCounts) {
  TransferSetup setup;
  constexpr int kEntries = 64;
  std::vector<PlaylistEntry> entries;
  for (uint16_t state = 1; state <= 4; ++state)
    entries.push_back(MakeEntry(state, state, "//x.mp3", 1));
  std::set<std::string> rows{""};
  for (int slot = 4; slot < kEntries; ++slot) {
    entries.push_back(setup.Song("s" + std::to_string(slot) + ".mp3", 0, 3000 + slot));
    char row[RESULT_ROW_BYTES];
    std::snprintf(row, sizeof row, "     %04d  /  %04d  |%10d", slot + 1, kEntries, 3000 + slot);
    rows.insert(row);
  }
  WritePlaylist(entries);
  g_transferProgress.lastRow.Publish("");  // a row stays from an earlier run
  TransferThread transfer;
  ASSERT_EQ(transfer.Start(30), TransferStart::Started);
  uint32_t lastCopied = 0;
  int badRows = 0;
  char row[RESULT_ROW_BYTES];
  while (g_transferProgress.status.load(std::memory_order_acquire) != TRANSFER_FINISHED) {
    g_transferProgress.lastRow.Read(row);
    badRows += rows.count(row) == 0;
    uint32_t copied = g_transferProgress.songsCopied.load();
    EXPECT_GE(copied, lastCopied);
    lastCopied = copied;
  }
  EXPECT_EQ(g_transferProgress.songsCopied.load(), kEntries - 4u);
  EXPECT_EQ(g_transferProgress.songsMissing.load(), 0u);
  g_transferProgress.lastRow.Read(row);
  EXPECT_TRUE(row[0] != '\0' && rows.count(row) == 1) << row;
  EXPECT_EQ(transfer.Wait(), 0);
  EXPECT_EQ(badRows, 0);
  EXPECT_EQ(setup.TargetNames().size(), kEntries - 4u);
}

}  // namespace
