#include "tests/support/playlist_builder.h"

#include <cstring>

#include "store/playlist_file.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

PlaylistEntry MakeEntry(uint16_t state, uint16_t number, const std::string& path, uint32_t size) {
  PlaylistEntry entry{};
  entry.state = state;
  entry.transferNumber = number;
  std::memcpy(entry.path, path.data(), std::min(path.size(), PATH_LEN));
  entry.fileSize = size;
  return entry;
}

std::string PlaylistBytes(const std::vector<PlaylistEntry>& entries) {
  std::string bytes(TABLE_BYTES, '\0');
  for (size_t i = 0; i < entries.size() && i < MAX_ENTRIES; ++i) {
    std::memcpy(bytes.data() + i * RECORD_SIZE, &entries[i], RECORD_SIZE);
  }
  return bytes;
}

void WritePlaylist(const std::vector<PlaylistEntry>& entries) {
  WriteFile(PLAYLIST_FILE_NAME, PlaylistBytes(entries));
}

const PlaylistTable& ReadPlaylist() {
  static PlaylistTable table;
  std::memset(&table, 0, sizeof table);
  std::string bytes = ReadFile(PLAYLIST_FILE_NAME);
  std::memcpy(&table, bytes.data(), std::min(bytes.size(), TABLE_BYTES));
  return table;
}

std::string Stored(const std::string& path) {
  std::string stored;
  for (char c : path) {
    stored += c;
    if (c == '/') stored += '/';
  }
  return stored;
}

}  // namespace testing_support
