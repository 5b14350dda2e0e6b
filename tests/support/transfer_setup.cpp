#include "tests/support/transfer_setup.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

#include "platform/random_generator.h"
#include "store/playlist_file.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/song_bytes.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"

namespace testing_support {

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TransferSetup::TransferSetup() {
  MakeFolders("kMp3");
  MakeFolders("music");
  g_transferProgress.songsCopied = 0;
  g_transferProgress.songsMissing = 0;
}

TransferSetup::~TransferSetup() {
  SetRandomClockForTesting(nullptr);
  g_transferProgress.status = TRANSFER_IDLE;
  g_transferStopRequested = false;
}

PlaylistEntry TransferSetup::Song(const std::string& name, uint32_t recorded, size_t bytes) {
  WriteFile("music/" + name, SongBytes(bytes, nextSeed_++));
  uint32_t size = recorded != 0 ? recorded : static_cast<uint32_t>(bytes);
  return MakeEntry(STATE_UNTRANSFERRED, 0, Stored(folder_.Join("music/" + name)), size);
}

PlaylistEntry TransferSetup::Missing(const std::string& name) {
  return MakeEntry(STATE_UNTRANSFERRED, 0, Stored(folder_.Join("gone/" + name)), 1000);
}

int32_t TransferSetup::Run(int32_t capacityMb) {
  PrepareTransfer(capacityMb);
  int32_t result = TransferThreadProc(nullptr, nullptr);
  EXPECT_EQ(g_transferProgress.status.load(), TRANSFER_FINISHED);
  g_transferProgress.status = TRANSFER_IDLE;
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
  std::vector<std::string> expected;
  for (const auto& [number, slot] : SentNumbers()) {
    // The stored path works as it is: doubled separators are harmless.
    std::string source(table.entries[slot].path, strnlen(table.entries[slot].path, PATH_LEN));
    size_t dot = source.rfind('.');
    char name[300];
    std::snprintf(name, sizeof name, "%04u.%s", number,
                  dot == std::string::npos || dot == 0 ? "" : source.c_str() + dot + 1);
    expected.push_back(name);
    EXPECT_EQ(ReadFile(std::string("kMp3/") + name), ReadFile(source)) << name;
  }
  std::sort(expected.begin(), expected.end());
  if (unrecorded == 0) {
    EXPECT_EQ(TargetNames(), expected);
    return;
  }
  std::set<std::string> songs;
  for (const std::string& name : NamesIn("music")) songs.insert(ReadFile("music/" + name));
  size_t extra = 0;
  for (const std::string& name : TargetNames()) {
    if (name[0] == '.' || std::binary_search(expected.begin(), expected.end(), name)) continue;
    ++extra;
    EXPECT_EQ(songs.count(ReadFile("kMp3/" + name)), 1u) << name << " is no whole song";
  }
  EXPECT_LE(extra, unrecorded);
  for (const std::string& name : expected) EXPECT_TRUE(Exists("kMp3/" + name)) << name;
}

}  // namespace testing_support
