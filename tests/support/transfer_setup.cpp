#include "tests/support/transfer_setup.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

#include "store/playlist_file.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/song_bytes.h"

namespace testing_support {

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TransferSetup::TransferSetup(TransferOptions options)
    : playlist_(std::make_unique<Playlist>()),
      job_(std::make_unique<TransferJob>(*playlist_, options)) {
  MakeFolders("kMp3");
  MakeFolders("music");
}

PlaylistEntry TransferSetup::Song(const std::string& name, uint32_t recorded, size_t bytes) {
  WriteFile("music/" + name, SongBytes(bytes, nextSeed_++));
  uint32_t size = recorded != 0 ? recorded : static_cast<uint32_t>(bytes);
  return MakeEntry(STATE_UNTRANSFERRED, 0, Stored(folder_.Join("music/" + name)), size);
}

PlaylistEntry TransferSetup::Missing(const std::string& name) {
  return MakeEntry(STATE_UNTRANSFERRED, 0, Stored(folder_.Join("gone/" + name)), 1000);
}

std::vector<PlaylistEntry> TransferSetup::WriteSongs(int count, size_t bytes) {
  std::vector<PlaylistEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back(Song(std::to_string(i) + ".mp3", 0, bytes));
  WritePlaylist(entries);
  return entries;
}

int32_t TransferSetup::Run(int32_t capacityMb, const TransferObserver* observer) {
  int32_t result = job_->RunHere(capacityMb, observer);
  EXPECT_EQ(progress().status.load(), TransferStatus::Finished);
  progress().status = TransferStatus::Idle;
  return result;
}

std::map<uint32_t, uint32_t> TransferSetup::SentNumbers() const {
  const PlaylistTable& table = ReadPlaylist();
  std::map<uint32_t, uint32_t> numbers;
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    const PlaylistEntry& entry = table.entries[slot];
    if (entry.state == STATE_TRANSFERRED) numbers[entry.transferNumber] = slot;
  }
  return numbers;
}

void TransferSetup::ExpectFolderMatchesPlaylist(size_t unrecorded) const {
  const PlaylistTable& table = ReadPlaylist();
  std::set<std::string> expected;
  for (const auto& [number, slot] : SentNumbers()) {
    // The stored path works as it is: doubled separators are harmless.
    std::string source(table.entries[slot].path, strnlen(table.entries[slot].path, PATH_LEN));
    size_t dot = source.rfind('.');
    char name[16];
    std::snprintf(name, sizeof name, "%04u.", number);
    std::string copy = name + (dot == std::string::npos || dot == 0 ? "" : source.substr(dot + 1));
    expected.insert(copy);
    EXPECT_TRUE(Exists("kMp3/" + copy)) << copy;
    EXPECT_EQ(ReadFile("kMp3/" + copy), ReadFile(source)) << copy;
  }
  auto isWholeSong = [](const std::string& bytes) {
    for (const std::string& name : NamesIn("music")) {
      if (ReadFile("music/" + name) == bytes) return true;
    }
    return false;
  };
  size_t extra = 0;
  for (const std::string& name : TargetNames()) {
    if (expected.count(name) != 0 || (unrecorded != 0 && name[0] == '.')) continue;
    ++extra;
    EXPECT_TRUE(unrecorded != 0 && isWholeSong(ReadFile("kMp3/" + name))) << name;
  }
  EXPECT_LE(extra, unrecorded);
}

}  // namespace testing_support
