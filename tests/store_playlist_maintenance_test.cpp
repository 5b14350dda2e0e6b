// Statistics and the three edits of the playlist window.
#include <gtest/gtest.h>

#include <cstring>

#include "store/playlist_file.h"
#include "store/playlist_maintenance.h"
#include "store/playlist_stats.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

std::string StatsLine(const std::vector<uint16_t>& states) {
  static PlaylistTable table;
  std::memset(&table, 0, sizeof table);
  for (size_t i = 0; i < states.size(); ++i) table.entries[i] = MakeEntry(states[i], 0, "//s", 1);
  char line[128];
  FormatStatsLine(ComputePlaylistStats(table, static_cast<uint32_t>(states.size())), line,
                  sizeof line);
  return line;
}

TEST(PlaylistStats, PercentagesTruncateTheRemainingShare) {
  static PlaylistTable table;
  std::memset(&table, 0, sizeof table);
  table.entries[0] = MakeEntry(0, 0, "//a", 1);
  table.entries[1] = MakeEntry(1, 3, "//b", 1);
  table.entries[2] = MakeEntry(4, 0, "//c", 1);
  PlaylistStats stats = ComputePlaylistStats(table, 3);
  EXPECT_EQ(stats.remaining, 1u);
  EXPECT_EQ(stats.total, 3u);
  EXPECT_EQ(stats.remainingPercent, 33u);
  EXPECT_EQ(stats.consumedPercent, 67u);
  EXPECT_EQ(StatsLine({0, 1, 4}), "残 1 / 3件中 (消化率67％)");

  std::vector<uint16_t> thousand(1000, 0);
  thousand[0] = 1;
  EXPECT_EQ(StatsLine(thousand), "残 999 / 1000件中 (消化率1％)");
}

TEST(PlaylistStats, NothingRemainingIsEmpty) {
  EXPECT_EQ(StatsLine({1, 2, 3, 4}), "Empty!");
  EXPECT_EQ(StatsLine({}), "Empty!");
  static PlaylistTable table{};
  PlaylistStats stats = ComputePlaylistStats(table, 0);
  EXPECT_EQ(stats.remainingPercent, 0u);
  EXPECT_EQ(stats.consumedPercent, 100u);
}

TEST(PlaylistStats, CountBeyondTheTableIsBounded) {
  static PlaylistTable table;
  for (PlaylistEntry& entry : table.entries) entry = MakeEntry(0, 0, "//s", 1);
  PlaylistStats stats = ComputePlaylistStats(table, 4000000000u);
  EXPECT_EQ(stats.remaining, MAX_ENTRIES);
}

class MaintenanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePlaylist({MakeEntry(0, 0, "//a", 1), MakeEntry(1, 12, "//b", 2), MakeEntry(2, 0, "//c", 3),
                   MakeEntry(3, 0, "//d", 4), MakeEntry(4, 7, "//e", 5)});
    ASSERT_TRUE(LoadWorkingTableWithCount());
  }
  static std::vector<std::pair<int, int>> SavedStates() {
    const PlaylistTable& saved = ReadPlaylist();
    std::vector<std::pair<int, int>> states;
    for (uint32_t i = 0; i < CountEntries(saved); ++i) {
      states.emplace_back(saved.entries[i].state, saved.entries[i].transferNumber);
    }
    return states;
  }
  TempFolder folder_;
};

TEST_F(MaintenanceTest, AllUntransferredKeepsExcludedSongsButClearsEveryNumber) {
  std::memset(&g_workingTable, 0, sizeof g_workingTable);  // reloads by itself
  ASSERT_TRUE(MarkAllUntransferred());
  std::vector<std::pair<int, int>> expected{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {4, 0}};
  EXPECT_EQ(SavedStates(), expected);
}

TEST_F(MaintenanceTest, AllUntransferredWithoutAPlaylistWritesNothing) {
  std::remove(PLAYLIST_FILE_NAME);
  EXPECT_FALSE(MarkAllUntransferred());
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
}

TEST_F(MaintenanceTest, SelectedUntransferredResetsAnyState) {
  uint32_t slots[] = {4, 2};
  ASSERT_TRUE(MarkEntriesUntransferred(slots, 2));
  std::vector<std::pair<int, int>> expected{{0, 0}, {1, 12}, {0, 0}, {3, 0}, {0, 0}};
  EXPECT_EQ(SavedStates(), expected);
}

TEST_F(MaintenanceTest, ExcludeKeepsTheTransferNumber) {
  uint32_t slots[] = {1, 4000, 99999};  // slots outside the table are ignored
  ASSERT_TRUE(ExcludeEntries(slots, 3));
  std::vector<std::pair<int, int>> expected{{0, 0}, {4, 12}, {2, 0}, {3, 0}, {4, 7}};
  EXPECT_EQ(SavedStates(), expected);
}

// The view was loaded before a fill recorded slot 0 as sent: an edit of
// other slots keeps that record, and a failed edit changes nothing.
TEST_F(MaintenanceTest, EditsNeverUndoWhatWasSavedSinceTheViewWasLoaded) {
  WritePlaylist({MakeEntry(1, 13, "//a", 1), MakeEntry(1, 12, "//b", 2), MakeEntry(2, 0, "//c", 3),
                 MakeEntry(3, 0, "//d", 4), MakeEntry(4, 7, "//e", 5)});
  uint32_t chosen[] = {2};
  ASSERT_TRUE(ExcludeEntries(chosen, 1));
  std::vector<std::pair<int, int>> expected{{1, 13}, {1, 12}, {4, 0}, {3, 0}, {4, 7}};
  EXPECT_EQ(SavedStates(), expected);

  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  EXPECT_FALSE(MarkEntriesUntransferred(chosen, 1));
  EXPECT_EQ(LastPlaylistFailure().access, PlaylistAccess::Write);
  EXPECT_EQ(SavedStates(), expected);
}

}  // namespace
