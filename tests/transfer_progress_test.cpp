// The hand-over between the worker and a reader on another thread; worth
// running under ThreadSanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"
#include "transfer/transfer_progress.h"
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

// The window's view of a run, polled while it copies: a count that never
// goes back, and the final counts and the last copy's row as soon as the
// status says Finished.
TEST(TransferProgressTest, ReaderOnAnotherThreadSeesTheFinalCountsOnceFinished) {
  TransferSetup setup;
  constexpr uint32_t kSongs = 60;
  std::vector<PlaylistEntry> entries;
  for (uint32_t i = 0; i < kSongs; ++i) {
    entries.push_back(setup.Song("s" + std::to_string(i) + ".mp3", 0, 3000 + i));
  }
  WritePlaylist(entries);
  g_transferProgress.lastRow.Publish("");  // a row stays from an earlier run
  TransferThread transfer;
  ASSERT_EQ(transfer.Start(30), TransferStart::Started);
  uint32_t lastCopied = 0;
  while (g_transferProgress.status.load(std::memory_order_acquire) != TRANSFER_FINISHED) {
    uint32_t copied = g_transferProgress.songsCopied.load();
    EXPECT_GE(copied, lastCopied);
    lastCopied = copied;
  }
  EXPECT_EQ(g_transferProgress.songsCopied.load(), kSongs);
  char row[RESULT_ROW_BYTES];
  g_transferProgress.lastRow.Read(row);
  EXPECT_EQ(transfer.Wait(), 0);
  uint32_t lastSlot = setup.SentNumbers().rbegin()->second;
  char expected[RESULT_ROW_BYTES];
  std::snprintf(expected, sizeof expected, "     %04u  /  %04u  |%10u", lastSlot + 1, kSongs,
                3000 + lastSlot);
  EXPECT_STREQ(row, expected);
}

}  // namespace
