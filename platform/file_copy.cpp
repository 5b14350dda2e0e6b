#include "platform/file_copy.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <memory>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>
#include <unistd.h>

#include "platform/descriptor_io.h"
#include "platform/file_system.h"
#include "platform/in_flight_marker.h"

namespace platform {
namespace {

// Data move in chunks of this size: after each one the progress is
// published, a cancel request is seen, and the medium starts writing the
// chunk, so the flush before the final name only waits for the last one.
constexpr size_t kChunkBytes = 1u << 20;
constexpr size_t kNameBytes = 4096;
constexpr mode_t kPermissionBits = 0777;
constexpr int kNameAttempts = 100;

// File systems whose files are the system's own state, never songs: a
// playlist naming /proc/self/environ must not put it on a card.
constexpr long kPseudoFileSystems[] = {
    PROC_SUPER_MAGIC,    SYSFS_MAGIC,   DEBUGFS_MAGIC, SECURITYFS_MAGIC, CGROUP_SUPER_MAGIC,
    CGROUP2_SUPER_MAGIC, TRACEFS_MAGIC, BPF_FS_MAGIC,  EFIVARFS_MAGIC,   SELINUX_MAGIC};

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
    copy->control->bytesDone->store(
        copy->control->bytesBefore + static_cast<uint64_t>(copy->offset),
        std::memory_order_relaxed);
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
CopyResult Finish(Copy* copy, const struct stat& source, bool flush = true) {
  fchmod(copy->out, source.st_mode & kPermissionBits);  // FAT has no modes
  const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  futimens(copy->out, times);
  if (flush && fsync(copy->out) != 0) Failed(copy->failure, CopyResult::TargetFailed);
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
CopyResult ReserveAndRename(int folder, const char* temporary, const char* target, int* failure) {
  int fd = openat(folder, target, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    return errno == EEXIST ? CopyResult::TargetExists : Failed(failure, CopyResult::TargetFailed);
  }
  close(fd);
  if (renameat(folder, temporary, folder, target) == 0) return CopyResult::Copied;
  Failed(failure, CopyResult::TargetFailed);
  unlinkat(folder, target, 0);
  return CopyResult::TargetFailed;
}

// Proc, sysfs and the like, and devtmpfs, which only shows as the file
// system of /dev.
bool IsSystemFile(int fd, const struct stat& info) {
  struct statfs system;
  if (fstatfs(fd, &system) != 0) return false;
  for (long type : kPseudoFileSystems) {
    if (static_cast<long>(system.f_type) == type) return true;
  }
  struct stat devices;
  return stat("/dev", &devices) == 0 && devices.st_dev == info.st_dev;
}

// Creates "<target's folder>/.kobaru-partial-<pid>-<n>" exclusively in
// `folder`, its name in `out`; the descriptor, or -1 with errno set.
int CreateTemporary(int folder, const char* target, char* out) {
  const char* slash = std::strrchr(target, '/');
  int folderLength = slash == nullptr ? 0 : static_cast<int>(slash - target + 1);
  struct timespec now {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    int length = std::snprintf(out, kNameBytes, "%.*s%s%ld-%lx", folderLength, target,
                               TEMPORARY_COPY_PREFIX, static_cast<long>(getpid()),
                               static_cast<unsigned long>(now.tv_nsec) + attempt);
    if (length <= 0 || static_cast<size_t>(length) >= kNameBytes) {
      errno = ENAMETOOLONG;
      return -1;
    }
    int fd = openat(folder, out, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The process id in a temporary name, or 0 when the name is not one of ours.
long OwnerOf(const char* name) {
  size_t prefixLength = sizeof TEMPORARY_COPY_PREFIX - 1;
  if (std::strncmp(name, TEMPORARY_COPY_PREFIX, prefixLength) != 0) return 0;
  char* end = nullptr;
  long pid = std::strtol(name + prefixLength, &end, 10);
  return end != nullptr && *end == '-' && pid > 0 ? pid : 0;
}

bool IsAnyCopy(const char* name, const void*) { return OwnerOf(name) != 0; }

}  // namespace

// Copies into a new temporary file in `folder`, named in `temporary`;
// false in `*created` when not even that file could be made.
CopyResult FileCopier::CopyToTemporary(int in, const struct stat& source, int folder,
                                       const char* target, char* temporary,
                                       const CopyControl& control, bool* created, bool flush) {
  Copy copy{in, CreateTemporary(folder, target, temporary), 0, &control, &failure_};
  *created = copy.out >= 0;
  if (!*created) return Failed(&failure_, CopyResult::TargetFailed);
  CopyResult result = CopyData(&copy, paths_.copyFileRange);
  if (result == CopyResult::Copied) return Finish(&copy, source, flush);
  close(copy.out);
  return result;
}

// The target itself is written; the mark says until the end that it may be
// partial, so that a kill leaves nothing the next writer takes for a song.
CopyResult FileCopier::CopyDirect(int in, const struct stat& source, int folder, const char* target,
                                  const CopyControl& control) {
  char marker[kNameBytes];
  int error = CreateInFlightMarker(folder, target, marker, sizeof marker);
  if (error != 0) return Failed(&failure_, CopyResult::TargetFailed, error);
  Copy copy{in, openat(folder, target, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600),
            0, &control, &failure_};
  CopyResult result = CopyResult::TargetExists;
  if (copy.out < 0 && errno != EEXIST) result = Failed(&failure_, CopyResult::TargetFailed);
  if (copy.out >= 0) {
    result = CopyData(&copy, paths_.copyFileRange);
    if (result == CopyResult::Copied) {
      result = Finish(&copy, source);
    } else {
      close(copy.out);
    }
    if (result != CopyResult::Copied) unlinkat(folder, target, 0);
  }
  unlinkat(folder, marker, 0);
  return result;
}

// Leaves the temporary file's name in `unnamed`, or fails and removes it.
CopyResult FileCopier::KeepUnnamed(int folder, const char* temporary, char* unnamed) {
  int length = std::snprintf(unnamed, TEMPORARY_NAME_BYTES, "%s", temporary);
  if (length > 0 && length < static_cast<int>(TEMPORARY_NAME_BYTES)) return CopyResult::Copied;
  unlinkat(folder, temporary, 0);
  return Failed(&failure_, CopyResult::TargetFailed, ENAMETOOLONG);
}

CopyResult FileCopier::CopyOpenSource(int in, int folder, const char* target,
                                      const CopyControl& control, CopyWay way, char* unnamed) {
  struct stat info;
  if (fstat(in, &info) != 0) return Failed(&failure_, CopyResult::SourceFailed);
  if (!S_ISREG(info.st_mode)) {
    return Failed(&failure_, CopyResult::SourceFailed, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  }
  if (IsSystemFile(in, info)) return CopyResult::SourceRefused;
  if (way == CopyWay::Direct) return CopyDirect(in, info, folder, target, control);
  char temporary[kNameBytes];
  bool created = false;
  bool flush = way == CopyWay::ThroughTemporary;
  CopyResult result =
      CopyToTemporary(in, info, folder, target, temporary, control, &created, flush);
  if (result == CopyResult::Copied && !flush) return KeepUnnamed(folder, temporary, unnamed);
  if (result == CopyResult::Copied) result = MoveNoReplace(folder, temporary, target);
  if (created && result != CopyResult::Copied) unlinkat(folder, temporary, 0);
  return result;
}

CopyResult FileCopier::CopyFileNoReplace(const char* source, int folder, const char* target,
                                         const CopyControl& control, int* error, CopyWay way,
                                         char* unnamed) {
  failure_ = 0;
  CopyResult result = CopyResult::TargetExists;
  if (!IsNameTaken(folder, target)) {
    // Non-blocking, so a pipe named like a song is refused instead of
    // waited on; reads of a regular file are not affected.
    int in = open(source, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    result = in < 0 ? Failed(&failure_, CopyResult::SourceFailed)
                    : CopyOpenSource(in, folder, target, control, way, unnamed);
    if (in >= 0) close(in);
  }
  if (error != nullptr) *error = result == CopyResult::Copied ? 0 : failure_;
  return result;
}

CopyResult FileCopier::MoveNoReplace(int folder, const char* temporary, const char* target) {
  if (paths_.renameNoReplace) {
    if (renameat2(folder, temporary, folder, target, RENAME_NOREPLACE) == 0) {
      return CopyResult::Copied;
    }
    if (errno == EEXIST) return CopyResult::TargetExists;
    if (!IsRefusedFlag(errno)) return Failed(&failure_, CopyResult::TargetFailed);
  }
  if (paths_.hardLink) {
    if (linkat(folder, temporary, folder, target, 0) == 0) {
      unlinkat(folder, temporary, 0);
      return CopyResult::Copied;
    }
    if (errno == EEXIST) return CopyResult::TargetExists;
    if (!IsLinkUnsupported(errno)) return Failed(&failure_, CopyResult::TargetFailed);
  }
  return ReserveAndRename(folder, temporary, target, &failure_);
}

bool FlushVolume(int folder, const char* file) {
  if (syncfs(folder) == 0) return true;
  // A folder that can't be listed is open for its names only: no flush
  // goes through such a handle, one goes through any file of the volume.
  int fd = errno == EBADF ? openat(folder, file, O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : -1;
  if (fd < 0) return false;
  bool flushed = syncfs(fd) == 0;
  int error = errno;
  close(fd);
  errno = error;
  return flushed;
}

bool IsNameTaken(int folder, const char* name) {
  struct stat info;
  return fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0;
}


int RemoveAllTemporaryCopies(const char* folder, int parent) {
  return RemoveMatchingEntries(folder, IsAnyCopy, nullptr, parent);
}

}  // namespace platform
