// Start-up play, continuous play, the hold and the banner, driven tick by
// tick without a window (the CLI's startup test switches the marker).
#include <sys/stat.h>

#include "playback/continuous_play.h"
#include "tests/support/core_test.h"
#include "tests/support/mp3_builder.h"
#include "tests/support/recording_player.h"

using Ticks = std::vector<int>;

namespace {

constexpr int kGap = 7;  // ticks from one song to the next: 3 s (115 frames), the 3-s margin, 1

enum Setting { TIMED, UNTIMED, NO_PLAYLIST, READ_ONLY_MARKERS };

class ContinuousPlayTest : public ::testing::Test {
 protected:
  // A new run over three songs of 3 s (of unknown length when UNTIMED) with
  // the given markers; start-up is tick 0.
  void StartUp(const std::vector<std::string>& markers, Setting run = TIMED) {
    host_ = RecordingHost{};
    playlist_ = std::make_unique<Playlist>();
    player_ = std::make_unique<RandomPlayer>();
    continuous_ = std::make_unique<ContinuousPlay>(*playlist_, *player_);
    playlist_->playlistPresent = run != NO_PLAYLIST;
    std::vector<PlaylistEntry> entries;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
      WriteFile(name,
                run != UNTIMED ? XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, 115) : "?");
      entries.push_back(MakeEntry(0, 0, Stored(folder_.Join(name)), 417));
    }
    WritePlaylist(entries);
    for (const char* marker : {"kContinue", "kStartUp"}) std::filesystem::remove(marker);
    for (const std::string& marker : markers) WriteFile(marker, "");
    for (const std::string& marker : markers)
      chmod(marker.c_str(), run == READ_ONLY_MARKERS ? 0444 : 0644);
    continuous_->StartUp(host_);
  }
  // The window's one-second timer, as if it ran even without continuous play.
  void Tick(int count) {
    while (count-- > 0) {
      ++host_.tick;
      continuous_->OnTick(host_);
    }
  }
  TempFolder folder_;
  RecordingHost host_;
  std::unique_ptr<Playlist> playlist_;
  std::unique_ptr<RandomPlayer> player_;
  std::unique_ptr<ContinuousPlay> continuous_;
};

// Three songs in all, each played once; one of unknown length is followed
// on the next tick. Markers need a playlist and must be writable.
TEST_F(ContinuousPlayTest, MarkersDecideWhatStartUpAndTheTimerOpen) {
  struct Case {
    std::vector<std::string> markers;
    Setting run;
    int timerStarts;
    Ticks openedAt;
  };
  for (const Case& c :
       {Case{{"kContinue"}, TIMED, 1, {1, 1 + kGap, 1 + 2 * kGap}},
        Case{{"kContinue"}, UNTIMED, 1, {1, 2, 3}},
        Case{{"kContinue", "kStartUp"}, TIMED, 1, {0, kGap, 2 * kGap}},
        Case{{"kStartUp"}, TIMED, 0, {0}}, Case{{"kContinue", "kStartUp"}, NO_PLAYLIST, 0, {}},
        Case{{"kContinue", "kStartUp"}, READ_ONLY_MARKERS, 0, {}}}) {
    SCOPED_TRACE(testing::PrintToString(c.markers) + " run " + std::to_string(c.run));
    StartUp(c.markers, c.run);
    EXPECT_EQ(host_.timerStarts, c.timerStarts);
    Tick(30);
    EXPECT_EQ(host_.openedAt, c.openedAt);
    EXPECT_EQ(host_.beeps, 0);
  }
}

TEST_F(ContinuousPlayTest, HoldLetsTheCountRunOutButOpensNothing) {
  StartUp({"kContinue"});
  Tick(3);
  continuous_->Hold();
  Tick(27);
  continuous_->Resume();  // the playlist window has closed
  Tick(1);
  continuous_->Hold();  // ending before the count runs out changes nothing
  Tick(2);
  continuous_->Resume();
  Tick(10);
  EXPECT_EQ(host_.openedAt, (Ticks{1, 31, 31 + kGap}));
}

// A click restarts the count and ends a hold; it needs a playlist and a song.
TEST_F(ContinuousPlayTest, BannerClick) {
  StartUp({"kContinue"});
  Tick(3);
  continuous_->Hold();
  continuous_->OnBannerClick(host_);
  EXPECT_EQ(host_.beeps, 1);
  EXPECT_FALSE(continuous_->Held());
  Tick(20);
  EXPECT_EQ(host_.openedAt, (Ticks{1, 3, 3 + kGap}));

  StartUp({});
  playlist_->playlistPresent = false;
  continuous_->OnBannerClick(host_);
  EXPECT_EQ(host_.beeps, 0);
  playlist_->playlistPresent = true;  // created during the run
  for (int click = 0; click < 5; ++click) continuous_->OnBannerClick(host_);
  EXPECT_EQ(host_.beeps, 3);
  EXPECT_EQ(host_.openedAt.size(), 3u);
  EXPECT_EQ(continuous_->Countdown(), 0u);  // not timed without continuous play
}

}  // namespace
