#include "ui/qt_playback_host.h"

#include <QApplication>

#include "playback/continuous_play.h"
#include "playback/song_opener.h"

QtPlaybackHost::QtPlaybackHost() {
  timer_.setInterval(static_cast<int>(CONTINUOUS_TIMER_PERIOD_MS));
  QObject::connect(&timer_, &QTimer::timeout, [this] { OnContinuousTick(*this); });
}

void QtPlaybackHost::StartContinuousTimer() { timer_.start(); }

void QtPlaybackHost::Beep() { QApplication::beep(); }

void QtPlaybackHost::OpenSong(const char* storedPath) { OpenSongInShell(storedPath); }
