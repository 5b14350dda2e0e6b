// The random player's side of the main window: the one-second timer of
// continuous play, the beep and the hand-over to the user's player.
#pragma once

#include <QTimer>

#include "playback/continuous_play.h"
#include "playback/playback_host.h"

class QtPlaybackHost : public PlaybackHost {
 public:
  // The timer's ticks go to `continuous`.
  explicit QtPlaybackHost(ContinuousPlay& continuous);
  void StartContinuousTimer() override;
  void StopContinuousTimer() { timer_.stop(); }
  void Beep() override;
  void OpenSong(const char* storedPath) override;

 private:
  // Runs in every event loop, so also under modal windows.
  QTimer timer_;
};
