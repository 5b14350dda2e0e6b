// Loading, saving, counting and presence of kPlayLst.dat.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/playlist_file.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/small_volume.h"
#include "tests/support/temp_folder.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

class PlaylistFileTest : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(&g_workingTable, 0, sizeof g_workingTable); }
  TempFolder folder_;
};

TEST_F(PlaylistFileTest, EmptyPlaylistIsAFullFileOfZeros) {
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), 0);
  std::string bytes = ReadFile(PLAYLIST_FILE_NAME);
  ASSERT_EQ(bytes.size(), 1072000u);
  EXPECT_EQ(bytes, std::string(TABLE_BYTES, '\0'));
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), 1072000);
  EXPECT_EQ(CountEntries(g_workingTable), 0u);
}

TEST_F(PlaylistFileTest, RecordLayoutIsLittleEndianAndByteExact) {
  WritePlaylist({MakeEntry(1, 0x1234, "//a//b.mp3", 0x01020304)});
  std::string bytes = ReadFile(PLAYLIST_FILE_NAME);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\x00\x34\x12", 4));
  EXPECT_EQ(bytes.substr(4, 11), std::string("//a//b.mp3\0", 11));
  EXPECT_EQ(bytes.substr(264, 4), std::string("\x04\x03\x02\x01", 4));
  ASSERT_TRUE(LoadWorkingTableWithCount());
  EXPECT_EQ(g_entryCount, 1u);
  EXPECT_EQ(g_workingTable.entries[0].transferNumber, 0x1234);
}

TEST_F(PlaylistFileTest, ShortFileLoadsWhatItHoldsAndIsSavedBackWhole) {
  std::string one = PlaylistBytes({MakeEntry(0, 0, "//x.mp3", 5)}).substr(0, RECORD_SIZE);
  WriteFile(PLAYLIST_FILE_NAME, one);
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), 268);
  EXPECT_EQ(CountEntries(g_workingTable), 1u);
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), 0);
  std::string saved = ReadFile(PLAYLIST_FILE_NAME);
  EXPECT_EQ(saved.size(), TABLE_BYTES);
  EXPECT_EQ(saved.substr(0, RECORD_SIZE), one);

  WriteFile(PLAYLIST_FILE_NAME, "");
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), 0);  // empty file: empty playlist
}

TEST_F(PlaylistFileTest, LongFileReadsOnlyTheTable) {
  std::string bytes = PlaylistBytes({MakeEntry(0, 0, "//x.mp3", 5)}) + std::string(5000, 'z');
  WriteFile(PLAYLIST_FILE_NAME, bytes);
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), 1072000);
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
}

TEST_F(PlaylistFileTest, MissingFileFolderOrPipeFailsAndLeavesTheImage) {
  g_workingTable.entries[0].path[0] = 'k';
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), -1);
  MakeFolders(PLAYLIST_FILE_NAME);
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), -1);
  EXPECT_EQ(g_workingTable.entries[0].path[0], 'k');
  EXPECT_FALSE(LoadWorkingTableWithCount());
  rmdir(PLAYLIST_FILE_NAME);
  ASSERT_EQ(mkfifo(PLAYLIST_FILE_NAME, 0644), 0);  // nobody writes: must not wait for ever
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &g_workingTable), -1);
  EXPECT_FALSE(IsFilePresent(PLAYLIST_FILE_NAME));
}

TEST_F(PlaylistFileTest, CountStopsAtTheFirstGapAndAtTheLastSlot) {
  std::vector<PlaylistEntry> entries(MAX_ENTRIES, MakeEntry(0, 0, "//s.mp3", 1));
  WritePlaylist(entries);
  LoadTable(PLAYLIST_FILE_NAME, &g_workingTable);
  EXPECT_EQ(CountEntries(g_workingTable), 4000u);
  g_workingTable.entries[7].path[0] = '\0';
  EXPECT_EQ(CountEntries(g_workingTable), 7u);
}

TEST_F(PlaylistFileTest, ReadOnlyPlaylistIsAbsentAndNeverReplaced) {
  WritePlaylist({MakeEntry(0, 0, "//keep.mp3", 1)});
  EXPECT_TRUE(IsFilePresent(PLAYLIST_FILE_NAME));
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  EXPECT_FALSE(IsFilePresent(PLAYLIST_FILE_NAME));  // also when running as root
  EXPECT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), -1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
}

TEST_F(PlaylistFileTest, PresenceNeedsAnExistingWritableFile) {
  EXPECT_FALSE(IsFilePresent("kStartUp"));
  MakeFolders("kStartUp");
  EXPECT_FALSE(IsFilePresent("kStartUp"));
  WriteFile("kContinue", "");
  EXPECT_TRUE(IsFilePresent("kContinue"));
  EXPECT_EQ(ReadFile("kContinue"), "");  // nothing created or written
}

TEST_F(PlaylistFileTest, SaveReplacesTheWholeFileAndLeavesNoTemporary) {
  WritePlaylist({MakeEntry(0, 0, "//old.mp3", 1), MakeEntry(0, 0, "//old2.mp3", 1)});
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  std::strcpy(g_workingTable.entries[0].path, "//new.mp3");
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), 0);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_STREQ(saved.entries[0].path, "//new.mp3");
  EXPECT_EQ(CountEntries(saved), 1u);
  EXPECT_EQ(NamesIn("."), std::vector<std::string>{PLAYLIST_FILE_NAME});
}

// Links planted under the names a save may give its temporary file are
// never followed: the playlist stays a file and gets the new contents.
TEST_F(PlaylistFileTest, SaveNeverFollowsALinkPlantedForItsTemporary) {
  WritePlaylist({MakeEntry(0, 0, "//old.mp3", 1)});
  std::vector<std::string> links{std::string(PLAYLIST_FILE_NAME) + ".tmp"};
  for (int i = 0; i < 100; ++i) {
    links.push_back(std::string(PLAYLIST_FILE_NAME) + "." + std::to_string(getpid()) + "-" +
                    std::to_string(i) + ".tmp");
  }
  for (const std::string& link : links) ASSERT_EQ(symlink(PLAYLIST_FILE_NAME, link.c_str()), 0);
  std::strcpy(g_workingTable.entries[0].path, "//new.mp3");
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), 0);
  struct stat info;
  ASSERT_EQ(lstat(PLAYLIST_FILE_NAME, &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_STREQ(ReadPlaylist().entries[0].path, "//new.mp3");
  for (const std::string& link : links) {
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << link;
  }
  EXPECT_EQ(NamesIn(".").size(), links.size() + 1);
}

// A card's folder owned by someone else, with a playlist this user may
// write: no temporary can be made there, so the file is rewritten in place.
TEST_F(PlaylistFileTest, SaveRewritesInPlaceWhereNoFileCanBeCreated) {
  WritePlaylist({MakeEntry(0, 0, "//a.mp3", 1)});
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0666), 0);
  ASSERT_EQ(chmod(".", 0755), 0);
  if (getuid() != 0) {
    ASSERT_EQ(chmod(".", 0555), 0);
  }
  pid_t child = fork();
  if (child == 0) {
    if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    g_workingTable.entries[0].state = STATE_TRANSFERRED;
    _exit(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES) == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  chmod(".", 0755);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadPlaylist().entries[0].state, STATE_TRANSFERRED);
  EXPECT_EQ(NamesIn(".").size(), 1u);
}

}  // namespace

namespace {

TEST(PlaylistOnAFullMedium, SaveRewritesInPlaceWhenNoRoomIsLeft) {
  TempFolder folder;
  SmallVolume card(folder.Join("card"), "2m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  ASSERT_EQ(chdir("card"), 0);
  WritePlaylist({MakeEntry(0, 0, "//a.mp3", 1), MakeEntry(0, 0, "//b.mp3", 2)});
  card.FillUp("filler");

  ASSERT_TRUE(LoadWorkingTableWithCount());
  g_workingTable.entries[1].state = STATE_TRANSFERRED;
  g_workingTable.entries[1].transferNumber = 17;
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), 0);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(saved.entries[1].transferNumber, 17);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
  EXPECT_EQ(NamesIn(".").size(), 2u);  // the filler and the playlist
  ASSERT_EQ(chdir(".."), 0);
}

TEST(PlaylistOnAFullMedium, NewPlaylistThatDoesNotFitFailsCleanly) {
  TempFolder folder;
  SmallVolume card(folder.Join("card"), "2m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  ASSERT_EQ(chdir("card"), 0);
  card.FillUp("filler");
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  EXPECT_EQ(SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES), -1);
  EXPECT_EQ(NamesIn("."), std::vector<std::string>{"filler"});
  ASSERT_EQ(chdir(".."), 0);
}

}  // namespace
