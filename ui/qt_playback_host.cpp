#include "ui/qt_playback_host.h"

#include <QApplication>

#include "playback/song_opener.h"

QtPlaybackHost::QtPlaybackHost(ContinuousPlay& continuous) {
  timer_.setInterval(static_cast<int>(CONTINUOUS_TIMER_PERIOD_MS));
  QObject::connect(&timer_, &QTimer::timeout, [this, &continuous] { continuous.OnTick(*this); });
}

void QtPlaybackHost::StartContinuousTimer() { timer_.start(); }

void QtPlaybackHost::Beep() { QApplication::beep(); }

void QtPlaybackHost::OpenSong(const char* storedPath) { OpenSongInShell(storedPath); }
