// Playlists the program did not write: any size, unterminated paths, any
// state, gaps. Nothing may crash, hang or read outside a record (the suite
// runs under AddressSanitizer).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>

#include "store/playlist_file.h"
#include "store/playlist_maintenance.h"
#include "store/playlist_row.h"
#include "store/playlist_stats.h"
#include "store/search_worker.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

std::string RandomBytes(std::mt19937& random, size_t size, int nonZeroPercent) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    if (static_cast<int>(random() % 100) < nonZeroPercent) byte = static_cast<char>(random());
  }
  return bytes;
}

// Every read-only use of the working table that the program makes.
void UseEveryRow() {
  uint32_t count = g_entryCount;
  ASSERT_LE(count, MAX_ENTRIES);
  PlaylistStats stats = ComputePlaylistStats(g_workingTable, count);
  EXPECT_LE(stats.remaining, stats.total);
  char line[128];
  FormatStatsLine(stats, line, sizeof line);
  char row[ROW_TEXT_BYTES];
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    int length = FormatPlaylistRow(slot, g_workingTable.entries[slot], row, sizeof row);
    EXPECT_LT(static_cast<size_t>(length), sizeof row);
  }
  std::vector<uint32_t> values(count);
  std::iota(values.begin(), values.end(), FIRST_ENTRY_ROW_VALUE);
  std::sort(values.begin(), values.end(),
            [](uint32_t a, uint32_t b) { return ComparePlaylistRows(a, b) < 0; });
}

class CorruptPlaylistTest : public ::testing::TestWithParam<int> {
 protected:
  TempFolder folder_;
};

TEST_P(CorruptPlaylistTest, EveryOperationCopes) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  size_t sizes[] = {0, 1, 267, 268, 269, 5000, TABLE_BYTES - 1, TABLE_BYTES, TABLE_BYTES + 99};
  for (size_t size : sizes) {
    SCOPED_TRACE(size);
    WriteFile(PLAYLIST_FILE_NAME, RandomBytes(random, size, 30 + GetParam() * 10));
    ASSERT_TRUE(LoadWorkingTableWithCount());
    UseEveryRow();

    uint32_t slots[] = {0, 1, 3999, 4000, 0xFFFFFFFFu};
    EXPECT_TRUE(ExcludeEntries(slots, 5));
    EXPECT_TRUE(MarkEntriesUntransferred(slots, 5));
    EXPECT_TRUE(MarkAllUntransferred());
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);

    std::string found = RandomBytes(random, TABLE_BYTES, 50);
    std::memcpy(&g_scanResultTable, found.data(), TABLE_BYTES);
    AppendScanResult();
    ASSERT_TRUE(LoadWorkingTableWithCount());
    UseEveryRow();
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, CorruptPlaylistTest, ::testing::Values(1, 2, 3, 4, 5, 6, 7));

TEST(CorruptPlaylist, FullTableOfUnterminatedPathsAndWildStates) {
  TempFolder folder;
  std::vector<PlaylistEntry> entries(MAX_ENTRIES);
  for (uint32_t i = 0; i < MAX_ENTRIES; ++i) {
    entries[i].state = static_cast<uint16_t>(0xFFFF - i);
    entries[i].transferNumber = static_cast<uint16_t>(60000 + i);
    std::memset(entries[i].path, '\\', PATH_LEN);
    entries[i].fileSize = 0x80000000u + i;
  }
  WritePlaylist(entries);
  ASSERT_TRUE(LoadWorkingTableWithCount());
  EXPECT_EQ(g_entryCount, MAX_ENTRIES);
  UseEveryRow();
  char row[ROW_TEXT_BYTES];
  FormatPlaylistRow(0, g_workingTable.entries[0], row, sizeof row);
  EXPECT_STREQ(row, "  65535 |  60000  | -2147483648 |  0001  | \\ ");
}

}  // namespace
