// Playlists the program did not write: any size, unterminated paths, any
// state, gaps. Nothing may crash, hang or read outside a record (the suite
// runs under AddressSanitizer; the playlist fuzz target explores further).
#include <random>

#include "store/playlist_maintenance.h"
#include "store/playlist_row.h"
#include "store/playlist_stats.h"
#include "store/search_job.h"
#include "tests/support/core_test.h"

namespace {

std::string RandomBytes(std::mt19937& random, size_t size, int nonZeroPercent) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    if (static_cast<int>(random() % 100) < nonZeroPercent) byte = static_cast<char>(random());
  }
  return bytes;
}

// Every read-only use of the working table that the program makes.
void UseEveryRow(const Playlist& playlist, RowSorter& sorter) {
  const PlaylistTable& table = playlist.workingTable;
  uint32_t count = playlist.entryCount;
  ASSERT_LE(count, MAX_ENTRIES);
  PlaylistStats stats = ComputePlaylistStats(table, count);
  EXPECT_LE(stats.remaining, stats.total);
  char line[128];
  FormatStatsLine(stats, line, sizeof line);
  char row[ROW_TEXT_BYTES];
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    int length = FormatPlaylistRow(slot, table.entries[slot], row, sizeof row);
    EXPECT_LT(static_cast<size_t>(length), sizeof row);
  }
  // The list's values: its two headers, then the entries in reverse.
  std::vector<uint32_t> values{0, 1};
  for (uint32_t i = count; i > 0; --i) values.push_back(FIRST_ENTRY_ROW_VALUE + i - 1);
  sorter.Sort(table, values.data(), static_cast<uint32_t>(values.size()));
  for (size_t i = 3; i < values.size(); ++i) {
    ASSERT_EQ(ComparePlaylistRows(table, values[i - 1], values[i]), -1) << i;
  }
}

// Random bytes of every length around a record and a table, and a full
// table of unterminated paths, wild states and negative sizes.
using CorruptPlaylist = FreshPlaylistTest;

TEST_F(CorruptPlaylist, EveryOperationCopes) {
  auto search = std::make_unique<SearchJob>(*playlist_);
  auto sorter = std::make_unique<RowSorter>();
  std::mt19937 random(1);
  std::vector<std::string> files;
  for (size_t size : {0ul, 1ul, 267ul, 268ul, 269ul, 5000ul, TABLE_BYTES - 1, TABLE_BYTES + 99}) {
    files.push_back(RandomBytes(random, size, 40));
  }
  std::vector<PlaylistEntry> wild(MAX_ENTRIES);
  for (uint32_t i = 0; i < MAX_ENTRIES; ++i) {
    wild[i] = MakeEntry(static_cast<uint16_t>(0xFFFF - i), static_cast<uint16_t>(60000 + i), "",
                        0x80000000u + i);
    std::memset(wild[i].path, '\\', PATH_LEN);
  }
  files.push_back(PlaylistBytes(wild));
  for (const std::string& file : files) {
    SCOPED_TRACE(file.size());
    WriteFile(PLAYLIST_FILE_NAME, file);
    ASSERT_TRUE(playlist_->LoadWithCount());
    UseEveryRow(*playlist_, *sorter);

    uint32_t slots[] = {0, 1, 3999, 4000, 0xFFFFFFFFu};
    EXPECT_TRUE(ExcludeEntries(*playlist_, slots, 5));
    EXPECT_TRUE(MarkEntriesUntransferred(*playlist_, slots, 5));
    EXPECT_TRUE(MarkAllUntransferred(*playlist_));
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);

    std::string found = RandomBytes(random, TABLE_BYTES, 50);
    ASSERT_TRUE(search->Prepare("/", true));
    std::memcpy(const_cast<PlaylistTable*>(&search->ScanResult()), found.data(), TABLE_BYTES);
    search->AppendScanResult();
    ASSERT_TRUE(playlist_->LoadWithCount());
    UseEveryRow(*playlist_, *sorter);
  }
  EXPECT_EQ(playlist_->entryCount, MAX_ENTRIES);
}

}  // namespace
