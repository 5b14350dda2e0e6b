#include "platform/backup_rewrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/descriptor_io.h"

namespace platform {
namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr size_t kChunkBytes = 64 * 1024;
constexpr size_t kPathBytes = 4096 + 64;

// Empties `name` through its path: the *at family has no truncate.
int TruncateByName(int folder, const char* name) {
  if (folder == CURRENT_FOLDER) return truncate(name, 0);
  char path[kPathBytes];
  int length = std::snprintf(path, sizeof path, "/proc/self/fd/%d/%s", folder, name);
  if (length < 0 || static_cast<size_t>(length) >= sizeof path) return -1;
  return truncate(path, 0);
}

// `name` opened empty for writing from its start. Such media refuse to open
// a file that holds data for writing, even to empty it: it is emptied by
// its name first, or else removed and made anew (the lock's open
// descriptor can make even that fail on FUSE, which then hides the file by
// a rename). The descriptor, or -1 with errno set.
int CreateAfresh(int folder, const char* name) {
  constexpr int kWrite = O_WRONLY | O_NOFOLLOW | O_CLOEXEC;
  int fd = openat(folder, name, kWrite | O_CREAT | O_TRUNC, kNewFileMode);
  if (fd >= 0 || !IsRefusal(errno)) return fd;
  if (TruncateByName(folder, name) == 0) {
    fd = openat(folder, name, kWrite);
    if (fd >= 0 || !IsRefusal(errno)) return fd;
  }
  if (unlinkat(folder, name, 0) != 0 && errno != ENOENT) return -1;
  return openat(folder, name, kWrite | O_CREAT | O_EXCL, kNewFileMode);
}

// Flushes and closes `fd` once `written` bytes are its whole size; the
// first error, or 0.
int Seal(int fd, bool ok, size_t written) {
  int error = ok ? 0 : errno;
  struct stat info;
  if (error == 0 && (fstat(fd, &info) != 0 || info.st_size != static_cast<off_t>(written))) {
    error = EIO;
  }
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// Writes `name` anew from start to end.
int WriteAfresh(int folder, const char* name, const void* data, size_t size) {
  int fd = CreateAfresh(folder, name);
  if (fd < 0) return errno;
  return Seal(fd, WriteAllAt(fd, data, size, 0), size);
}

}  // namespace

int RewriteThroughBackup(const char* name, const char* backup, const void* data, size_t size,
                         const FileIdentity* expected, int folder) {
  int error = WriteAfresh(folder, backup, data, size);
  if (error == 0 && IsOtherName(name, expected, folder)) error = FILE_REPLACED;
  if (error != 0) {
    unlinkat(folder, backup, 0);
    return error;
  }
  error = WriteAfresh(folder, name, data, size);
  if (error == 0) unlinkat(folder, backup, 0);
  return error;
}

int RestoreFromBackup(const char* name, const char* backup, int folder) {
  int in = openat(folder, backup, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return errno;
  int out = CreateAfresh(folder, name);
  if (out < 0) {
    int error = errno;
    close(in);
    return error;
  }
  char chunk[kChunkBytes];
  size_t total = 0;
  bool ok = true;
  for (;;) {
    ssize_t got = read(in, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    if (!(ok = WriteAllAt(out, chunk, static_cast<size_t>(got), static_cast<off_t>(total)))) break;
    total += static_cast<size_t>(got);
  }
  close(in);
  int error = Seal(out, ok, total);
  if (error == 0) unlinkat(folder, backup, 0);
  return error;
}

}  // namespace platform
