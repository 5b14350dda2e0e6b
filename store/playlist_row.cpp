#include "store/playlist_row.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/text_encoding.h"
#include "store/store_texts.h"
#include "store/stored_path.h"

void CollapseBackslashes(const char* path, size_t fieldBytes, char* out) {
  std::memset(out, 0, DISPLAY_PATH_BYTES);
  CollapseSeparatorRuns(path, fieldBytes, "/\\", out, DISPLAY_PATH_BYTES);
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

namespace {

int FormatRowWithPath(uint32_t slot, const PlaylistEntry& entry, const char* shownPath, char* out,
                      size_t outSize) {
  int length =
      std::snprintf(out, outSize, PLAYLIST_ROW_FORMAT, static_cast<int>(entry.state),
                    static_cast<int>(entry.transferNumber), static_cast<int32_t>(entry.fileSize),
                    static_cast<int>(slot + 1), shownPath);
  return length < 0 ? 0 : length;
}

}  // namespace

int FormatPlaylistRow(uint32_t slot, const PlaylistEntry& entry, char* out, size_t outSize) {
  char shown[3 * PATH_LEN + 1];
  MakeDisplayPath(entry, shown, sizeof shown);
  return FormatRowWithPath(slot, entry, shown, out, outSize);
}

namespace {

const PlaylistEntry& EntryOfValue(const PlaylistTable& table, uint32_t value) {
  static const PlaylistEntry kBlank{};
  uint32_t slot = value - FIRST_ENTRY_ROW_VALUE;
  return slot < MAX_ENTRIES ? table.entries[slot] : kBlank;
}

void FormatRowValue(const PlaylistTable& table, uint32_t value, char* out) {
  FormatPlaylistRow(value - FIRST_ENTRY_ROW_VALUE, EntryOfValue(table, value), out,
                    ROW_TEXT_BYTES);
}

// The row text with an empty path, which shares every byte before the path
// with the whole text. Two values' texts already differ there: each field
// is a number ended by a blank, so fields that differ do so at or before
// the shorter one's blank, and two values never share a registration
// number. So these keys order rows exactly as their whole texts do, and no
// path is collapsed or decoded.
void FormatSortKey(const PlaylistTable& table, uint32_t value, char* out) {
  FormatRowWithPath(value - FIRST_ENTRY_ROW_VALUE, EntryOfValue(table, value), "", out,
                    SORT_KEY_BYTES);
}

}  // namespace

// Sorts entry values (none below FIRST_ENTRY_ROW_VALUE), at most MAX_ENTRIES,
// by their keys: the keys are sorted as indices into sortKeys_, so each row
// is formatted once and the comparison is a plain string order.
void RowSorter::SortEntries(const PlaylistTable& table, uint32_t* values, uint32_t count) {
  if (count == 0) return;  // values may then be null
  for (uint32_t i = 0; i < count; ++i) {
    FormatSortKey(table, values[i], sortKeys_[i]);
    order_[i] = static_cast<uint16_t>(i);
  }
  std::sort(order_, order_ + count,
            [this](uint16_t a, uint16_t b) { return std::strcmp(sortKeys_[a], sortKeys_[b]) < 0; });
  for (uint32_t i = 0; i < count; ++i) sorted_[i] = values[order_[i]];
  std::memcpy(values, sorted_, count * sizeof *values);
}

int ComparePlaylistRows(const PlaylistTable& table, uint32_t first, uint32_t second) {
  if (first < FIRST_ENTRY_ROW_VALUE) return -1;
  if (second < FIRST_ENTRY_ROW_VALUE) return 1;
  char firstText[ROW_TEXT_BYTES];
  char secondText[ROW_TEXT_BYTES];
  FormatRowValue(table, first, firstText);
  FormatRowValue(table, second, secondText);
  int order = std::strcmp(firstText, secondText);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void RowSorter::Sort(const PlaylistTable& table, uint32_t* values, uint32_t count) {
  uint32_t headers = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (values[i] < FIRST_ENTRY_ROW_VALUE) std::swap(values[headers++], values[i]);
  }
  uint32_t entries = count - headers;
  if (entries <= MAX_ENTRIES) {
    SortEntries(table, values + headers, entries);
    return;
  }
  // More values than a table has slots, so some repeat: the same keys,
  // formatted on every comparison.
  std::sort(values + headers, values + count, [&table](uint32_t a, uint32_t b) {
    char first[SORT_KEY_BYTES];
    char second[SORT_KEY_BYTES];
    FormatSortKey(table, a, first);
    FormatSortKey(table, b, second);
    return std::strcmp(first, second) < 0;
  });
}
