#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/descriptor_io.h"

namespace platform {
namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kModeBits = 07777;
constexpr size_t kNameBytes = 4096;
constexpr int kNameAttempts = 100;

// The folder part of `name` ("." for a bare name), for the folder fsync.
void FolderOf(const char* name, char* folder, size_t capacity) {
  const char* slash = std::strrchr(name, '/');
  if (slash == nullptr) {
    std::snprintf(folder, capacity, ".");
  } else {
    size_t length = static_cast<size_t>(slash - name) + 1;
    if (length >= capacity) length = capacity - 1;
    std::memcpy(folder, name, length);
    folder[length] = '\0';
  }
}

// Closes `fd`; the first error of the write, the flush or the close, or 0.
int FinishWrite(int fd, bool written) {
  int error = written ? 0 : errno;
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

int RewriteInPlace(const char* name, const void* data, size_t size) {
  int fd = open(name, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  bool written = WriteAllAt(fd, data, size, 0) && ftruncate(fd, static_cast<off_t>(size)) == 0;
  return FinishWrite(fd, written);
}

// Creates "<name>.<pid>-<n>.tmp" exclusively, n counting the attempts; O_EXCL
// never follows a link, not even a dangling one, and a name another thread
// holds just moves this one on to the next n. The descriptor, or -1 with
// errno set.
int CreateTemporary(const char* name, mode_t mode, char* temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    int length = std::snprintf(temporary, kNameBytes, "%s.%ld-%d.tmp", name,
                               static_cast<long>(getpid()), attempt);
    if (length < 0 || static_cast<size_t>(length) >= kNameBytes) {
      errno = ENAMETOOLONG;
      return -1;
    }
    int fd = open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The temporary file's way; 0 once `name` holds the new contents.
int ReplaceThroughTemporary(const char* name, const void* data, size_t size, mode_t mode,
                            bool keepMode) {
  char temporary[kNameBytes];
  int fd = CreateTemporary(name, mode, temporary);
  if (fd < 0) return errno;
  // The umask applied at creation must not narrow the old file's modes.
  if (keepMode) fchmod(fd, mode);
  int error = FinishWrite(fd, WriteAllAt(fd, data, size, 0));
  if (error == 0 && rename(temporary, name) != 0) error = errno;
  if (error != 0) {
    unlink(temporary);
    return error;
  }
  char folder[kNameBytes];
  FolderOf(name, folder, sizeof folder);
  SyncFolder(folder);
  return 0;
}

// Non-blocking open, so a pipe of that name can't hang the caller; -1
// unless it is a regular file, with errno set.
int OpenRegularFile(const char* name) {
  int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

}  // namespace

bool IsReadOnlyMode(unsigned mode) { return (mode & kAnyWriteBit) == 0; }

bool CanOpenExistingForWrite(const char* name) {
  int fd = open(name, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool writable = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && !IsReadOnlyMode(info.st_mode);
  close(fd);
  return writable;
}

bool PathExists(const char* name) {
  struct stat info;
  return stat(name, &info) == 0;
}

std::FILE* OpenRegularFileForReading(const char* name) {
  int fd = OpenRegularFile(name);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
}

int64_t ReadFileStart(const char* name, void* buffer, size_t capacity, int* error) {
  int fd = OpenRegularFile(name);
  if (fd < 0) {
    if (error != nullptr) *error = errno;
    return -1;
  }
  char* bytes = static_cast<char*>(buffer);
  size_t total = 0;
  while (total < capacity) {
    ssize_t got = read(fd, bytes + total, capacity - total);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    total += static_cast<size_t>(got);
  }
  close(fd);
  return static_cast<int64_t>(total);
}

int ReplaceFileContents(const char* name, const void* data, size_t size) {
  struct stat old;
  bool exists = stat(name, &old) == 0;
  if (exists && !CanOpenExistingForWrite(name)) return S_ISDIR(old.st_mode) ? EISDIR : EACCES;
  mode_t mode = exists ? (old.st_mode & kModeBits) : kNewFileMode;
  int error = ReplaceThroughTemporary(name, data, size, mode, exists);
  if (error == 0 || !exists) return error;
  return RewriteInPlace(name, data, size);
}

int OverwriteFileRange(const char* name, uint64_t offset, const void* data, size_t size) {
  int fd = open(name, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || IsReadOnlyMode(info.st_mode)) {
    close(fd);
    return EACCES;
  }
  // Written through to the device and waited for, but without a flush of
  // its cache: that costs a journal commit per call, and the next fsync on
  // the medium (the next song's) flushes the cache anyway.
  constexpr unsigned kWriteThrough =
      SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
  int error = WriteAllAt(fd, data, size, static_cast<off_t>(offset)) ? 0 : errno;
  if (error == 0 &&
      sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size), kWriteThrough) != 0) {
    error = errno;
  }
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

bool SyncFolder(const char* folder) {
  int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool flushed = fsync(fd) == 0;
  close(fd);
  return flushed;
}

}  // namespace platform
