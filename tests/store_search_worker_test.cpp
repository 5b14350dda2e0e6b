// Creation and addition without a window: the extension entry, the scan
// path, the search worker and the append of a confirmed result.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/search_worker.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

TEST(ExtensionEntry, IsLoweredAndCutAtTheFirstSpace) {
  EXPECT_TRUE(TakeExtensionEntry("MP3 x"));
  EXPECT_STREQ(g_wantedExtension, "mp3");
  EXPECT_TRUE(TakeExtensionEntry(".Ogg"));
  EXPECT_STREQ(g_wantedExtension, ".ogg");  // a dot is kept
  EXPECT_TRUE(TakeExtensionEntry(" mp3"));
  EXPECT_STREQ(g_wantedExtension, "");  // accepted: matches names ending in a dot
  EXPECT_TRUE(TakeExtensionEntry(std::string(400, 'W').c_str()));
  EXPECT_EQ(std::strlen(g_wantedExtension), 259u);
  EXPECT_EQ(g_wantedExtension[0], 'w');
}

TEST(ExtensionEntry, EmptyEntryIsRefusedAndResetsToMp3) {
  TakeExtensionEntry("flac");
  EXPECT_FALSE(TakeExtensionEntry(""));
  EXPECT_STREQ(g_wantedExtension, "mp3");
}

TEST(ScanPath, DoublesEverySeparatorAppendsTwoAndRefusesWhatWouldNotFit) {
  char path[PATH_LEN];
  ASSERT_TRUE(PrepareScanPath("/home/u/Music", path));
  EXPECT_STREQ(path, "//home//u//Music//");
  ASSERT_TRUE(PrepareScanPath("/", path));
  EXPECT_STREQ(path, "////");
  std::string fits = "/" + std::string(255, 'a');  // 2 + 255 + 2 = 259
  ASSERT_TRUE(PrepareScanPath(fits.c_str(), path));
  EXPECT_EQ(std::strlen(path), 259u);
  std::string tooLong = "/" + std::string(256, 'a');
  EXPECT_FALSE(PrepareScanPath(tooLong.c_str(), path));
}

class SearchWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWantedExtension();
    WriteFile(folder_.Join("music/a.mp3"), "aa");
    WriteFile(folder_.Join("music/b.mp3"), "bbb");
    WriteFile(folder_.Join("music/c.txt"), "c");
    ChooseFolder(folder_.Join("music"));
  }
  void ChooseFolder(const std::string& path) {
    std::memset(g_chosenFolder, 0, sizeof g_chosenFolder);
    std::memcpy(g_chosenFolder, path.data(), std::min(path.size(), PATH_LEN - 1));
  }

  TempFolder folder_;
};

TEST_F(SearchWorkerTest, CreationSavesTheScanAsTheNewPlaylist) {
  g_addMode = 0;
  ASSERT_EQ(SearchWorker(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  ASSERT_EQ(CountEntries(saved), 2u);
  EXPECT_EQ(std::string(saved.entries[1].path), Stored(folder_.Join("music/b.mp3")));
  EXPECT_EQ(saved.entries[1].fileSize, 3u);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
}

TEST_F(SearchWorkerTest, CreationWithoutSongsStillWritesAnEmptyPlaylist) {
  TakeExtensionEntry("flac");
  g_addMode = 0;
  ASSERT_EQ(SearchWorker(), 1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), std::string(TABLE_BYTES, '\0'));
}

TEST_F(SearchWorkerTest, CreationRefusesWhenAPlaylistCanBeRead) {
  WriteFile(PLAYLIST_FILE_NAME, "");  // even an empty one
  g_addMode = 0;
  EXPECT_EQ(SearchWorker(), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), "");
}

TEST_F(SearchWorkerTest, ChosenFolderTooLongIsAFailedSearch) {
  ChooseFolder("/" + std::string(256, 'a'));
  g_addMode = 0;
  EXPECT_EQ(SearchWorker(), 0);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
}

TEST_F(SearchWorkerTest, AdditionKeepsItsResultAsideAndWritesNothing) {
  std::memset(&g_scanResultTable, 0, sizeof g_scanResultTable);
  g_addMode = 1;
  ASSERT_EQ(SearchWorker(), 1);
  EXPECT_EQ(CountEntries(g_scanResultTable), 2u);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
  g_searchStatus = SEARCH_NONE;
  SearchThreadProc();
  EXPECT_EQ(g_searchStatus, SEARCH_SUCCEEDED);
}

class AppendTest : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(&g_scanResultTable, 0, sizeof g_scanResultTable); }
  void FoundSongs(uint32_t count, uint16_t state = STATE_UNTRANSFERRED) {
    for (uint32_t i = 0; i < count; ++i) {
      g_scanResultTable.entries[i] =
          MakeEntry(state, 0, "//new//" + std::to_string(i) + ".mp3", 100 + i);
    }
  }
  TempFolder folder_;
};

TEST_F(AppendTest, AppendsAsUntransferredBehindTheExistingSongs) {
  WritePlaylist({MakeEntry(1, 9, "//old.mp3", 5)});
  FoundSongs(2, STATE_PATH_TOO_LONG);
  g_scanResultTable.entries[1].transferNumber = 44;
  ASSERT_EQ(AppendScanResult(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  ASSERT_EQ(CountEntries(saved), 3u);
  EXPECT_EQ(saved.entries[0].transferNumber, 9);
  EXPECT_STREQ(saved.entries[2].path, "//new//1.mp3");
  EXPECT_EQ(saved.entries[2].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(saved.entries[2].transferNumber, 0);
  EXPECT_EQ(saved.entries[2].fileSize, 101u);
}

TEST_F(AppendTest, AddsOnlyWhatFitsAndStillSucceeds) {
  WritePlaylist(std::vector<PlaylistEntry>(3900, MakeEntry(0, 0, "//old.mp3", 1)));
  FoundSongs(300);
  ASSERT_EQ(AppendScanResult(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(CountEntries(saved), MAX_ENTRIES);
  EXPECT_STREQ(saved.entries[3999].path, "//new//99.mp3");
}

TEST_F(AppendTest, FullOrMissingPlaylistFailsWithoutWriting) {
  FoundSongs(1);
  EXPECT_EQ(AppendScanResult(), 0);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));

  WritePlaylist(std::vector<PlaylistEntry>(MAX_ENTRIES, MakeEntry(0, 0, "//old.mp3", 1)));
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  EXPECT_EQ(AppendScanResult(), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
}

TEST_F(AppendTest, EmptyResultRewritesTheFileUnchanged) {
  WriteFile(PLAYLIST_FILE_NAME, PlaylistBytes({MakeEntry(0, 0, "//a.mp3", 1)}).substr(0, 268));
  ASSERT_EQ(AppendScanResult(), 1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes({MakeEntry(0, 0, "//a.mp3", 1)}));
}

TEST_F(AppendTest, OverwritesFromTheFirstGapOfAForeignFile) {
  WritePlaylist({MakeEntry(0, 0, "//a.mp3", 1), PlaylistEntry{}, MakeEntry(0, 0, "//c.mp3", 1)});
  FoundSongs(1);
  ASSERT_EQ(AppendScanResult(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_STREQ(saved.entries[1].path, "//new//0.mp3");
  EXPECT_STREQ(saved.entries[2].path, "//c.mp3");  // behind the gap: kept as it was
}

}  // namespace
