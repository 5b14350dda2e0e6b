// What the random player needs of the window that runs it.
#pragma once

class PlaybackHost {
 public:
  virtual ~PlaybackHost() = default;
  // A timer every CONTINUOUS_TIMER_PERIOD_MS, calling OnContinuousTick,
  // until the end.
  virtual void StartContinuousTimer() = 0;
  virtual void Beep() = 0;
  // Plays the stored path without waiting, normally by OpenSongInShell.
  virtual void OpenSong(const char* storedPath) = 0;
};
