#include "store/playlist_row.h"

#include <cstdio>
#include <cstring>

#include "platform/text_encoding.h"
#include "store/store_texts.h"
#include "store/table_images.h"

void CollapseBackslashes(const char* path, size_t fieldBytes, char* out) {
  std::memset(out, 0, DISPLAY_PATH_BYTES);
  size_t written = 0;
  char previous = '\0';
  for (size_t i = 0; i < fieldBytes && path[i] != '\0' && written < DISPLAY_PATH_BYTES - 1; ++i) {
    char byte = path[i];
    bool separator = byte == '/' || byte == '\\';
    if (!(separator && byte == previous)) out[written++] = byte;
    previous = byte;
  }
}

void MakeDisplayPath(const PlaylistEntry& entry, char* out, size_t outSize) {
  char collapsed[DISPLAY_PATH_BYTES];
  CollapseBackslashes(entry.path, PATH_LEN, collapsed);
  size_t length = std::strlen(collapsed);
  if (platform::IsValidUtf8(collapsed, length)) {
    std::snprintf(out, outSize, "%s", collapsed);
  } else {
    platform::DecodeCp932(collapsed, length, out, outSize);
  }
}

int FormatPlaylistRow(uint32_t slot, const PlaylistEntry& entry, char* out, size_t outSize) {
  char shown[3 * PATH_LEN + 1];
  MakeDisplayPath(entry, shown, sizeof shown);
  int length =
      std::snprintf(out, outSize, PLAYLIST_ROW_FORMAT, static_cast<int>(entry.state),
                    static_cast<int>(entry.transferNumber), static_cast<int32_t>(entry.fileSize),
                    static_cast<int>(slot + 1), shown);
  return length < 0 ? 0 : length;
}

namespace {

void FormatRowValue(uint32_t value, char* out) {
  static const PlaylistEntry kBlank{};
  uint32_t slot = value - FIRST_ENTRY_ROW_VALUE;
  const PlaylistEntry& entry = slot < MAX_ENTRIES ? g_workingTable.entries[slot] : kBlank;
  FormatPlaylistRow(slot, entry, out, ROW_TEXT_BYTES);
}

}  // namespace

int ComparePlaylistRows(uint32_t first, uint32_t second) {
  if (first < FIRST_ENTRY_ROW_VALUE) return -1;
  if (second < FIRST_ENTRY_ROW_VALUE) return 1;
  char firstText[ROW_TEXT_BYTES];
  char secondText[ROW_TEXT_BYTES];
  FormatRowValue(first, firstText);
  FormatRowValue(second, secondText);
  int order = std::strcmp(firstText, secondText);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}
