// The hand-over between the worker and a reader on another thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

// Every row a writer publishes is one letter repeated; a reader that ever
// sees two letters, or a letter past the row's end, saw a torn row.
TEST(ResultRowSlotTest, ReaderNeverSeesAHalfWrittenRow) {
  ResultRowSlot slot;
  constexpr int kRows = 20000;
  std::thread writer([&] {
    char row[RESULT_ROW_BYTES] = {};
    for (int i = 0; i < kRows; ++i) {
      size_t length = 40 + static_cast<size_t>(i % 39);  // rows of different lengths
      std::memset(row, 0, sizeof row);
      std::memset(row, 'A' + i % 26, length);
      slot.Publish(row);
    }
  });
  int torn = 0;
  for (int i = 0; i < kRows; ++i) {
    char seen[RESULT_ROW_BYTES];
    slot.Read(seen);
    size_t length = strnlen(seen, RESULT_ROW_BYTES);
    bool uniform = std::all_of(seen, seen + length, [&](char c) { return c == seen[0]; });
    bool padded = std::all_of(seen + length, seen + RESULT_ROW_BYTES, [](char c) { return c == 0; });
    if (!uniform || !padded) ++torn;
  }
  writer.join();
  EXPECT_EQ(torn, 0);
}

// The window's view of a run, polled from another thread while it copies.
TEST(TransferProgressTest, ReaderOnAnotherThreadSeesWholeRowsAndFinalCounts) {
  TransferSetup setup;
  constexpr uint32_t kSongs = 150;
  std::vector<PlaylistEntry> entries;
  for (uint32_t i = 0; i < kSongs; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "s%u.mp3", i);
    entries.push_back(setup.Song(name, 0, 3000 + i));
  }
  WritePlaylist(entries);
  PrepareTransfer(30);
  std::thread worker(TransferThreadProc, nullptr);
  uint32_t lastCopied = 0;
  int badRows = 0;
  while (g_transferProgress.status.load(std::memory_order_acquire) != TRANSFER_FINISHED) {
    char row[RESULT_ROW_BYTES];
    g_transferProgress.lastRow.Read(row);
    uint32_t copied = g_transferProgress.songsCopied.load();
    EXPECT_GE(copied, lastCopied);
    lastCopied = copied;
    int slot = 0, count = 0, size = 0;
    if (row[0] == '\0') continue;
    char again[RESULT_ROW_BYTES];
    bool parsed = std::sscanf(row, " %d / %d |%d", &slot, &count, &size) == 3;
    std::snprintf(again, sizeof again, RESULT_ROW_FORMAT, slot, count, size);
    if (!parsed || std::strcmp(row, again) != 0 || count != static_cast<int>(kSongs) ||
        size != static_cast<int>(2999 + slot)) {
      ++badRows;
    }
  }
  EXPECT_EQ(g_transferProgress.songsCopied.load(), kSongs);
  EXPECT_EQ(g_transferProgress.songsMissing.load(), 0u);
  worker.join();
  EXPECT_EQ(badRows, 0);
  EXPECT_EQ(setup.TargetNames().size(), kSongs);
}

}  // namespace
