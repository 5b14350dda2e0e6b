// One transfer run: budget, numbering, extensions and the result rows.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "store/playlist_file.h"
#include "store/table_images.h"
#include "transfer/random_generator.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

constexpr uint32_t kMegabyte = 1u << 20;
constexpr uint32_t kFixedSeconds = 1700000000;

uint32_t FixedClock() { return kFixedSeconds; }

std::string SongName(uint32_t i) {
  char name[32];
  std::snprintf(name, sizeof name, "s%u.mp3", i);
  return name;
}

class TransferRunTest : public ::testing::Test {
 protected:
  TransferSetup setup_;
};

TEST_F(TransferRunTest, SongsAddingUpToExactlyTheBudgetAreAllCopied) {
  WritePlaylist({setup_.Song("a.mp3", 10 * kMegabyte), setup_.Song("b.mp3", 10 * kMegabyte),
                 setup_.Song("c.mp3", 10 * kMegabyte)});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 3u);
  EXPECT_EQ(g_transferProgress.bytesCopied.load(), 30 * kMegabyte);
  EXPECT_EQ(g_entryCount.load(), 3u);
  std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
  ASSERT_EQ(numbers.size(), 3u);
  EXPECT_EQ(numbers.begin()->first, 1u);
  EXPECT_EQ(numbers.rbegin()->first, 3u);
  setup_.ExpectFolderMatchesPlaylist();
}

TEST_F(TransferRunTest, OneByteOverTheBudgetEndsAtTheSongThatDoesNotFit) {
  WritePlaylist({setup_.Song("a.mp3", 10 * kMegabyte), setup_.Song("b.mp3", 10 * kMegabyte),
                 setup_.Song("c.mp3", 10 * kMegabyte + 1)});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 2u);
  EXPECT_EQ(setup_.SentNumbers().size(), 2u);
  setup_.ExpectFolderMatchesPlaylist();
}

// The first draw takes the small song; the second song's size would wrap
// the 32-bit sum round to less than the budget.
TEST_F(TransferRunTest, HugeRecordedSizeNeverWrapsIntoTheBudget) {
  RandomGenerator first;
  first.Seed(kFixedSeconds);
  uint32_t smallSlot = first.Next() % 2;
  std::vector<PlaylistEntry> entries{setup_.Song("a.mp3", UINT32_MAX), setup_.Song("b.mp3", UINT32_MAX)};
  entries[smallSlot].fileSize = kMegabyte;
  WritePlaylist(entries);
  SetRandomClockForTesting(FixedClock);
  EXPECT_EQ(setup_.Run(1920), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 1u);
  EXPECT_EQ(ReadPlaylist().entries[1 - smallSlot].state, STATE_UNTRANSFERRED);
  setup_.ExpectFolderMatchesPlaylist();
}

TEST_F(TransferRunTest, FirstDrawnSongTooBigCopiesNothingWhileSmallOnesWait) {
  constexpr uint32_t kSongs = 21;
  RandomGenerator first;
  first.Seed(kFixedSeconds);
  uint32_t bigSlot = first.Next() % kSongs;
  std::vector<PlaylistEntry> entries;
  for (uint32_t i = 0; i < kSongs; ++i) {
    entries.push_back(setup_.Song(SongName(i), i == bigSlot ? 40 * kMegabyte : 1000));
  }
  WritePlaylist(entries);
  SetRandomClockForTesting(FixedClock);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
  EXPECT_TRUE(setup_.TargetNames().empty());
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
}

// The clock's reading alone decides the draws.
std::atomic<uint32_t> g_clockReading{0};
uint32_t SettableClock() { return g_clockReading.load(); }

TEST_F(TransferRunTest, RunsStartedWithinTheSameSecondDrawTheSameSongs) {
  std::vector<PlaylistEntry> entries;
  for (uint32_t i = 0; i < 30; ++i) entries.push_back(setup_.Song(SongName(i)));
  auto numbersOfARunAt = [&](uint32_t seconds) {
    std::filesystem::remove_all("kMp3");
    MakeFolders("kMp3");
    WritePlaylist(entries);
    g_clockReading = seconds;
    setup_.Run(30);
    std::vector<uint16_t> numbers;
    for (uint32_t i = 0; i < entries.size(); ++i) numbers.push_back(ReadPlaylist().entries[i].transferNumber);
    return numbers;
  };
  SetRandomClockForTesting(SettableClock);
  std::vector<uint16_t> first = numbersOfARunAt(kFixedSeconds);
  EXPECT_EQ(numbersOfARunAt(kFixedSeconds), first);
  EXPECT_NE(numbersOfARunAt(kFixedSeconds + 1), first);
}

TEST_F(TransferRunTest, NumbersTakenInTheFolderAreSkipped) {
  for (int n = 1; n <= 5; ++n) WriteFile("kMp3/000" + std::to_string(n) + ".mp3", "old");
  MakeFolders("kMp3/0007.mp3");
  std::filesystem::create_symlink("nowhere", "kMp3/0008.mp3");
  WriteFile("kMp3/0009.ogg", "another extension does not block 0009.mp3");
  WritePlaylist({setup_.Song("a.mp3"), setup_.Song("b.mp3"), setup_.Song("c.mp3")});
  EXPECT_EQ(setup_.Run(30), 0);
  std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
  EXPECT_EQ(numbers.size(), 3u);
  EXPECT_TRUE(numbers.count(6) && numbers.count(9) && numbers.count(10));
  EXPECT_EQ(ReadFile("kMp3/0003.mp3"), "old");
  EXPECT_EQ(ReadFile("kMp3/0009.mp3"), ReadFile(&ReadPlaylist().entries[numbers[9]].path[0]));
}

TEST_F(TransferRunTest, NumberingGoesOnFromTheHighestRecordedAndStopsAt9999) {
  PlaylistEntry sent = setup_.Song("sent.mp3");
  sent.state = STATE_TRANSFERRED;
  sent.transferNumber = 9998;
  WritePlaylist({sent, setup_.Song("a.mp3"), setup_.Song("b.mp3"), setup_.Song("c.mp3")});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
  EXPECT_EQ(setup_.SentNumbers().rbegin()->first, 9999u);
  ASSERT_TRUE(Exists("kMp3/9999.mp3"));

  const std::string afterFirst = ReadFile(PLAYLIST_FILE_NAME);
  WriteFile(PLAYLIST_FILE_NAME, afterFirst.substr(0, 4 * RECORD_SIZE));
  EXPECT_EQ(setup_.Run(30), 0);  // 9999 recorded: nothing more, but saved
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), afterFirst);
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
}

TEST_F(TransferRunTest, NumbersRunOutWhileSkippingTakenNames) {
  PlaylistEntry sent = setup_.Song("sent.mp3");
  sent.state = STATE_TRANSFERRED;
  sent.transferNumber = 9998;
  WriteFile("kMp3/9999.mp3", "taken");
  std::vector<PlaylistEntry> entries{sent, setup_.Song("a.mp3")};
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
}

TEST_F(TransferRunTest, ExtensionIsEverythingAfterTheLastDotWithItsCaseKept) {
  WriteFile(".hidden", "dot at the first byte");
  WritePlaylist({setup_.Song("UPPER.MP3"), setup_.Song("noextension"), setup_.Song("two.dots.Ogg"),
                 MakeEntry(0, 0, ".hidden", 21)});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 4u);
  setup_.ExpectFolderMatchesPlaylist();  // names like 0001.MP3, 0002. and 0003.Ogg
  std::vector<std::string> names = setup_.TargetNames();
  EXPECT_EQ(std::count_if(names.begin(), names.end(),
                          [](const std::string& name) { return name.back() == '.'; }),
            2);
}

TEST_F(TransferRunTest, DotInAFolderNameMakesACopyThatFails) {
  MakeFolders("music/album.d");
  std::vector<PlaylistEntry> entries{setup_.Song("album.d/song")};
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
  EXPECT_TRUE(setup_.TargetNames().empty());
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
}

TEST_F(TransferRunTest, ExtensionTooLongForTheTargetNameIsRefused) {
  // "kMp3/0001." and the extension must fit in 259 bytes.
  std::string fits = "x." + std::string(249, 'e');
  std::string tooLong = "y." + std::string(250, 'e');
  WriteFile(fits, "fits");
  WriteFile(tooLong, "too long");
  WritePlaylist({MakeEntry(0, 0, fits, 4)});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(setup_.TargetNames(), std::vector<std::string>{"0001." + std::string(249, 'e')});
  std::vector<PlaylistEntry> refused{MakeEntry(0, 0, tooLong, 8)};
  WritePlaylist(refused);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(refused));
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
}

TEST_F(TransferRunTest, PathFillingItsWholeFieldIsReadWithinIt) {
  PlaylistEntry entry = MakeEntry(0, 0, "z." + std::string(PATH_LEN - 2, 'e'), 8);
  ASSERT_NE(entry.path[PATH_LEN - 1], '\0');
  WritePlaylist({entry});
  EXPECT_EQ(setup_.Run(30), 0);  // no such file: a name that long can't exist
  EXPECT_EQ(ReadPlaylist().entries[0].state, STATE_SOURCE_MISSING);
}

struct RowLog {
  std::vector<std::string> rows;
  static void Record(void* context, const char* row) {
    static_cast<RowLog*>(context)->rows.push_back(row);
  }
};

TEST_F(TransferRunTest, EachCopyPublishesItsRowInTheFixedFormat) {
  PlaylistEntry sent = setup_.Song("sent.mp3");
  sent.state = STATE_TRANSFERRED;
  sent.transferNumber = 4;
  PlaylistEntry excluded = setup_.Song("excluded.mp3");
  excluded.state = STATE_EXCLUDED;
  WritePlaylist({sent, excluded, setup_.Song("a.mp3", 1234567)});
  RowLog log;
  TransferObserver observer{RowLog::Record, &log};
  PrepareTransfer(30);
  EXPECT_EQ(TransferThreadProc(&observer), 0);
  ASSERT_EQ(log.rows.size(), 1u);
  EXPECT_EQ(log.rows[0], "     0003  /  0003  |   1234567");
  char shown[RESULT_ROW_BYTES];
  g_transferProgress.lastRow.Read(shown);
  EXPECT_EQ(std::string(shown, RESULT_ROW_BYTES), log.rows[0] + std::string(80 - 31, '\0'));
  EXPECT_EQ(setup_.SentNumbers().count(5), 1u);
  EXPECT_EQ(ReadPlaylist().entries[1].state, STATE_EXCLUDED);
}

}  // namespace
