// File services the logic above needs, in plain results. Functions that
// return an int give 0 for success, else the system's error code. POSIX only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/folder_handle.h"
#include "platform/medium_refusals.h"

namespace platform {

// Which file a name led to when it was read: a later write can tell
// whether the name still leads there. Zero: no file known.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool Known() const { return inode != 0; }
};

// The error code of a write refused because the name no longer leads to
// the file that was read (another program put another file there).
inline constexpr int FILE_REPLACED = ESTALE;

// True when `name` is an existing regular file that this user may write,
// judged without opening it: media that refuse to change a file in place
// refuse such an open even where the file may be replaced. A file without
// any write bit in its mode counts as not writable even for root, like a
// read-only attribute.
bool CanOpenExistingForWrite(const char* name);

// True when the mode has no write bit at all: read-only, even for root.
bool IsReadOnlyMode(unsigned mode);

// True when `name` exists at all (file, folder or anything else).
bool PathExists(const char* name);

// Reads up to `capacity` bytes from the start of file `name` in `folder`
// into `buffer`. Returns the bytes read, or -1 when it can't be opened or
// is not a regular file; then `*error` (when given) holds the reason.
// `*read` (when given) becomes the identity of the file read.
int64_t ReadFileStart(const char* name, void* buffer, size_t capacity, int* error = nullptr,
                      FileIdentity* read = nullptr, int folder = CURRENT_FOLDER);

// Opens `name` for binary reading when it is a regular file; nullptr for a
// folder, a pipe or a device, which must not block or mislead a reader.
std::FILE* OpenRegularFileForReading(const char* name);

// Replaces the contents of `name` with `size` bytes without ever leaving a
// shortened file: the data go to a new temporary file beside it (a unique
// name, created exclusively, never through a link), are flushed and renamed
// over the old one. An existing file without write permission is not
// replaced. When no temporary can be made, written or renamed (a full
// medium, a folder this user may not write), an existing file is
// overwritten in place instead: same size, no new space. A name that is a
// symbolic link is always written in place, so the link and its target
// never part. Where neither way is open (a medium that refuses renames and
// changes in place) and a `backup` name is given, the file is written
// afresh behind a complete backup copy (see backup_rewrite.h). With a
// known `expected`, a name that no longer leads to that file is left
// alone: FILE_REPLACED. Names are taken in `folder`.
[[nodiscard]] int ReplaceFileContents(const char* name, const void* data, size_t size,
                                      const FileIdentity* expected = nullptr,
                                      int folder = CURRENT_FOLDER, const char* backup = nullptr,
                                      const MediumRefusals& refusals = {});

// The size of the regular file `name` in `folder` (never through a link),
// or -1 when there is none.
int64_t RegularFileSize(const char* name, int folder = CURRENT_FOLDER);

// Removes the file `name` in `folder`; false when it could not.
bool RemoveFileIn(const char* name, int folder = CURRENT_FOLDER);

// The identity of the file `name` in `folder` now; none when it is missing.
FileIdentity IdentityOf(const char* name, int folder = CURRENT_FOLDER);

// True when a known `expected` is no longer the file `name` in `folder`
// leads to (or `name` is gone); false when nothing is expected.
bool IsOtherName(const char* name, const FileIdentity* expected, int folder = CURRENT_FOLDER);

// Overwrites `size` bytes at `offset` of the existing file `name` and
// writes them through to the device, waiting for it; the device's own
// cache is left to the next flush on the medium. Nothing else of the file
// changes; a read-only file (no write bit, even for root) is refused with
// EACCES, and one other than a known `expected` with FILE_REPLACED.
[[nodiscard]] int OverwriteFileRange(const char* name, uint64_t offset, const void* data,
                                     size_t size, const FileIdentity* expected = nullptr,
                                     int folder = CURRENT_FOLDER,
                                     const MediumRefusals& refusals = {});

// Removes every temporary file that ReplaceFileContents(name) makes beside
// `name` ("<name>.<pid>-<n>.tmp"), whichever process it names: only for a
// caller that knows no replacement of `name` is under way. How many went.
// `name` is a bare name in `folder`.
int RemoveReplacementTemporaries(const char* name, int folder = CURRENT_FOLDER);

// Removes each entry of the folder `name` in `parent` whose name `matches`
// (files only; folders stay); how many went. Nothing in a folder that
// can't be listed.
int RemoveMatchingEntries(const char* name, bool (*matches)(const char* entry, const void* context),
                          const void* context, int parent = CURRENT_FOLDER);

// Flushes the folder's entries (the names given by renames) to the medium.
bool SyncFolder(const char* name, int parent = CURRENT_FOLDER);

}  // namespace platform
