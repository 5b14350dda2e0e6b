// Waits for what a program started in the background leaves behind: the
// contents of `path` once it exists and is not empty, or where the symbolic
// link `path` leads once it exists (with "ln -s -t FOLDER" as the command,
// a program handed a path leaves such a link behind). Empty when that does
// not happen within twenty seconds.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

namespace testing_support {

template <typename Look>
std::string WaitForResult(Look look) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    if (std::string found = look(); !found.empty()) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return "";
}

inline std::string WaitForFile(const std::string& path) {
  return WaitForResult([&] { return ReadFile(path); });
}

inline std::string WaitForLink(const std::string& path) {
  return WaitForResult([&] {
    std::error_code error;
    return std::filesystem::read_symlink(path, error).string();
  });
}

}  // namespace testing_support
