#include "playback/continuous_play.h"

#include <cstring>

#include "playback/marker_files.h"
#include "playback/play_time.h"
#include "playback/random_play_generator.h"
#include "playback/random_player.h"
#include "store/playlist_file.h"
#include "store/presence_flags.h"

int32_t g_continuousPlay = 0;
uint32_t g_playCountdown = 0;
int32_t g_playHold = 0;

namespace {

bool SongChosen() { return g_chosenSong[0] != '\0'; }

void OpenChosenSong(PlaybackHost& host) {
  host.OpenSong(g_chosenSong);
  g_playHold = 0;
}

}  // namespace

void StartUpPlayback(PlaybackHost& host) {
  g_continuousPlay = 0;
  g_playHold = 0;
  if (g_playlistPresent == 1 && IsFilePresent(CONTINUE_MARKER_NAME)) {
    g_continuousPlay = 1;
    host.StartContinuousTimer();
  }
  g_randomTableLoads = 0;
  if (g_playlistPresent != 1 || !IsFilePresent(STARTUP_MARKER_NAME)) return;
  PickRandomSong();
  if (!SongChosen()) return;
  if (g_continuousPlay == 1) g_playCountdown = GetSongSeconds(g_chosenSong);
  OpenChosenSong(host);
}

void OnContinuousTick(PlaybackHost& host) {
  if (g_continuousPlay != 1) return;
  if (g_playCountdown != 0) {
    --g_playCountdown;
    return;
  }
  if (g_playHold == 1) return;
  PickRandomSong();
  if (!SongChosen()) return;
  g_playCountdown = GetSongSeconds(g_chosenSong);
  OpenChosenSong(host);
}

void OnBannerClick(PlaybackHost& host) {
  if (g_playlistPresent != 1) return;
  PickRandomSong();
  if (!SongChosen()) return;
  host.Beep();
  if (g_continuousPlay == 1) g_playCountdown = GetSongSeconds(g_chosenSong);
  OpenChosenSong(host);
}

void ResetPlaybackState() {
  g_continuousPlay = 0;
  g_playCountdown = 0;
  g_playHold = 0;
  g_randomTableLoads = 0;
  std::memset(g_chosenSong, 0, sizeof g_chosenSong);
  SetRandomPlayDraw(nullptr);
}
