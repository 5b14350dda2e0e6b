// Random play at start-up, continuous play and the banner click, called
// from the main window's initialisation, timer and banner. Window thread.
#pragma once

#include <cstdint>

#include "playback/playback_host.h"

inline constexpr uint32_t CONTINUOUS_TIMER_PERIOD_MS = 1000;

extern int32_t g_continuousPlay;  // set for the run by StartUpPlayback
extern uint32_t g_playCountdown;  // ticks left before the next song
extern int32_t g_playHold;        // 1 while a song from the playlist window plays

// kContinue starts continuous play, kStartUp opens one song; both need
// g_playlistPresent.
void StartUpPlayback(PlaybackHost& host);
// Each tick of the window's one-second timer; nothing while continuous
// play is off.
void OnContinuousTick(PlaybackHost& host);
void OnBannerClick(PlaybackHost& host);

// Every playback global back to its start value, the random player's draws
// to the generator: a fresh run within the same process.
void ResetPlaybackState();
