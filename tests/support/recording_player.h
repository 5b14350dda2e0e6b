// A player that records what it is asked to do, and waits for what a real
// one started in the background leaves behind.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "playback/playback_host.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

// Counts timer starts and beeps; notes each song with the tick it came at.
struct RecordingHost : PlaybackHost {
  void StartContinuousTimer() override { ++timerStarts; }
  void Beep() override { ++beeps; }
  void OpenSong(const char* storedPath) override {
    opened.push_back(storedPath);
    openedAt.push_back(tick);
  }
  int timerStarts = 0, beeps = 0, tick = 0;
  std::vector<std::string> opened;
  std::vector<int> openedAt;
};

// Whether `done` came to hold within twenty seconds.
template <typename Condition>
bool WaitUntil(Condition done) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// The contents of `path` once it exists and is not empty; empty when that
// does not happen in time.
inline std::string WaitForFile(const std::string& path) {
  std::string contents;
  WaitUntil([&] { return !(contents = ReadFile(path)).empty(); });
  return contents;
}

// Where the symbolic link `path` leads once it exists, or empty. With
// "ln -s -t FOLDER" as the command, a program handed a path leaves such a
// link behind.
inline std::string WaitForLink(const std::string& path) {
  std::string target;
  WaitUntil([&] {
    std::error_code error;
    return !(target = std::filesystem::read_symlink(path, error).string()).empty();
  });
  return target;
}

}  // namespace testing_support
