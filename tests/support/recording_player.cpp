#include "tests/support/recording_player.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/temp_folder.h"

namespace testing_support {

std::string WaitForFile(const std::string& path) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    std::string contents = ReadFile(path);
    if (!contents.empty()) return contents;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return "";
}

std::string WaitForLink(const std::string& path) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (!error) return target.string();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return "";
}

}  // namespace testing_support
