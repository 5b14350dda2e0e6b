// Copying one song into the target folder without ever leaving a half file
// under its final name. POSIX only.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

struct stat;

#include "platform/folder_handle.h"

namespace platform {

enum class CopyResult {
  Copied,
  TargetExists,   // a file or folder of the target name was there, or appeared
  SourceFailed,   // the source could not be opened or read, or is no file
  SourceRefused,  // the source is a file of the system (proc, sysfs, /dev...), no song
  TargetFailed,   // the medium is full, write-protected, gone, or the folder is missing
  Cancelled,      // `cancel` was seen set between two chunks
};

// Which ways of the file system the copier may take. All on by default; a
// way switched off is skipped as if the file system had refused it.
struct CopyPaths {
  bool copyFileRange = true;    // else the read/write loop
  bool renameNoReplace = true;  // else link and unlink
  bool hardLink = true;         // else an exclusive create, then a rename
};

// Optional, both may be null: bytes written so far, updated after every
// chunk; and a flag, checked between chunks, that abandons the copy.
struct CopyControl {
  std::atomic<uint64_t>* bytesDone = nullptr;
  const std::atomic<bool>* cancel = nullptr;
  uint64_t bytesBefore = 0;  // added to `bytesDone`: earlier copies not yet counted elsewhere
};

// How a copy comes to its final name.
enum class CopyWay {
  // A hidden temporary file beside the target, flushed to the medium, then
  // given the final name (MoveNoReplace).
  ThroughTemporary,
  // For a medium that refuses renames: an in-flight mark first, then the
  // target created exclusively, written from start to end, flushed and
  // closed, then the mark removed.
  Direct,
  // A hidden temporary file beside the target, its data sent to the medium
  // early but neither flushed nor named: the caller flushes many at once
  // (FlushVolume) and then names each (MoveNoReplace).
  Unnamed,
};

// The size of the buffer that receives an Unnamed copy's temporary name.
inline constexpr size_t TEMPORARY_NAME_BYTES = 96;

// One thread's copier: the ways it may take and the reason of its copy in
// progress.
class FileCopier {
 public:
  explicit FileCopier(CopyPaths paths = {}) : paths_(paths) {}

  // Copies `source` to `target`, a name in `folder`, unless `target`
  // exists, the `way` given; mode bits and modification time are kept. Any
  // failure removes what the copy made. Blocking. On SourceFailed or
  // TargetFailed, `*error` (when given) holds the system's reason, else 0.
  // An Unnamed copy's temporary name goes to `unnamed` (TEMPORARY_NAME_BYTES).
  [[nodiscard]] CopyResult CopyFileNoReplace(const char* source, int folder, const char* target,
                                             const CopyControl& control, int* error = nullptr,
                                             CopyWay way = CopyWay::ThroughTemporary,
                                             char* unnamed = nullptr);

  // Gives `from` the name `to`, both in `folder`, unless something has that
  // name: by a rename that refuses to replace, else a hard link and an
  // unlink, else an exclusive create of `to` that a rename then fills.
  // Copied, TargetExists or TargetFailed; `from` is left in place unless
  // the result is Copied.
  [[nodiscard]] CopyResult MoveNoReplace(int folder, const char* from, const char* to);

 private:
  CopyResult CopyOpenSource(int in, int folder, const char* target, const CopyControl& control,
                            CopyWay way, char* unnamed);
  CopyResult CopyToTemporary(int in, const struct stat& source, int folder, const char* target,
                             char* temporary, const CopyControl& control, bool* created,
                             bool flush);
  CopyResult CopyDirect(int in, const struct stat& source, int folder, const char* target,
                        const CopyControl& control);
  CopyResult KeepUnnamed(int folder, const char* temporary, char* unnamed);

  CopyPaths paths_;
  int failure_ = 0;  // the first errno of the copy in progress
};

// Flushes every file written on the volume of `folder` to the medium, in
// one go: far cheaper than one flush per file where each costs a journal
// commit. `file`, one of its files, is the way in where `folder` is open
// for its names only. False when the medium reported a failure.
[[nodiscard]] bool FlushVolume(int folder, const char* file);

// True when anything has this name in `folder`: a file, a folder, even a
// dangling link.
bool IsNameTaken(int folder, const char* name);

inline constexpr char TEMPORARY_COPY_PREFIX[] = ".kobaru-partial-";

// Removes every temporary copy in `folder`, whichever process it names: for
// a caller that knows no copy into it is under way. How many went.
int RemoveAllTemporaryCopies(const char* folder, int parent = CURRENT_FOLDER);

}  // namespace platform
