// Statistics and the three edits of the playlist window.
#include <unistd.h>

#include "store/playlist_maintenance.h"
#include "store/playlist_stats.h"
#include "tests/support/core_test.h"
#include "tests/support/transfer_setup.h"

namespace {

TEST(PlaylistStats, LineAndTruncatedShares) {
  std::vector<uint16_t> thousand(1000, 0);
  thousand[0] = 1;
  struct Case {
    std::vector<uint16_t> states;
    const char* line;
    uint32_t remainingPercent;
    uint32_t consumedPercent;
  };
  const Case cases[] = {{{0, 1, 4}, "残 1 / 3件中 (消化率67％)", 33, 67},
                        {thousand, "残 999 / 1000件中 (消化率1％)", 99, 1},
                        {{1, 2, 3, 4}, "Empty!", 0, 100},
                        {{}, "Empty!", 0, 100}};
  static PlaylistTable table;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::memset(&table, 0, sizeof table);
    for (size_t i = 0; i < c.states.size(); ++i) {
      table.entries[i] = MakeEntry(c.states[i], 0, "//s", 1);
    }
    PlaylistStats stats = ComputePlaylistStats(table, static_cast<uint32_t>(c.states.size()));
    char line[128];
    FormatStatsLine(stats, line, sizeof line);
    EXPECT_STREQ(line, c.line);
    EXPECT_EQ(stats.remainingPercent, c.remainingPercent);
    EXPECT_EQ(stats.consumedPercent, c.consumedPercent);
  }
  for (PlaylistEntry& entry : table.entries) entry = MakeEntry(0, 0, "//s", 1);
  EXPECT_EQ(ComputePlaylistStats(table, 4000000000u).remaining, MAX_ENTRIES);  // bounded
}

using States = std::vector<std::pair<int, int>>;

States SavedStates() {
  const PlaylistTable& saved = ReadPlaylist();
  States states;
  for (uint32_t i = 0; i < CountEntries(saved); ++i) {
    states.emplace_back(saved.entries[i].state, saved.entries[i].transferNumber);
  }
  return states;
}

void WriteFiveSongs(uint16_t firstState = 0, uint16_t firstNumber = 0) {
  WritePlaylist({MakeEntry(firstState, firstNumber, "//a", 1), MakeEntry(1, 12, "//b", 2),
                 MakeEntry(2, 0, "//c", 3), MakeEntry(3, 0, "//d", 4), MakeEntry(4, 7, "//e", 5)});
}

// Each edit loads the file itself, whatever the working table holds, and
// without a playlist writes nothing. Slots outside the table are ignored.
using PlaylistEdits = FreshPlaylistTest;

TEST_F(PlaylistEdits, ChangeTheChosenSlotsOnly) {
  static const uint32_t chosen[] = {4, 1, 4000, 99999};
  struct Case {
    const char* name;
    bool (*edit)(Playlist&);
    States expected;
  };
  const Case cases[] = {
      {"all: excluded stay, numbers go",
       [](Playlist& p) { return MarkAllUntransferred(p); },
       {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {4, 0}}},
      {"selected: any state",
       [](Playlist& p) { return MarkEntriesUntransferred(p, chosen, 4); },
       {{0, 0}, {0, 0}, {2, 0}, {3, 0}, {0, 0}}},
      {"exclude keeps the number",
       [](Playlist& p) { return ExcludeEntries(p, chosen + 1, 3); },
       {{0, 0}, {4, 12}, {2, 0}, {3, 0}, {4, 7}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFiveSongs();
    ASSERT_TRUE(c.edit(*playlist_));
    EXPECT_EQ(SavedStates(), c.expected);
    std::remove(PLAYLIST_FILE_NAME);
    EXPECT_FALSE(c.edit(*playlist_));
    EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
  }
}

// The view was loaded before a fill recorded slot 0 as sent: an edit of
// other slots keeps that record, and a failed edit changes nothing.
TEST_F(PlaylistEdits, NeverUndoWhatWasSavedSinceTheViewWasLoaded) {
  WriteFiveSongs();
  ASSERT_TRUE(playlist_->LoadWithCount());
  WriteFiveSongs(1, 13);
  uint32_t chosen[] = {2};
  ASSERT_TRUE(ExcludeEntries(*playlist_, chosen, 1));
  States expected{{1, 13}, {1, 12}, {4, 0}, {3, 0}, {4, 7}};
  EXPECT_EQ(SavedStates(), expected);

  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  EXPECT_FALSE(MarkEntriesUntransferred(*playlist_, chosen, 1));
  EXPECT_EQ(playlist_->failure.Last().access, PlaylistAccess::Write);
  EXPECT_EQ(SavedStates(), expected);
}

// Temporaries that killed saves and copies left, even those naming a living
// process (init, this one), go when an edit takes the lock.
TEST_F(PlaylistEdits, TheLockHolderRemovesEveryStaleTemporary) {
  WriteFiveSongs();
  std::string self = std::to_string(getpid());
  for (const std::string& name : std::vector<std::string>{
           "kPlayLst.dat.1-0.tmp", "kPlayLst.dat." + self + "-7.tmp", "kPlayLst.dat.bak",
           "kMp3/.kobaru-partial-1-aB3xYz", "kMp3/0001.mp3", "other.dat.1-0.tmp"})
    WriteFile(name, "left");
  ASSERT_TRUE(MarkAllUntransferred(*playlist_));
  EXPECT_EQ(NamesIn("kMp3"), std::vector<std::string>{"0001.mp3"});
  EXPECT_EQ(NamesIn("."), (std::vector<std::string>{"kMp3", "kPlayLst.dat", "kPlayLst.dat.bak",
                                                    "other.dat.1-0.tmp"}));
}

}  // namespace
