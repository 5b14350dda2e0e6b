// Random play at start-up, continuous play and the banner click, called
// from the main window's initialisation, timer and banner. Window thread.
#pragma once

#include <cstdint>

#include "playback/playback_host.h"
#include "playback/random_player.h"
#include "store/playlist.h"

inline constexpr uint32_t CONTINUOUS_TIMER_PERIOD_MS = 1000;

class ContinuousPlay {
 public:
  ContinuousPlay(const Playlist& playlist, RandomPlayer& player)
      : playlist_(playlist), player_(player) {}

  // kContinue starts continuous play, kStartUp opens one song; both need
  // the playlist present.
  void StartUp(PlaybackHost& host);
  // Each tick of the window's one-second timer; nothing while continuous
  // play is off.
  void OnTick(PlaybackHost& host);
  void OnBannerClick(PlaybackHost& host);
  // A song from the playlist window plays: continuous play waits until the
  // window closes and Resume is called.
  void Hold() {
    if (continuousPlay) playHold = true;
  }
  void Resume() { playHold = false; }

  bool Enabled() const { return continuousPlay; }
  uint32_t Countdown() const { return playCountdown; }
  bool Held() const { return playHold; }

 private:
  void OpenChosenSong(PlaybackHost& host);

  const Playlist& playlist_;
  RandomPlayer& player_;
  bool continuousPlay = false;  // set for the run by StartUp
  uint32_t playCountdown = 0;   // ticks left before the next song
  bool playHold = false;        // a song from the playlist window plays
};
