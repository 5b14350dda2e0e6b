// Loading, saving, counting and presence of kPlayLst.dat.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "store/playlist_maintenance.h"
#include "tests/support/core_test.h"
#include "tests/support/small_volume.h"
#include "tests/support/transfer_setup.h"

namespace {

class PlaylistFileTest : public FreshPlaylistTest {
 protected:
  PlaylistTable& table_ = playlist_->workingTable;
};

// A file of any length loads what the table holds of it and is saved back
// as a whole table, replacing the old file and leaving no temporary.
TEST_F(PlaylistFileTest, AnyLengthLoadsAndSavesAsAWholeTable) {
  struct Case {
    const char* name;
    std::string bytes;
    uint32_t count;
  };
  const Case cases[] = {
      {"empty", "", 0},
      {"one record", PlaylistBytes({MakeEntry(1, 0x1234, "//x.mp3", 5)}).substr(0, RECORD_SIZE), 1},
      {"full and longer",
       PlaylistBytes(std::vector<PlaylistEntry>(MAX_ENTRIES, MakeEntry(0, 0, "//s.mp3", 1))) +
           std::string(5000, 'z'),
       MAX_ENTRIES},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(PLAYLIST_FILE_NAME, c.bytes);
    std::memset(&table_, 0, sizeof table_);
    EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &table_),
              static_cast<int32_t>(std::min(c.bytes.size(), TABLE_BYTES)));
    EXPECT_EQ(CountEntries(table_), c.count);
    ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &table_, TABLE_BYTES), 0);
    std::string expected = c.bytes.substr(0, TABLE_BYTES);
    expected.resize(TABLE_BYTES, '\0');
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), expected);
    EXPECT_EQ(NamesIn("."), std::vector<std::string>{PLAYLIST_FILE_NAME});
  }
  table_.entries[7].path[0] = '\0';
  EXPECT_EQ(CountEntries(table_), 7u);  // the first gap ends the playlist
}

TEST_F(PlaylistFileTest, MissingFolderPipeOrReadOnlyFileIsNoPlaylist) {
  table_.entries[0].path[0] = 'k';
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &table_), -1);
  MakeFolders(PLAYLIST_FILE_NAME);
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &table_), -1);
  EXPECT_EQ(table_.entries[0].path[0], 'k');
  EXPECT_FALSE(playlist_->LoadWithCount());
  rmdir(PLAYLIST_FILE_NAME);
  ASSERT_EQ(mkfifo(PLAYLIST_FILE_NAME, 0644), 0);  // nobody writes: must not wait for ever
  EXPECT_EQ(LoadTable(PLAYLIST_FILE_NAME, &table_), -1);
  EXPECT_FALSE(IsFilePresent(PLAYLIST_FILE_NAME));
  std::remove(PLAYLIST_FILE_NAME);

  // Present means an existing file this user may write; a read-only
  // playlist is never replaced, also when running as root.
  EXPECT_FALSE(IsFilePresent("kStartUp"));
  MakeFolders("kStartUp");
  EXPECT_FALSE(IsFilePresent("kStartUp"));
  WriteFile("kContinue", "");
  EXPECT_TRUE(IsFilePresent("kContinue"));
  EXPECT_EQ(ReadFile("kContinue"), "");  // nothing created or written

  WritePlaylist({MakeEntry(0, 0, "//keep.mp3", 1)});
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  EXPECT_FALSE(IsFilePresent(PLAYLIST_FILE_NAME));
  EXPECT_EQ(SaveTable(PLAYLIST_FILE_NAME, &table_, TABLE_BYTES), -1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
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
  std::strcpy(table_.entries[0].path, "//new.mp3");
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &table_, TABLE_BYTES), 0);
  struct stat info;
  ASSERT_EQ(lstat(PLAYLIST_FILE_NAME, &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  EXPECT_STREQ(ReadPlaylist().entries[0].path, "//new.mp3");
  EXPECT_EQ(NamesIn(".").size(), links.size() + 1);  // every link still there
}

// A card's folder owned by someone else, with a playlist this user may
// write: no temporary can be made there, so the file is rewritten in place.
TEST_F(PlaylistFileTest, SaveRewritesInPlaceWhereNoFileCanBeCreated) {
  WriteFile(PLAYLIST_FILE_NAME, PlaylistBytes({MakeEntry(0, 0, "//a.mp3", 1)}) + "longer");
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0666), 0);
  ASSERT_EQ(chmod(".", 0755), 0);
  if (getuid() != 0) {
    ASSERT_EQ(chmod(".", 0555), 0);
  }
  pid_t child = fork();
  if (child == 0) {
    if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    table_.entries[0].state = STATE_TRANSFERRED;
    _exit(SaveTable(PLAYLIST_FILE_NAME, &table_, TABLE_BYTES) == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  chmod(".", 0755);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadPlaylist().entries[0].state, STATE_TRANSFERRED);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
  EXPECT_EQ(NamesIn(".").size(), 1u);
}

// On a full card an existing playlist is rewritten in place; a new one
// that does not fit fails and leaves nothing behind.
TEST_F(PlaylistFileTest, OnAFullMediumInPlaceWhenItExistsCleanFailureWhenNot) {
  SmallVolume card(folder_.Join("card"), "2m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  ASSERT_EQ(chdir("card"), 0);
  WritePlaylist({MakeEntry(0, 0, "//a.mp3", 1), MakeEntry(0, 0, "//b.mp3", 2)});
  card.FillUp("filler");
  ASSERT_TRUE(playlist_->LoadWithCount());
  table_.entries[1].transferNumber = 17;
  ASSERT_EQ(SaveTable(PLAYLIST_FILE_NAME, &table_, TABLE_BYTES), 0);
  EXPECT_EQ(ReadPlaylist().entries[1].transferNumber, 17);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
  EXPECT_EQ(NamesIn("."), (std::vector<std::string>{"filler", PLAYLIST_FILE_NAME}));

  ASSERT_EQ(std::remove(PLAYLIST_FILE_NAME), 0);
  card.FillUp("filler2");
  EXPECT_EQ(SaveTable(PLAYLIST_FILE_NAME, &table_, TABLE_BYTES), -1);
  EXPECT_EQ(NamesIn("."), (std::vector<std::string>{"filler", "filler2"}));
  // A cut table whose whole backup can't be written back takes no edit.
  std::string whole = PlaylistBytes({MakeEntry(STATE_TRANSFERRED, 7, "//a.mp3", 1)});
  ASSERT_EQ(std::remove("filler2"), 0);
  WriteFile(PLAYLIST_BACKUP_NAME, whole);
  WriteFile(PLAYLIST_FILE_NAME, whole.substr(0, 1000));
  card.FillUp("filler2");
  EXPECT_FALSE(MarkAllUntransferred(*playlist_));
  EXPECT_TRUE(ReadFile(PLAYLIST_BACKUP_NAME) == whole);
  ASSERT_EQ(chdir(".."), 0);
}

}  // namespace
