// Loading and saving kPlayLst.dat as a whole image, and why it last failed.
#pragma once

#include <cstdint>

#include "platform/file_system.h"
#include "store/playlist.h"
#include "store/playlist_entry.h"

inline constexpr char PLAYLIST_FILE_NAME[] = "kPlayLst.dat";

// Where an operation's playlist file is, and which file its load read: the
// operation's saves go to that same file or nowhere, so a playlist that
// another program put in its place is never written over.
struct PlaylistPlace {
  int folder = platform::CURRENT_FOLDER;  // the working folder's handle
  platform::FileIdentity loaded;          // set by LoadTable
};

// Each operation records why it failed in `failure`, when given.

// Reads up to TABLE_BYTES into the start of `image`. Returns the bytes read
// (a short file is no error) or -1 when the file can't be opened; then the
// image is untouched. Callers zero the image first.
int32_t LoadTable(const char* fileName, PlaylistTable* image, PlaylistPlace* place = nullptr,
                  FailureRecord* failure = nullptr);

// Writes the first `byteCount` bytes of `image` (at most TABLE_BYTES) as the
// whole file. Returns 0, or -1 when the file could not be written; a failed
// save leaves the old file as it was, never a shortened one. With a
// `place` whose load is known, a file replaced since is refused
// (PlaylistAccess::Replaced) and left as it is.
[[nodiscard]] int32_t SaveTable(const char* fileName, const PlaylistTable* image,
                                uint32_t byteCount, const PlaylistPlace* place = nullptr,
                                FailureRecord* failure = nullptr);

// Writes the record of `slot` in place in the existing file, flushed, the
// rest of the file untouched: a sent song is on record at once. 0 or -1;
// `place` as for SaveTable.
[[nodiscard]] int32_t SaveRecord(const char* fileName, const PlaylistTable* image, uint32_t slot,
                                 const PlaylistPlace* place = nullptr,
                                 FailureRecord* failure = nullptr);

// Number of leading non-empty slots, at most MAX_ENTRIES.
uint32_t CountEntries(const PlaylistTable& image);

// True when the file exists and could be opened for writing without being
// created; a read-only file or a folder counts as absent.
bool IsFilePresent(const char* fileName);
