// The folder scan: what it adds, in which order, and where it stops.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>

#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

class FolderScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&g_workingTable, 0, sizeof g_workingTable);
    g_entryCount = 0;
    ResetWantedExtension();
  }

  // Scans `relative` inside the temp folder as the search worker would.
  void Scan(const std::string& relative = "music") {
    ScanFolder((Stored(folder_.Join(relative)) + "//").c_str());
  }
  std::string StoredPath(const std::string& relative) const {
    return Stored(folder_.Join(relative));
  }
  std::string PathAt(uint32_t slot) const {
    return std::string(g_workingTable.entries[slot].path,
                       strnlen(g_workingTable.entries[slot].path, PATH_LEN));
  }

  TempFolder folder_;
};

TEST_F(FolderScanTest, MatchesTheExtensionWithoutRegardToCase) {
  for (const char* name : {"a.MP3", "b.Mp3", "c.mp3", "d.mp3.bak", "mp3", ".mp3", "e.mp4", "f."}) {
    WriteFile(folder_.Join(std::string("music/") + name), "x");
  }
  Scan();
  ASSERT_EQ(g_entryCount, 3u);
  EXPECT_EQ(PathAt(0), StoredPath("music/a.MP3"));
  EXPECT_EQ(PathAt(1), StoredPath("music/b.Mp3"));
  EXPECT_EQ(PathAt(2), StoredPath("music/c.mp3"));
  EXPECT_EQ(g_workingTable.entries[0].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(g_workingTable.entries[0].fileSize, 1u);
}

TEST_F(FolderScanTest, WantedExtensionIsComparedExactly) {
  WriteFile(folder_.Join("music/a."), "x");
  WriteFile(folder_.Join("music/b.mp3"), "x");
  std::strcpy(g_wantedExtension, "");  // what " mp3" leaves after the cut
  Scan();
  ASSERT_EQ(g_entryCount, 1u);
  EXPECT_EQ(PathAt(0), StoredPath("music/a."));

  g_entryCount = 0;
  std::strcpy(g_wantedExtension, "MP3");  // never lowered here, so nothing matches
  Scan();
  EXPECT_EQ(g_entryCount, 0u);
}

TEST_F(FolderScanTest, SubfolderSongsComeWhereTheFolderIsMet) {
  WriteFile(folder_.Join("music/x.mp3"), "");
  WriteFile(folder_.Join("music/s/inner.mp3"), "12345");
  WriteFile(folder_.Join("music/s/deeper/deep.mp3"), "");
  WriteFile(folder_.Join("music/y.mp3"), "");
  Scan();
  ASSERT_EQ(g_entryCount, 4u);
  EXPECT_EQ(PathAt(0), StoredPath("music/s/deeper/deep.mp3"));  // "s" sorts before "x"
  EXPECT_EQ(PathAt(1), StoredPath("music/s/inner.mp3"));
  EXPECT_EQ(PathAt(2), StoredPath("music/x.mp3"));
  EXPECT_EQ(PathAt(3), StoredPath("music/y.mp3"));
  EXPECT_EQ(g_workingTable.entries[1].fileSize, 5u);
  EXPECT_EQ(g_workingTable.entries[0].fileSize, 0u);
}

TEST_F(FolderScanTest, TargetFolderIsSkippedAtAnyDepthAndInAnyCase) {
  WriteFile(folder_.Join("music/kMp3/a.mp3"), "");
  WriteFile(folder_.Join("music/deep/KMP3/b.mp3"), "");
  WriteFile(folder_.Join("music/deep/er/kmp3/c.mp3"), "");
  WriteFile(folder_.Join("music/deep/kMp3x/d.mp3"), "");
  Scan();
  ASSERT_EQ(g_entryCount, 1u);
  EXPECT_EQ(PathAt(0), StoredPath("music/deep/kMp3x/d.mp3"));
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
  Scan();
  ASSERT_EQ(g_entryCount, MAX_ENTRIES);
  EXPECT_EQ(PathAt(2499), StoredPath("music/a/2499.mp3"));
  EXPECT_EQ(PathAt(3999), StoredPath("music/b/1499.mp3"));

  // A scan that starts on a full table adds nothing.
  Scan();
  EXPECT_EQ(g_entryCount, MAX_ENTRIES);
  EXPECT_EQ(CountEntries(g_workingTable), MAX_ENTRIES);
}

TEST_F(FolderScanTest, PathOf259BytesIsKeptAnd260IsCut) {
  MakeFolders(folder_.Join("music"));
  size_t folderLength = StoredPath("music").size() + 2;
  ASSERT_LT(folderLength, 200u) << "temp folder path too long for this test";
  std::string fits(259 - folderLength - 4, 'a');
  std::string cut(260 - folderLength - 4, 'b');
  WriteFile(folder_.Join("music/" + fits + ".mp3"), "");
  WriteFile(folder_.Join("music/" + cut + ".mp3"), "");
  Scan();
  ASSERT_EQ(g_entryCount, 2u);
  EXPECT_EQ(PathAt(0).size(), 259u);
  EXPECT_EQ(PathAt(0), StoredPath("music/" + fits + ".mp3"));
  EXPECT_EQ(g_workingTable.entries[0].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(PathAt(1), StoredPath("music/" + cut + ".mp3").substr(0, 259));
  EXPECT_EQ(g_workingTable.entries[1].state, STATE_PATH_TOO_LONG);
  EXPECT_EQ(g_workingTable.entries[1].path[259], '\0');
}

TEST_F(FolderScanTest, SubfolderWhosePathWouldNotFitIsSkipped) {
  MakeFolders(folder_.Join("music"));
  size_t folderLength = StoredPath("music").size() + 2;
  std::string enters(259 - folderLength - 2, 'e');  // stored subfolder path: 259 bytes
  std::string skipped(260 - folderLength - 2, 's');
  WriteFile(folder_.Join("music/" + enters + "/a.mp3"), "");
  WriteFile(folder_.Join("music/" + skipped + "/b.mp3"), "");
  Scan();
  ASSERT_EQ(g_entryCount, 1u);
  EXPECT_EQ(g_workingTable.entries[0].state, STATE_PATH_TOO_LONG);
  EXPECT_EQ(PathAt(0), StoredPath("music/" + enters) + "//");
}

TEST_F(FolderScanTest, LinksAreFollowedButLoopsAreNotEntered) {
  WriteFile(folder_.Join("music/a.mp3"), "");
  WriteFile(folder_.Join("elsewhere/e.mp3"), "");
  ASSERT_EQ(symlink(folder_.Join("music").c_str(), folder_.Join("music/back").c_str()), 0);
  ASSERT_EQ(symlink("../elsewhere", folder_.Join("music/other").c_str()), 0);
  ASSERT_EQ(symlink("a.mp3", folder_.Join("music/linked.mp3").c_str()), 0);
  ASSERT_EQ(symlink("missing.mp3", folder_.Join("music/dangling.mp3").c_str()), 0);
  Scan();
  ASSERT_EQ(g_entryCount, 3u);
  EXPECT_EQ(PathAt(0), StoredPath("music/a.mp3"));
  EXPECT_EQ(PathAt(1), StoredPath("music/linked.mp3"));
  EXPECT_EQ(PathAt(2), StoredPath("music/other/e.mp3"));
}

TEST_F(FolderScanTest, LowSizeBitsOfAHugeFile) {
  std::string song = folder_.Join("music/huge.mp3");
  WriteFile(song, "");
  ASSERT_EQ(truncate(song.c_str(), (1LL << 32) + 7), 0);  // sparse: takes no space
  Scan();
  ASSERT_EQ(g_entryCount, 1u);
  EXPECT_EQ(g_workingTable.entries[0].fileSize, 7u);
}

TEST_F(FolderScanTest, MissingFolderAddsNothing) {
  Scan("nowhere");
  EXPECT_EQ(g_entryCount, 0u);
}

}  // namespace
