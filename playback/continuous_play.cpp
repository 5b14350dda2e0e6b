#include "playback/continuous_play.h"

#include "playback/marker_files.h"
#include "playback/play_time.h"
#include "store/playlist_file.h"

void ContinuousPlay::OpenChosenSong(PlaybackHost& host) {
  host.OpenSong(player_.ChosenSong());
  playHold = false;
}

void ContinuousPlay::StartUp(PlaybackHost& host) {
  continuousPlay = false;
  playHold = false;
  if (playlist_.playlistPresent && IsFilePresent(CONTINUE_MARKER_NAME)) {
    continuousPlay = true;
    host.StartContinuousTimer();
  }
  player_.Reload();
  if (!playlist_.playlistPresent || !IsFilePresent(STARTUP_MARKER_NAME)) return;
  player_.PickRandomSong();
  if (!player_.SongChosen()) return;
  if (continuousPlay) playCountdown = GetSongSeconds(player_.ChosenSong());
  OpenChosenSong(host);
}

void ContinuousPlay::OnTick(PlaybackHost& host) {
  if (!continuousPlay) return;
  if (playCountdown != 0) {
    --playCountdown;
    return;
  }
  if (playHold) return;
  player_.PickRandomSong();
  if (!player_.SongChosen()) return;
  playCountdown = GetSongSeconds(player_.ChosenSong());
  OpenChosenSong(host);
}

void ContinuousPlay::OnBannerClick(PlaybackHost& host) {
  if (!playlist_.playlistPresent) return;
  player_.PickRandomSong();
  if (!player_.SongChosen()) return;
  host.Beep();
  if (continuousPlay) playCountdown = GetSongSeconds(player_.ChosenSong());
  OpenChosenSong(host);
}
