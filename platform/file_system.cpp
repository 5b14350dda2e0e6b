#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr char kTemporarySuffix[] = ".tmp";

bool WriteAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// The folder part of `name` ("." for a bare name), for the directory fsync.
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

// A rename is only durable once the folder holding it is flushed too.
void SyncFolderOf(const char* name) {
  char folder[4096];
  FolderOf(name, folder, sizeof folder);
  int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool RewriteInPlace(const char* name, const void* data, size_t size) {
  int fd = open(name, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok =
      WriteAll(fd, data, size) && ftruncate(fd, static_cast<off_t>(size)) == 0 && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  return ok;
}

bool IsOutOfSpace(int error) { return error == ENOSPC || error == EDQUOT; }

}  // namespace

bool CanOpenExistingForWrite(const char* name) {
  int fd = open(name, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool writable = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & kAnyWriteBit);
  close(fd);
  return writable;
}

bool PathExists(const char* name) {
  struct stat info;
  return stat(name, &info) == 0;
}

namespace {

// Non-blocking open, so a pipe of that name can't hang the caller; -1
// unless it is a regular file.
int OpenRegularFile(const char* name) {
  int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::FILE* OpenRegularFileForReading(const char* name) {
  int fd = OpenRegularFile(name);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) close(fd);
  return file;
}

int64_t ReadFileStart(const char* name, void* buffer, size_t capacity) {
  int fd = OpenRegularFile(name);
  if (fd < 0) return -1;
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

bool ReplaceFileContents(const char* name, const void* data, size_t size) {
  struct stat old;
  bool exists = stat(name, &old) == 0;
  if (exists && !CanOpenExistingForWrite(name)) return false;

  char temporary[4096];
  int length = std::snprintf(temporary, sizeof temporary, "%s%s", name, kTemporarySuffix);
  if (length < 0 || static_cast<size_t>(length) >= sizeof temporary) return false;

  mode_t mode = exists ? (old.st_mode & 07777) : 0666;
  int fd = open(temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) {
    return exists && IsOutOfSpace(errno) && RewriteInPlace(name, data, size);
  }
  bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temporary);
    return exists && IsOutOfSpace(error) && RewriteInPlace(name, data, size);
  }
  if (rename(temporary, name) != 0) {
    unlink(temporary);
    return false;
  }
  SyncFolderOf(name);
  return true;
}

}  // namespace platform
