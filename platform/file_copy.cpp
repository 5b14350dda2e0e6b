#include "platform/file_copy.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/descriptor_io.h"
#include "platform/file_system.h"

namespace platform {
namespace {

// Data move in chunks of this size: after each one the progress is
// published, a cancel request is seen, and the medium starts writing the
// chunk, so the flush before the final name only waits for the last one.
constexpr size_t kChunkBytes = 1u << 20;
constexpr size_t kNameBytes = 4096;
constexpr mode_t kPermissionBits = 0777;

// Keeps the first failure's errno (`error` when given) and passes `result` on.
CopyResult Failed(int* failure, CopyResult result, int error = 0) {
  if (*failure == 0) *failure = error != 0 ? error : errno;
  return result;
}

struct Copy {
  int in = -1;
  int out = -1;
  off_t offset = 0;
  const CopyControl* control = nullptr;
  int* failure = nullptr;
};

bool IsCancelled(const CopyControl& control) {
  return control.cancel != nullptr && control.cancel->load(std::memory_order_relaxed);
}

void Advance(Copy* copy, size_t bytes) {
  sync_file_range(copy->out, copy->offset, static_cast<off_t>(bytes), SYNC_FILE_RANGE_WRITE);
  copy->offset += static_cast<off_t>(bytes);
  if (copy->control->bytesDone != nullptr) {
    copy->control->bytesDone->store(static_cast<uint64_t>(copy->offset), std::memory_order_relaxed);
  }
}

// In-kernel copy until the end of the source. False when the kernel could
// not finish it; the loop below then goes on from `offset`, and tells a
// read failure from a write failure.
bool CopyInKernel(Copy* copy) {
  while (!IsCancelled(*copy->control)) {
    loff_t from = copy->offset;
    loff_t to = copy->offset;
    ssize_t moved = copy_file_range(copy->in, &from, copy->out, &to, kChunkBytes, 0);
    if (moved < 0 && errno == EINTR) continue;
    if (moved < 0) return false;
    if (moved == 0) return true;
    Advance(copy, static_cast<size_t>(moved));
  }
  return true;
}

CopyResult CopyByBuffer(Copy* copy) {
  std::unique_ptr<char[]> buffer(new char[kChunkBytes]);
  while (!IsCancelled(*copy->control)) {
    ssize_t got = pread(copy->in, buffer.get(), kChunkBytes, copy->offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failed(copy->failure, CopyResult::SourceFailed);
    if (got == 0) return CopyResult::Copied;
    if (!WriteAllAt(copy->out, buffer.get(), static_cast<size_t>(got), copy->offset)) {
      return Failed(copy->failure, CopyResult::TargetFailed);
    }
    Advance(copy, static_cast<size_t>(got));
  }
  return CopyResult::Cancelled;
}

CopyResult CopyData(Copy* copy, bool inKernel) {
  bool finished = inKernel && CopyInKernel(copy);
  if (IsCancelled(*copy->control)) return CopyResult::Cancelled;
  return finished ? CopyResult::Copied : CopyByBuffer(copy);
}

// Permission bits and modification time of the source, then the flush that
// must precede the final name.
CopyResult Finish(Copy* copy, const struct stat& source) {
  fchmod(copy->out, source.st_mode & kPermissionBits);  // FAT has no modes
  const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  futimens(copy->out, times);
  if (fsync(copy->out) != 0) Failed(copy->failure, CopyResult::TargetFailed);
  if (close(copy->out) != 0) Failed(copy->failure, CopyResult::TargetFailed);
  copy->out = -1;
  return *copy->failure == 0 ? CopyResult::Copied : CopyResult::TargetFailed;
}

bool IsRefusedFlag(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }
bool IsLinkUnsupported(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

// Last resort where neither works: the exclusive create decides who owns
// the name, and the rename puts the full file in place of the empty one.
CopyResult ReserveAndRename(const char* temporary, const char* target, int* failure) {
  int fd = open(target, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return errno == EEXIST ? CopyResult::TargetExists : Failed(failure, CopyResult::TargetFailed);
  }
  close(fd);
  if (rename(temporary, target) == 0) return CopyResult::Copied;
  Failed(failure, CopyResult::TargetFailed);
  unlink(target);
  return CopyResult::TargetFailed;
}

// "<target's folder>/.kobaru-partial-<pid>-XXXXXX", for mkostemp.
bool MakeTemporaryPattern(const char* target, char* out) {
  const char* slash = std::strrchr(target, '/');
  int folderLength = slash == nullptr ? 0 : static_cast<int>(slash - target + 1);
  int length = std::snprintf(out, kNameBytes, "%.*s%s%ld-XXXXXX", folderLength, target,
                             TEMPORARY_COPY_PREFIX, static_cast<long>(getpid()));
  return length > 0 && static_cast<size_t>(length) < kNameBytes;
}

// The process id in a temporary name, or 0 when the name is not one of ours.
long OwnerOf(const char* name) {
  size_t prefixLength = sizeof TEMPORARY_COPY_PREFIX - 1;
  if (std::strncmp(name, TEMPORARY_COPY_PREFIX, prefixLength) != 0) return 0;
  char* end = nullptr;
  long pid = std::strtol(name + prefixLength, &end, 10);
  return end != nullptr && *end == '-' && pid > 0 ? pid : 0;
}

bool IsStale(long owner) {
  if (owner == static_cast<long>(getpid())) return true;
  return kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH;
}

}  // namespace

// Copies into a new temporary file, named in `temporary` (a pattern on
// entry); false in `*created` when not even that file could be made.
CopyResult FileCopier::CopyToTemporary(int in, const struct stat& source, char* temporary,
                                       const CopyControl& control, bool* created) {
  Copy copy{in, mkostemp(temporary, O_CLOEXEC), 0, &control, &failure_};
  *created = copy.out >= 0;
  if (!*created) return Failed(&failure_, CopyResult::TargetFailed);
  CopyResult result = CopyData(&copy, paths_.copyFileRange);
  if (result == CopyResult::Copied) return Finish(&copy, source);
  close(copy.out);
  return result;
}

CopyResult FileCopier::CopyOpenSource(int in, const char* target, const CopyControl& control) {
  struct stat info;
  if (fstat(in, &info) != 0) return Failed(&failure_, CopyResult::SourceFailed);
  if (!S_ISREG(info.st_mode)) {
    return Failed(&failure_, CopyResult::SourceFailed, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  }
  char temporary[kNameBytes];
  if (!MakeTemporaryPattern(target, temporary)) {
    return Failed(&failure_, CopyResult::TargetFailed, ENAMETOOLONG);
  }
  bool created = false;
  CopyResult result = CopyToTemporary(in, info, temporary, control, &created);
  if (result == CopyResult::Copied) result = MoveNoReplace(temporary, target);
  if (created && result != CopyResult::Copied) unlink(temporary);
  return result;
}

CopyResult FileCopier::CopyFileNoReplace(const char* source, const char* target,
                                         const CopyControl& control, int* error) {
  failure_ = 0;
  CopyResult result = CopyResult::TargetExists;
  if (!IsNameTaken(target)) {
    // Non-blocking, so a pipe named like a song is refused instead of
    // waited on; reads of a regular file are not affected.
    int in = open(source, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    result = in < 0 ? Failed(&failure_, CopyResult::SourceFailed)
                    : CopyOpenSource(in, target, control);
    if (in >= 0) close(in);
  }
  if (error != nullptr) *error = result == CopyResult::Copied ? 0 : failure_;
  return result;
}

CopyResult FileCopier::MoveNoReplace(const char* temporary, const char* target) {
  if (paths_.renameNoReplace) {
    if (renameat2(AT_FDCWD, temporary, AT_FDCWD, target, RENAME_NOREPLACE) == 0) {
      return CopyResult::Copied;
    }
    if (errno == EEXIST) return CopyResult::TargetExists;
    if (!IsRefusedFlag(errno)) return Failed(&failure_, CopyResult::TargetFailed);
  }
  if (paths_.hardLink) {
    if (link(temporary, target) == 0) {
      unlink(temporary);
      return CopyResult::Copied;
    }
    if (errno == EEXIST) return CopyResult::TargetExists;
    if (!IsLinkUnsupported(errno)) return Failed(&failure_, CopyResult::TargetFailed);
  }
  return ReserveAndRename(temporary, target, &failure_);
}

bool IsNameTaken(const char* path) {
  struct stat info;
  return lstat(path, &info) == 0;
}

int RemoveLeftoverCopies(const char* folder) {
  DIR* listing = opendir(folder);
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const dirent* found = readdir(listing)) {
    long owner = OwnerOf(found->d_name);
    if (owner != 0 && IsStale(owner) && unlinkat(dirfd(listing), found->d_name, 0) == 0) ++removed;
  }
  closedir(listing);
  return removed;
}

}  // namespace platform
