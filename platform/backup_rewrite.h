// Replacing a file's contents on media that can only write a file afresh:
// no rename, no change in place.
#pragma once

#include <cstddef>

#include "platform/file_system.h"

namespace platform {

// `backup` is written whole, flushed and its size checked, then `name` is
// emptied (or, where even that is refused, removed and made anew: its
// identity then changes) and written from start to end the same way, and
// the backup removed. A kill at any point leaves either `name` whole or a whole backup
// beside it (RestoreFromBackup). With a known `expected`, a `name` that no
// longer leads to that file is left alone: FILE_REPLACED. 0, or the
// system's error code; the backup stays only when `name` may be cut.
[[nodiscard]] int RewriteThroughBackup(const char* name, const char* backup, const void* data,
                                       size_t size, const FileIdentity* expected = nullptr,
                                       int folder = CURRENT_FOLDER);

// Writes `name` afresh with the contents of `backup`, checked by size, and
// then removes `backup`. 0, or the system's error code (both then stay).
[[nodiscard]] int RestoreFromBackup(const char* name, const char* backup,
                                    int folder = CURRENT_FOLDER);

}  // namespace platform
