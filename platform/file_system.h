// File services the logic above needs, in plain results. POSIX only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace platform {

// True when `name` is an existing regular file that could be opened for
// writing without creating it. A file without any write bit in its mode
// counts as not writable even for root, like a read-only attribute.
bool CanOpenExistingForWrite(const char* name);

// True when `name` exists at all (file, folder or anything else).
bool PathExists(const char* name);

// Reads up to `capacity` bytes from the start of file `name` into `buffer`.
// Returns the bytes read, or -1 when it can't be opened or is not a regular file.
int64_t ReadFileStart(const char* name, void* buffer, size_t capacity);

// Opens `name` for binary reading when it is a regular file; nullptr for a
// folder, a pipe or a device, which must not block or mislead a reader.
std::FILE* OpenRegularFileForReading(const char* name);

// Replaces the contents of `name` with `size` bytes without ever leaving a
// shortened file: the data goes to a temporary file beside it, is flushed
// and renamed over the old one. An existing file without write permission
// is not replaced. When the medium is too full for the temporary file, an
// existing file is overwritten in place instead (same size, no new space).
bool ReplaceFileContents(const char* name, const void* data, size_t size);

}  // namespace platform
