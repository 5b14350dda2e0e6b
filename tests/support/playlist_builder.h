// Builds playlist records and kPlayLst.dat files for tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

inline PlaylistEntry MakeEntry(uint16_t state, uint16_t number, const std::string& path,
                               uint32_t size) {
  PlaylistEntry entry{};
  entry.state = state;
  entry.transferNumber = number;
  std::memcpy(entry.path, path.data(), std::min(path.size(), PATH_LEN));
  entry.fileSize = size;
  return entry;
}

// The bytes of a whole kPlayLst.dat holding `entries` from slot 0.
inline std::string PlaylistBytes(const std::vector<PlaylistEntry>& entries) {
  std::string bytes(TABLE_BYTES, '\0');
  for (size_t i = 0; i < entries.size() && i < MAX_ENTRIES; ++i) {
    std::memcpy(bytes.data() + i * RECORD_SIZE, &entries[i], RECORD_SIZE);
  }
  return bytes;
}

inline void WritePlaylist(const std::vector<PlaylistEntry>& entries) {
  WriteFile(PLAYLIST_FILE_NAME, PlaylistBytes(entries));
}

// Reads kPlayLst.dat of the current folder back into a table image, valid
// until the next call.
inline const PlaylistTable& ReadPlaylist() {
  static PlaylistTable table;
  std::memset(&table, 0, sizeof table);
  std::string bytes = ReadFile(PLAYLIST_FILE_NAME);
  std::memcpy(&table, bytes.data(), std::min(bytes.size(), TABLE_BYTES));
  return table;
}

// A path in stored form: every '/' of `path` doubled.
inline std::string Stored(const std::string& path) {
  std::string stored;
  for (char c : path) {
    stored += c;
    if (c == '/') stored += '/';
  }
  return stored;
}

}  // namespace testing_support
