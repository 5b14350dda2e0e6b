// The folder scan: what it adds, in which order, and where it stops.
#include <atomic>
#include <unistd.h>

#include "store/folder_scan.h"
#include "tests/support/core_test.h"

namespace {

using Names = std::vector<std::string>;

class FolderScanTest : public ::testing::Test {
 protected:
  // Scans `relative` inside the temp folder as the search worker would, into
  // an empty table; the stored paths found, less the scanned folder's.
  Names Scan(const std::string& relative = "music") {
    playlist_ = std::make_unique<Playlist>();
    std::string folder = StoredPath(relative) + "//";
    ScanFolder(folder.c_str(), {*playlist_, wanted_, found_, stop_});
    Names found;
    for (uint32_t slot = 0; slot < playlist_->entryCount; ++slot) {
      std::string path(Entry(slot).path, strnlen(Entry(slot).path, PATH_LEN));
      found.push_back(path.substr(0, folder.size()) == folder ? path.substr(folder.size()) : path);
    }
    return found;
  }
  std::string StoredPath(const std::string& relative) const {
    return Stored(folder_.Join(relative));
  }
  const PlaylistEntry& Entry(uint32_t slot) const { return playlist_->workingTable.entries[slot]; }

  TempFolder folder_;
  std::unique_ptr<Playlist> playlist_;
  char wanted_[PATH_LEN] = "mp3";
  char found_[PATH_LEN] = {};
  std::atomic<bool> stop_{false};
};

// The wanted extension is lowered when typed, found ones here, and the two
// must then be equal: "" (from " mp3") matches names ending in a dot.
TEST_F(FolderScanTest, MatchesTheWholeExtensionWithoutRegardToCase) {
  for (const char* name : {"a.MP3", "b.Mp3", "c.mp3", "d.mp3.bak", "mp3", ".mp3", "e.mp4", "f."}) {
    WriteFile(folder_.Join(std::string("music/") + name), "x");
  }
  std::string huge = folder_.Join("music/huge.mp3");
  WriteFile(huge, "");
  ASSERT_EQ(truncate(huge.c_str(), (1LL << 32) + 7), 0);  // sparse: takes no space
  EXPECT_EQ(Scan(), (Names{"a.MP3", "b.Mp3", "c.mp3", "huge.mp3"}));
  EXPECT_EQ(Entry(0).state, STATE_UNTRANSFERRED);
  EXPECT_EQ(Entry(0).fileSize, 1u);
  EXPECT_EQ(Entry(3).fileSize, 7u);  // the low 32 bits
  std::strcpy(wanted_, "");
  EXPECT_EQ(Scan(), Names{"f."});
  std::strcpy(wanted_, "MP3");
  EXPECT_EQ(Scan(), Names{});
  EXPECT_EQ(Scan("nowhere"), Names{});
}

// Byte order within a folder; a subfolder's songs come where it is met.
// The target folder is skipped at any depth and in any case.
TEST_F(FolderScanTest, SubfoldersInPlaceTargetFolderSkipped) {
  for (const char* name : {"x.mp3", "y.mp3", "s/inner.mp3", "s/deeper/deep.mp3", "kMp3/a.mp3",
                           "s/KMP3/b.mp3", "s/deeper/kmp3/c.mp3", "s/kMp3x/d.mp3"}) {
    WriteFile(folder_.Join(std::string("music/") + name), name);
  }
  EXPECT_EQ(Scan(),
            (Names{"s//deeper//deep.mp3", "s//inner.mp3", "s//kMp3x//d.mp3", "x.mp3", "y.mp3"}));
  EXPECT_EQ(Entry(1).fileSize, std::strlen("s/inner.mp3"));
}

TEST_F(FolderScanTest, StopsAtTheTableLimitInWalkOrder) {
  MakeFolders(folder_.Join("music/a"));
  MakeFolders(folder_.Join("music/b"));
  for (int i = 0; i < 2500; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d.mp3", i);
    WriteFile(folder_.Join(std::string("music/a/") + name), "");
    WriteFile(folder_.Join(std::string("music/b/") + name), "");
  }
  Names found = Scan();
  ASSERT_EQ(found.size(), MAX_ENTRIES);
  EXPECT_EQ(found[2499], "a//2499.mp3");
  EXPECT_EQ(found[3999], "b//1499.mp3");
}

// A song's stored path of 259 bytes is kept, a longer one cut to 259 and
// marked; a subfolder whose stored path would pass 259 is not entered.
TEST_F(FolderScanTest, PathsOfMoreThan259BytesAreCutOrSkipped) {
  MakeFolders(folder_.Join("music"));
  size_t folderLength = StoredPath("music").size() + 2;
  ASSERT_LT(folderLength, 200u) << "temp folder path too long for this test";
  std::string fits(259 - folderLength - 4, 'a');
  std::string cut(260 - folderLength - 4, 'b');
  std::string enters(259 - folderLength - 2, 'e');
  std::string skipped(260 - folderLength - 2, 's');
  for (const std::string& name :
       {fits + ".mp3", cut + ".mp3", enters + "/a.mp3", skipped + "/b.mp3"}) {
    WriteFile(folder_.Join("music/" + name), "");
  }
  EXPECT_EQ(Scan(), (Names{fits + ".mp3", cut + ".mp", enters + "//"}));
  EXPECT_EQ(Entry(0).state, STATE_UNTRANSFERRED);
  EXPECT_EQ(std::strlen(Entry(0).path), 259u);
  for (uint32_t slot : {1u, 2u}) {
    EXPECT_EQ(Entry(slot).state, STATE_PATH_TOO_LONG);
    EXPECT_EQ(std::strlen(Entry(slot).path), 259u);
  }
}

TEST_F(FolderScanTest, LinksAreFollowedButLoopsAreNotEntered) {
  WriteFile(folder_.Join("music/a.mp3"), "");
  WriteFile(folder_.Join("elsewhere/e.mp3"), "");
  ASSERT_EQ(symlink(folder_.Join("music").c_str(), folder_.Join("music/back").c_str()), 0);
  ASSERT_EQ(symlink("../elsewhere", folder_.Join("music/other").c_str()), 0);
  ASSERT_EQ(symlink("a.mp3", folder_.Join("music/linked.mp3").c_str()), 0);
  ASSERT_EQ(symlink("missing.mp3", folder_.Join("music/dangling.mp3").c_str()), 0);
  EXPECT_EQ(Scan(), (Names{"a.mp3", "linked.mp3", "other//e.mp3"}));
}

}  // namespace
