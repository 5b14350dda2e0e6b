// One transfer run: budget, draws, numbering, extensions and result rows.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/playlist_file.h"
#include "store/table_images.h"
#include "platform/random_generator.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

constexpr uint32_t kMegabyte = 1u << 20;
constexpr uint32_t kSecond = 1700000000;
std::atomic<uint32_t> g_clockReading{kSecond};
uint32_t TestClock() { return g_clockReading.load(); }

std::string SongName(uint32_t i) {
  char name[32];
  std::snprintf(name, sizeof name, "s%u.mp3", i);
  return name;
}

// The slot that the first draw of a run at kSecond picks among `candidates`.
uint32_t FirstDrawn(uint32_t candidates) {
  RandomGenerator random;
  random.Seed(kSecond);
  return random.Next() % candidates;
}

class TransferRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_clockReading = kSecond;
    SetRandomClockForTesting(TestClock);
  }
  TransferSetup setup_;
};

TEST_F(TransferRunTest, SongsUpToExactlyTheBudgetAreCopiedAndOneByteMoreIsNot) {
  for (uint32_t over : {0u, 1u}) {
    std::filesystem::remove_all("kMp3");
    MakeFolders("kMp3");
    WritePlaylist({setup_.Song("a.mp3", 10 * kMegabyte), setup_.Song("b.mp3", 10 * kMegabyte),
                   setup_.Song("c.mp3", 10 * kMegabyte + over)});
    EXPECT_EQ(setup_.Run(30), 0);
    EXPECT_EQ(g_transferProgress.songsCopied.load(), 3 - over);
    if (over == 0) {
      EXPECT_EQ(g_transferProgress.bytesCopied.load(), 30 * kMegabyte);
    }
    EXPECT_EQ(g_entryCount.load(), 3u);
    std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
    ASSERT_EQ(numbers.size(), 3 - over);
    EXPECT_EQ(numbers.rbegin()->first, 3 - over);  // numbered 1, 2, ...
    setup_.ExpectFolderMatchesPlaylist();
  }
}

// The first song drawn ends the run when it does not fit, and so does a
// size that would wrap a 32-bit sum round to less than the budget.
TEST_F(TransferRunTest, FirstSongThatDoesNotFitEndsTheSelection) {
  std::vector<PlaylistEntry> entries;
  for (uint32_t i = 0; i < 21; ++i) entries.push_back(setup_.Song(SongName(i), 1000));
  entries[FirstDrawn(21)].fileSize = 40 * kMegabyte;
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_TRUE(setup_.TargetNames().empty());
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));

  std::vector<PlaylistEntry> two{setup_.Song("a.mp3", UINT32_MAX), setup_.Song("b.mp3", UINT32_MAX)};
  two[FirstDrawn(2)].fileSize = kMegabyte;
  WritePlaylist(two);
  EXPECT_EQ(setup_.Run(1920), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 1u);
  EXPECT_EQ(ReadPlaylist().entries[1 - FirstDrawn(2)].state, STATE_UNTRANSFERRED);
}

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
    for (uint32_t i = 0; i < 30; ++i) numbers.push_back(ReadPlaylist().entries[i].transferNumber);
    return numbers;
  };
  std::vector<uint16_t> first = numbersOfARunAt(kSecond);
  EXPECT_EQ(numbersOfARunAt(kSecond), first);
  EXPECT_NE(numbersOfARunAt(kSecond + 1), first);
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
}

TEST_F(TransferRunTest, NumberingGoesOnFromTheHighestRecordedAndEndsAt9999) {
  PlaylistEntry sent = setup_.Song("sent.mp3");
  sent.state = STATE_TRANSFERRED;
  sent.transferNumber = 9998;
  WritePlaylist({sent, setup_.Song("a.mp3"), setup_.Song("b.mp3")});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
  EXPECT_EQ(setup_.SentNumbers().rbegin()->first, 9999u);

  const std::string afterFirst = ReadFile(PLAYLIST_FILE_NAME);
  WriteFile(PLAYLIST_FILE_NAME, afterFirst.substr(0, 3 * RECORD_SIZE));
  EXPECT_EQ(setup_.Run(30), 0);  // 9999 recorded: nothing more, but saved whole
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), afterFirst);

  std::filesystem::rename("kMp3/9999.mp3", "kMp3/9999.MP3");
  std::vector<PlaylistEntry> entries{sent, setup_.Song("c.MP3")};
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);  // 9999.MP3 is taken, and there is no 10000
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
}

TEST_F(TransferRunTest, ExtensionIsEverythingAfterTheLastDotWithItsCaseKept) {
  WriteFile(".hidden", "dot at the first byte");
  WritePlaylist({setup_.Song("UPPER.MP3"), setup_.Song("noextension"), setup_.Song("two.dots.Ogg"),
                 MakeEntry(0, 0, ".hidden", 21)});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 4u);
  setup_.ExpectFolderMatchesPlaylist();  // names like 0001.MP3, 0002. and 0003.Ogg

  MakeFolders("music/album.d");  // "d//song" names a file in a folder that isn't there
  std::vector<PlaylistEntry> entries{setup_.Song("album.d/song")};
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
  EXPECT_EQ(setup_.TargetNames().size(), 4u);
}

// "kMp3/0001." and the extension must fit in 259 bytes; a stored path
// without its terminator is read within its 260 bytes.
TEST_F(TransferRunTest, ExtensionTooLongForTheTargetNameIsRefused) {
  std::string fits = "x." + std::string(249, 'e');
  std::string tooLong = "y." + std::string(250, 'e');
  WriteFile(fits, "fits");
  WriteFile(tooLong, "too long");
  PlaylistEntry unterminated = MakeEntry(0, 0, "z." + std::string(PATH_LEN - 2, 'e'), 8);
  WritePlaylist({MakeEntry(0, 0, fits, 4)});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(setup_.TargetNames(), std::vector<std::string>{"0001." + std::string(249, 'e')});
  for (const PlaylistEntry& entry : {MakeEntry(0, 0, tooLong, 8), unterminated}) {
    WritePlaylist({entry});
    EXPECT_EQ(setup_.Run(30), 0);
    EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
  }
  EXPECT_EQ(ReadPlaylist().entries[0].state, STATE_SOURCE_MISSING);  // no such name can exist
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
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
