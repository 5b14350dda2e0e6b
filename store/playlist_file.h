// Loading and saving kPlayLst.dat as a whole image, and why it last failed.
#pragma once

#include <cstdint>

#include "store/playlist.h"
#include "store/playlist_entry.h"

inline constexpr char PLAYLIST_FILE_NAME[] = "kPlayLst.dat";

// Each operation records why it failed in `failure`, when given.

// Reads up to TABLE_BYTES into the start of `image`. Returns the bytes read
// (a short file is no error) or -1 when the file can't be opened; then the
// image is untouched. Callers zero the image first.
int32_t LoadTable(const char* fileName, PlaylistTable* image, FailureRecord* failure = nullptr);

// Writes the first `byteCount` bytes of `image` (at most TABLE_BYTES) as the
// whole file. Returns 0, or -1 when the file could not be written; a failed
// save leaves the old file as it was, never a shortened one.
[[nodiscard]] int32_t SaveTable(const char* fileName, const PlaylistTable* image,
                                uint32_t byteCount, FailureRecord* failure = nullptr);

// Writes the record of `slot` in place in the existing file, flushed, the
// rest of the file untouched: a sent song is on record at once. 0 or -1.
[[nodiscard]] int32_t SaveRecord(const char* fileName, const PlaylistTable* image, uint32_t slot,
                                 FailureRecord* failure = nullptr);

// Number of leading non-empty slots, at most MAX_ENTRIES.
uint32_t CountEntries(const PlaylistTable& image);

// True when the file exists and could be opened for writing without being
// created; a read-only file or a folder counts as absent.
bool IsFilePresent(const char* fileName);
