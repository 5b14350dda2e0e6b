// The text of a playlist row and the order of the sorted list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/playlist_entry.h"

inline constexpr size_t DISPLAY_PATH_BYTES = 1024;
// Row prefix plus a path decoded to UTF-8 (at most three bytes per byte).
inline constexpr size_t ROW_TEXT_BYTES = 3 * PATH_LEN + 128;

// List values: 0 and 1 stand for the two header rows, i + 2 for slot i.
inline constexpr uint32_t FIRST_ENTRY_ROW_VALUE = 2;

// Copies at most `fieldBytes` bytes of `path` into `out` (DISPLAY_PATH_BYTES,
// zeroed first), dropping every separator byte ('/' or '\') that follows the
// same byte, so each run of separators shows as one.
void CollapseBackslashes(const char* path, size_t fieldBytes, char* out);

// Collapsed path as UTF-8 for the screen: valid UTF-8 is kept, anything else
// (a playlist written on Windows) is read as code page 932. Display only.
void MakeDisplayPath(const PlaylistEntry& entry, char* out, size_t outSize);

// "  state |  number  |       size |  slot+1  | path " for slot `slot`.
// Returns the length written.
int FormatPlaylistRow(uint32_t slot, const PlaylistEntry& entry, char* out, size_t outSize);

// Order of the sorted list for two row values of `table`: headers first,
// then by the rows' texts compared as unsigned bytes. -1, 0 or 1.
int ComparePlaylistRows(const PlaylistTable& table, uint32_t first, uint32_t second);

// At most "  65535 |  65535  | -2147483648 |  -2147483648  |  " and its zero.
inline constexpr size_t SORT_KEY_BYTES = 64;

// The sorted list's order, with its own scratch: one per front end, used
// by one thread at a time.
class RowSorter {
 public:
  // Sorts row values into the order of ComparePlaylistRows as a strict
  // weak order: header values (below FIRST_ENTRY_ROW_VALUE) first in their
  // given order, then the entries of `table` by their rows' texts. Each row
  // is formatted once, into this sorter's scratch; no allocation.
  void Sort(const PlaylistTable& table, uint32_t* values, uint32_t count);

 private:
  void SortEntries(const PlaylistTable& table, uint32_t* values, uint32_t count);

  // One key per position of the values being sorted.
  char sortKeys_[MAX_ENTRIES][SORT_KEY_BYTES];
  uint16_t order_[MAX_ENTRIES];
  uint32_t sorted_[MAX_ENTRIES];
};
