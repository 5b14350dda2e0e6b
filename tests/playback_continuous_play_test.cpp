// Start-up play, continuous play, the hold and the banner, driven tick by
// tick without a window; and switching the start-up marker.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <vector>

#include "playback/continuous_play.h"
#include "playback/marker_files.h"
#include "playback/random_player.h"
#include "store/presence_flags.h"
#include "tests/support/mp3_builder.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

constexpr int kGap = 7;  // ticks from one song to the next: 3 s (115 frames), the 3-s margin, 1

struct RecordingHost : PlaybackHost {
  void StartContinuousTimer() override { ++timerStarts; }
  void Beep() override { ++beeps; }
  void OpenSong(const char* storedPath) override {
    openedAt.push_back(tick);
    opened.insert(storedPath);
  }
  int timerStarts = 0, beeps = 0, tick = 0;
  std::vector<int> openedAt;
  std::set<std::string> opened;
};

class ContinuousPlayTest : public ::testing::Test {
 protected:
  // Three songs of 3 s, or of unknown length, and only the given markers.
  void Prepare(const std::vector<std::string>& markers, bool timed = true) {
    host_ = RecordingHost{};
    g_playlistPresent = 1;
    g_continuousPlay = g_playHold = 0;  // start-up itself begins a new run of the random player
    g_playCountdown = 0;
    std::vector<PlaylistEntry> entries;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
      WriteFile(name, timed ? XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, 115) : "?");
      entries.push_back(MakeEntry(0, 0, Stored(folder_.Join(name)), 417));
    }
    WritePlaylist(entries);
    std::filesystem::remove("kContinue");
    std::filesystem::remove("kStartUp");
    for (const std::string& marker : markers) WriteFile(marker, "");
  }
  // The main window's timer handler.
  void Tick(int count) {
    for (int i = 0; i < count; ++i) {
      ++host_.tick;
      if (IsContinuousTick(CONTINUOUS_TIMER_ID)) OnContinuousTick(host_);
    }
  }
  TempFolder folder_;
  RecordingHost host_;
};

// The ticks at which songs open; start-up itself is tick 0. Each song
// plays once; one of unknown length is followed on the next tick.
TEST_F(ContinuousPlayTest, MarkersDecideWhatStartUpAndTheTimerOpen) {
  struct Case {
    std::vector<std::string> markers;
    bool timed;
    std::vector<int> openedAt;
  };
  for (const Case& c : {Case{{"kContinue"}, true, {1, 1 + kGap, 1 + 2 * kGap}},
                        Case{{"kContinue"}, false, {1, 2, 3}},
                        Case{{"kContinue", "kStartUp"}, true, {0, kGap, 2 * kGap}},
                        Case{{"kStartUp"}, true, {0}}}) {
    Prepare(c.markers, c.timed);
    StartUpPlayback(host_);
    EXPECT_EQ(host_.timerStarts, c.markers[0] == "kContinue" ? 1 : 0);
    Tick(30);
    EXPECT_EQ(host_.openedAt, c.openedAt) << c.markers.size() << c.timed;
    EXPECT_EQ(host_.opened.size(), c.openedAt.size());
    EXPECT_EQ(host_.beeps, 0);
  }
}

TEST_F(ContinuousPlayTest, MarkersNeedAPlaylistAndMustBeWritable) {
  Prepare({"kContinue", "kStartUp"});
  g_playlistPresent = 0;
  StartUpPlayback(host_);
  g_playlistPresent = 1;
  chmod("kContinue", 0444);
  chmod("kStartUp", 0444);
  StartUpPlayback(host_);
  EXPECT_EQ(host_.timerStarts, 0);
  EXPECT_EQ(g_continuousPlay, 0);
  EXPECT_TRUE(host_.openedAt.empty());
}

TEST_F(ContinuousPlayTest, HoldLetsTheCountRunOutButOpensNothing) {
  Prepare({"kContinue"});
  StartUpPlayback(host_);
  Tick(3);
  g_playHold = 1;
  Tick(27);
  g_playHold = 0;  // the playlist window has closed
  Tick(1);
  EXPECT_EQ(host_.openedAt, (std::vector<int>{1, 31}));
  g_playHold = 1;  // ending before the count runs out changes nothing
  Tick(2);
  g_playHold = 0;
  Tick(10);
  EXPECT_EQ(host_.openedAt, (std::vector<int>{1, 31, 31 + kGap}));
}

TEST_F(ContinuousPlayTest, BannerClickRestartsTheCountAndEndsAHold) {
  Prepare({"kContinue"});
  StartUpPlayback(host_);
  Tick(3);
  g_playHold = 1;
  OnBannerClick(host_);
  EXPECT_EQ(host_.beeps, 1);
  EXPECT_EQ(g_playHold, 0);
  Tick(20);
  EXPECT_EQ(host_.openedAt, (std::vector<int>{1, 3, 3 + kGap}));
}

TEST_F(ContinuousPlayTest, BannerNeedsAPlaylistAndASong) {
  Prepare({});
  StartUpPlayback(host_);
  g_playlistPresent = 0;
  OnBannerClick(host_);
  EXPECT_EQ(host_.beeps, 0);
  g_playlistPresent = 1;  // created during the run
  for (int click = 0; click < 5; ++click) OnBannerClick(host_);
  EXPECT_EQ(host_.beeps, 3);
  EXPECT_EQ(host_.opened.size(), 3u);
  EXPECT_EQ(g_playCountdown, 0u);  // not timed without continuous play
}

// On creates or empties the marker, off deletes it; neither works on a
// read-only marker or a folder of its name.
TEST(MarkerFilesTest, OnCreatesOrEmptiesTheMarkerOffDeletesIt) {
  TempFolder folder;
  WriteFile("kStartUp", "left by hand");
  ASSERT_TRUE(SetStartUpMarker(true));
  EXPECT_EQ(ReadFile("kStartUp"), "");
  EXPECT_TRUE(SetStartUpMarker(false));
  EXPECT_FALSE(Exists("kStartUp"));
  EXPECT_FALSE(SetStartUpMarker(false));  // already gone
  WriteFile("kStartUp", "kept");
  chmod("kStartUp", 0444);
  EXPECT_FALSE(SetStartUpMarker(true));
  EXPECT_EQ(ReadFile("kStartUp"), "kept");
  ASSERT_TRUE(SetStartUpMarker(false));
  MakeFolders("kStartUp");
  EXPECT_FALSE(SetStartUpMarker(true));
  EXPECT_FALSE(SetStartUpMarker(false));
}

}  // namespace
