// Creation and addition without a window: the extension entry, the scan
// path, the search worker and the append of a confirmed result.
#include <gtest/gtest.h>

#include <cstring>

#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/search_worker.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

TEST(ExtensionEntry, IsLoweredCutAtTheFirstSpaceAndNeverEmpty) {
  struct Case {
    std::string typed;
    bool accepted;
    std::string wanted;
  };
  const Case cases[] = {{"MP3 x", true, "mp3"},
                        {".Ogg", true, ".ogg"},  // a dot is kept
                        {" mp3", true, ""},      // matches names ending in a dot
                        {std::string(400, 'W'), true, std::string(259, 'w')},
                        {"", false, "mp3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::strcpy(g_wantedExtension, "flac");
    EXPECT_EQ(TakeExtensionEntry(c.typed.c_str()), c.accepted);
    EXPECT_EQ(g_wantedExtension, c.wanted);
  }
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

// Even a scan that finds nothing is saved, as an empty playlist.
TEST_F(SearchWorkerTest, CreationSavesTheScanAsTheNewPlaylist) {
  g_addMode = 0;
  ASSERT_EQ(SearchWorker(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  ASSERT_EQ(CountEntries(saved), 2u);
  EXPECT_EQ(std::string(saved.entries[1].path), Stored(folder_.Join("music/b.mp3")));
  EXPECT_EQ(saved.entries[1].fileSize, 3u);

  std::remove(PLAYLIST_FILE_NAME);
  TakeExtensionEntry("flac");
  ASSERT_EQ(SearchWorker(), 1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), std::string(TABLE_BYTES, '\0'));
}

TEST_F(SearchWorkerTest, CreationRefusesAReadablePlaylistOrALongFolder) {
  g_addMode = 0;
  WriteFile(PLAYLIST_FILE_NAME, "");  // even an empty one
  EXPECT_EQ(SearchWorker(), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), "");

  std::remove(PLAYLIST_FILE_NAME);
  ChooseFolder("/" + std::string(256, 'a'));
  g_searchStatus = SEARCH_NONE;
  SearchThreadProc();
  EXPECT_EQ(g_searchStatus, SEARCH_FAILED);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
}

TEST_F(SearchWorkerTest, AdditionKeepsItsResultAsideAndWritesNothing) {
  std::memset(&g_scanResultTable, 0, sizeof g_scanResultTable);
  g_addMode = 1;
  g_searchStatus = SEARCH_NONE;
  SearchThreadProc();
  EXPECT_EQ(g_searchStatus, SEARCH_SUCCEEDED);
  EXPECT_EQ(CountEntries(g_scanResultTable), 2u);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
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

// The new songs go in from the first gap on, as untransferred songs without
// a number; a foreign file's songs behind them stay as they were.
TEST_F(AppendTest, AppendsAsUntransferredFromTheFirstGap) {
  WritePlaylist({MakeEntry(1, 9, "//old.mp3", 5), PlaylistEntry{}, MakeEntry(0, 0, "//c.mp3", 1),
                 MakeEntry(0, 0, "//d.mp3", 1)});
  FoundSongs(2, STATE_PATH_TOO_LONG);
  g_scanResultTable.entries[1].transferNumber = 44;
  ASSERT_EQ(AppendScanResult(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  ASSERT_EQ(CountEntries(saved), 4u);
  EXPECT_EQ(saved.entries[0].transferNumber, 9);
  EXPECT_STREQ(saved.entries[1].path, "//new//0.mp3");
  EXPECT_STREQ(saved.entries[2].path, "//new//1.mp3");
  EXPECT_EQ(saved.entries[2].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(saved.entries[2].transferNumber, 0);
  EXPECT_EQ(saved.entries[2].fileSize, 101u);
  EXPECT_STREQ(saved.entries[3].path, "//d.mp3");
}

TEST_F(AppendTest, AddsOnlyWhatFitsAndFailsWhenFull) {
  WritePlaylist(std::vector<PlaylistEntry>(3900, MakeEntry(0, 0, "//old.mp3", 1)));
  FoundSongs(300);
  ASSERT_EQ(AppendScanResult(), 1);
  EXPECT_EQ(CountEntries(ReadPlaylist()), MAX_ENTRIES);
  EXPECT_STREQ(ReadPlaylist().entries[3999].path, "//new//99.mp3");

  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  EXPECT_EQ(AppendScanResult(), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
}

TEST_F(AppendTest, EmptyResultStillRewritesTheFile) {
  std::string one = PlaylistBytes({MakeEntry(0, 0, "//a.mp3", 1)});
  WriteFile(PLAYLIST_FILE_NAME, one.substr(0, RECORD_SIZE));
  ASSERT_EQ(AppendScanResult(), 1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), one);
}

}  // namespace
