// Creation and addition without a window: the extension entry, the scan
// path, the search worker and the append of a confirmed result.
#include "store/search_job.h"
#include "tests/support/core_test.h"

namespace {

class SearchJobTest : public FreshPlaylistTest {
 protected:
  std::unique_ptr<SearchJob> search_ = std::make_unique<SearchJob>(*playlist_);
};

TEST_F(SearchJobTest, ExtensionEntryIsLoweredCutAtTheFirstSpaceAndNeverEmpty) {
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
    ASSERT_TRUE(search_->TakeExtensionEntry("flac"));
    EXPECT_EQ(search_->TakeExtensionEntry(c.typed.c_str()), c.accepted);
    EXPECT_EQ(std::string(search_->WantedExtension()), c.wanted);
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

class SearchWorkerTest : public SearchJobTest {
 protected:
  void SetUp() override {
    WriteFile(folder_.Join("music/a.mp3"), "aa");
    WriteFile(folder_.Join("music/b.mp3"), "bbb");
    WriteFile(folder_.Join("music/c.txt"), "c");
  }
  bool Prepare(bool addition) {
    return search_->Prepare(folder_.Join("music/").c_str(), addition);
  }
};

// Even a scan that finds nothing is saved, as an empty playlist.
TEST_F(SearchWorkerTest, CreationSavesTheScanAsTheNewPlaylist) {
  ASSERT_TRUE(Prepare(false));
  ASSERT_EQ(search_->Work(), 1);
  const PlaylistTable& saved = ReadPlaylist();
  ASSERT_EQ(CountEntries(saved), 2u);
  EXPECT_EQ(std::string(saved.entries[1].path), Stored(folder_.Join("music/b.mp3")));
  EXPECT_EQ(saved.entries[1].fileSize, 3u);

  std::remove(PLAYLIST_FILE_NAME);
  search_->TakeExtensionEntry("flac");
  ASSERT_EQ(search_->Work(), 1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), std::string(TABLE_BYTES, '\0'));
}

TEST_F(SearchWorkerTest, CreationRefusesAReadablePlaylistOrALongFolder) {
  ASSERT_TRUE(Prepare(false));
  WriteFile(PLAYLIST_FILE_NAME, "");  // even an empty one
  EXPECT_EQ(search_->Work(), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), "");

  std::remove(PLAYLIST_FILE_NAME);
  EXPECT_FALSE(search_->Prepare(("/" + std::string(PATH_LEN, 'a')).c_str(), false));
  EXPECT_EQ(search_->Status(), SearchStatus::Failed);
  ASSERT_TRUE(search_->Prepare(("/" + std::string(256, 'a')).c_str(), false));
  ASSERT_TRUE(search_->Start());
  EXPECT_EQ(search_->Wait(), SearchStatus::Failed);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
}

// On the worker thread; and a job whose thread is refused has failed.
TEST_F(SearchWorkerTest, AdditionKeepsItsResultAsideAndWritesNothing) {
  ASSERT_TRUE(Prepare(true));
  ASSERT_TRUE(search_->Start());
  EXPECT_EQ(search_->Wait(), SearchStatus::Succeeded);
  EXPECT_EQ(CountEntries(search_->ScanResult()), 2u);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));

  SearchJob refused(*playlist_, platform::ThreadStarts::Refused);
  ASSERT_TRUE(refused.Prepare(folder_.Join("music").c_str(), true));
  EXPECT_FALSE(refused.Start());
  EXPECT_EQ(refused.Wait(), SearchStatus::Failed);
}

// The scan result set by hand, with states and numbers a scan never writes.
class AppendTest : public SearchJobTest {
 protected:
  PlaylistTable& Found() { return const_cast<PlaylistTable&>(search_->ScanResult()); }
  void FoundSongs(uint32_t count, uint16_t state = STATE_UNTRANSFERRED) {
    for (uint32_t i = 0; i < count; ++i) {
      Found().entries[i] = MakeEntry(state, 0, "//new//" + std::to_string(i) + ".mp3", 100 + i);
    }
  }
};

// The new songs go in from the first gap on, as untransferred songs without
// a number; a foreign file's songs behind them stay as they were.
TEST_F(AppendTest, AppendsAsUntransferredFromTheFirstGap) {
  WritePlaylist({MakeEntry(1, 9, "//old.mp3", 5), PlaylistEntry{}, MakeEntry(0, 0, "//c.mp3", 1),
                 MakeEntry(0, 0, "//d.mp3", 1)});
  FoundSongs(2, STATE_PATH_TOO_LONG);
  Found().entries[1].transferNumber = 44;
  ASSERT_EQ(search_->AppendScanResult(), 1);
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

// An empty result still rewrites a short file whole; a table near its end
// takes only what fits, a full one fails unchanged.
TEST_F(AppendTest, AddsOnlyWhatFitsAndFailsWhenFull) {
  std::string one = PlaylistBytes({MakeEntry(0, 0, "//a.mp3", 1)});
  WriteFile(PLAYLIST_FILE_NAME, one.substr(0, RECORD_SIZE));
  ASSERT_EQ(search_->AppendScanResult(), 1);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), one);

  WritePlaylist(std::vector<PlaylistEntry>(3900, MakeEntry(0, 0, "//old.mp3", 1)));
  FoundSongs(300);
  ASSERT_EQ(search_->AppendScanResult(), 1);
  EXPECT_EQ(CountEntries(ReadPlaylist()), MAX_ENTRIES);
  EXPECT_STREQ(ReadPlaylist().entries[3999].path, "//new//99.mp3");

  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  EXPECT_EQ(search_->AppendScanResult(), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
}

}  // namespace
