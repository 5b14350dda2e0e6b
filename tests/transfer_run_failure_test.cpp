// A transfer run when things go wrong: missing songs and folders, broken
// tables, a stop request, a full medium, and a killed run's leftovers.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "store/playlist_file.h"
#include "transfer/transfer_outcome.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/small_volume.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

class TransferFailureTest : public ::testing::Test {
 protected:
  TransferSetup setup_;
};

TEST_F(TransferFailureTest, MissingSourcesAreMarkedCountedAndTakeNoNumber) {
  PlaylistEntry foreign = setup_.Missing("numbered.mp3");
  foreign.transferNumber = 7;  // an unsent entry that kept a number
  WritePlaylist({setup_.Missing("x.mp3"), setup_.Song("a.mp3"), foreign, setup_.Song("b.mp3"),
                 setup_.Song("c.mp3")});
  EXPECT_EQ(setup_.Run(30), 0);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(saved.entries[0].state, STATE_SOURCE_MISSING);
  EXPECT_EQ(saved.entries[0].transferNumber, 0);
  EXPECT_EQ(saved.entries[2].state, STATE_SOURCE_MISSING);
  EXPECT_EQ(saved.entries[2].transferNumber, 7);
  std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
  EXPECT_EQ(numbers.size(), 3u);
  EXPECT_TRUE(numbers.count(8) && numbers.count(9) && numbers.count(10));
  setup_.ExpectFolderMatchesPlaylist();

  RecordingMessages messages;
  ShowTransferOutcome(messages);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "3 曲伝送しました。");
  EXPECT_EQ(messages.shown[0].caption, "確認");
  EXPECT_EQ(messages.shown[1].text, "2 曲伝送出来ませんでした。");
  EXPECT_EQ(messages.shown[1].caption, "エラー");
  EXPECT_EQ(messages.shown[1].icon, platform::MessageIcon::Stop);
}

// Nothing to send still saves the whole playlist; a playlist that can't be
// read stops the run at once, one that can't be written back fails it.
TEST_F(TransferFailureTest, PlaylistIsSavedOnceWhateverTheRunDid) {
  EXPECT_EQ(setup_.Run(30), -1);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
  PlaylistEntry sent = setup_.Song("a.mp3");
  sent.state = STATE_TRANSFERRED;
  sent.transferNumber = 1;
  std::vector<PlaylistEntry> entries{sent, MakeEntry(STATE_SOURCE_MISSING, 0, "//m.mp3", 1),
                                     MakeEntry(STATE_PATH_TOO_LONG, 0, "//l.mp3", 1),
                                     MakeEntry(STATE_EXCLUDED, 0, "//e.mp3", 1)};
  WriteShortPlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
  RecordingMessages messages;
  ShowTransferOutcome(messages);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "0 曲伝送しました。");

  WritePlaylist({setup_.Song("b.mp3")});
  std::filesystem::permissions(PLAYLIST_FILE_NAME, std::filesystem::perms::owner_read);
  EXPECT_EQ(setup_.Run(30), -1);
  EXPECT_EQ(setup_.TargetNames(), std::vector<std::string>{"0001.mp3"});
}

TEST_F(TransferFailureTest, WithoutTheTargetFolderTheFirstCopyEndsTheRun) {
  std::vector<PlaylistEntry> entries{setup_.Song("a.mp3"), setup_.Song("b.mp3")};
  for (bool fileInItsPlace : {false, true}) {
    std::filesystem::remove_all("kMp3");
    if (fileInItsPlace) WriteFile("kMp3", "not a folder");
    WriteShortPlaylist(entries);
    EXPECT_EQ(setup_.Run(30), 0);
    EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));  // unchanged, saved whole
  }
}

// A gap before an entry, states in empty slots and an impossible number:
// the draw only considers entries before the first gap, never loops, and
// numbering never wraps round to 0000.
TEST_F(TransferFailureTest, BrokenTablesNeverHang) {
  std::vector<PlaylistEntry> entries{setup_.Song("a.mp3"), MakeEntry(0, 0, "", 0), setup_.Song("b.mp3")};
  for (int i = 0; i < 6; ++i) entries.push_back(MakeEntry(STATE_EXCLUDED, 0, "", 0));
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(1920), 0);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(saved.entries[0].state, STATE_TRANSFERRED);
  EXPECT_EQ(saved.entries[2].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(saved.entries[8].state, STATE_EXCLUDED);  // the whole image went back
  setup_.ExpectFolderMatchesPlaylist();

  entries[1] = MakeEntry(STATE_TRANSFERRED, 65535, "//odd.mp3", 1);
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(1920), 0);
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
}

void StopAfterThisCopy(void*, const char*) { g_transferStopRequested = true; }

TEST_F(TransferFailureTest, StopRequestEndsTheRunAtTheNextPassAndSaves) {
  WritePlaylist({setup_.Song("a.mp3"), setup_.Song("b.mp3"), setup_.Song("c.mp3")});
  TransferObserver stopper{StopAfterThisCopy, nullptr};
  PrepareTransfer(30);
  EXPECT_EQ(TransferThreadProc(&stopper), 0);
  EXPECT_EQ(g_transferProgress.status.load(), TRANSFER_FINISHED);
  EXPECT_EQ(setup_.SentNumbers().size(), 1u);
  setup_.ExpectFolderMatchesPlaylist();

  PrepareTransfer(30);  // a new run starts without the old request
  EXPECT_FALSE(g_transferStopRequested.load());
  g_transferStopRequested = true;
  EXPECT_EQ(TransferThreadProc(nullptr), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 1u);
}

// The medium fills up during the third song: that copy is removed whole,
// the run ends, and the table still records the two songs that arrived,
// written in place because no room is left for a second copy of it.
TEST_F(TransferFailureTest, FullMediumEndsTheRunAndStillRecordsWhatArrived) {
  SmallVolume card(setup_.folder().Join("card"), "8m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  std::vector<PlaylistEntry> entries;
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) {
    entries.push_back(setup_.Song(name, 3u << 20, 3u << 20));
  }
  ASSERT_EQ(chdir("card"), 0);
  MakeFolders("kMp3");
  WritePlaylist(entries);
  int32_t result = setup_.Run(30);
  std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
  setup_.ExpectFolderMatchesPlaylist();
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(g_transferProgress.songsCopied.load(), 2u);
  EXPECT_EQ(numbers.size(), 2u);
}

}  // namespace
