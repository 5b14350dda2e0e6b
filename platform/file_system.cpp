#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/backup_rewrite.h"
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

// True when the open file is not the `expected` one (when one is known).
bool IsOtherFile(int fd, const FileIdentity* expected) {
  if (expected == nullptr || !expected->Known()) return false;
  struct stat info;
  return fstat(fd, &info) != 0 || info.st_dev != expected->device || info.st_ino != expected->inode;
}

// Opens an existing file for writing: the descriptor, or -1 with errno set.
int OpenForWrite(int folder, const char* name, const FileIdentity* expected,
                 const MediumRefusals& refusals) {
  if (refusals.inPlaceWrite != 0) {
    errno = refusals.inPlaceWrite;
    return -1;
  }
  int fd = openat(folder, name, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 || !IsOtherFile(fd, expected)) return fd;
  close(fd);
  errno = FILE_REPLACED;
  return -1;
}

// A write at `offset` of an existing file, as a medium may refuse it.
bool WriteInto(int fd, const void* data, size_t size, off_t offset,
               const MediumRefusals& refusals) {
  if (refusals.offsetWrite == 0) return WriteAllAt(fd, data, size, offset);
  errno = refusals.offsetWrite;
  return false;
}

// A file of the right size is not truncated to it: some drivers (FAT through
// FUSE on a full card) refuse even that.
bool CutTo(int fd, size_t size) {
  struct stat info;
  if (fstat(fd, &info) == 0 && info.st_size == static_cast<off_t>(size)) return true;
  return ftruncate(fd, static_cast<off_t>(size)) == 0;
}

int RewriteInPlace(int folder, const char* name, const void* data, size_t size,
                   const FileIdentity* expected, const MediumRefusals& refusals) {
  int fd = OpenForWrite(folder, name, expected, refusals);
  if (fd < 0) return errno;
  return FinishWrite(fd, WriteInto(fd, data, size, 0, refusals) && CutTo(fd, size));
}

// Whether this user may write the existing file, asked without opening it.
int WriteAccess(int folder, const char* name) {
  return faccessat(folder, name, W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// Creates "<name>.<pid>-<n>.tmp" exclusively, n counting the attempts; O_EXCL
// never follows a link, not even a dangling one, and a name another thread
// holds just moves this one on to the next n. The descriptor, or -1 with
// errno set.
int CreateTemporary(int folder, const char* name, mode_t mode, char* temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    int length = std::snprintf(temporary, kNameBytes, "%s.%ld-%d.tmp", name,
                               static_cast<long>(getpid()), attempt);
    if (length < 0 || static_cast<size_t>(length) >= kNameBytes) {
      errno = ENAMETOOLONG;
      return -1;
    }
    int fd = openat(folder, temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The temporary file's way; 0 once `name` holds the new contents. The
// identity is checked again just before the rename, after the slow write.
int ReplaceThroughTemporary(int folder, const char* name, const void* data, size_t size,
                            mode_t mode, bool keepMode, const FileIdentity* expected,
                            const MediumRefusals& refusals) {
  char temporary[kNameBytes];
  int fd = CreateTemporary(folder, name, mode, temporary);
  if (fd < 0) return errno;
  // The umask applied at creation must not narrow the old file's modes.
  if (keepMode) fchmod(fd, mode);
  int error = FinishWrite(fd, WriteAllAt(fd, data, size, 0));
  if (error == 0 && IsOtherName(name, expected, folder)) error = FILE_REPLACED;
  if (error == 0) error = refusals.rename;
  if (error == 0 && renameat(folder, temporary, folder, name) != 0) error = errno;
  if (error != 0) {
    unlinkat(folder, temporary, 0);
    return error;
  }
  char part[kNameBytes];
  FolderOf(name, part, sizeof part);
  SyncFolder(part, folder);
  return 0;
}

// "<base>.<digits>-<digits>.tmp", as CreateTemporary names them.
bool IsReplacementTemporary(const char* entry, const void* base) {
  const char* name = static_cast<const char*>(base);
  size_t length = std::strlen(name);
  if (std::strncmp(entry, name, length) != 0 || entry[length] != '.') return false;
  const char* rest = entry + length + 1;
  size_t pidDigits = std::strspn(rest, "0123456789");
  if (pidDigits == 0 || rest[pidDigits] != '-') return false;
  rest += pidDigits + 1;
  size_t counterDigits = std::strspn(rest, "0123456789");
  return counterDigits > 0 && std::strcmp(rest + counterDigits, ".tmp") == 0;
}

// Non-blocking open, so a pipe of that name can't hang the caller; -1
// unless it is a regular file, with errno set.
int OpenRegularFile(const char* name, int folder = CURRENT_FOLDER) {
  int fd = openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
  struct stat info;
  return stat(name, &info) == 0 && S_ISREG(info.st_mode) && !IsReadOnlyMode(info.st_mode) &&
         WriteAccess(CURRENT_FOLDER, name) == 0;
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

int64_t ReadFileStart(const char* name, void* buffer, size_t capacity, int* error,
                      FileIdentity* identity, int folder) {
  int fd = OpenRegularFile(name, folder);
  if (fd < 0) {
    if (error != nullptr) *error = errno;
    return -1;
  }
  struct stat info;
  if (identity != nullptr && fstat(fd, &info) == 0) *identity = {info.st_dev, info.st_ino};
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

int ReplaceFileContents(const char* name, const void* data, size_t size,
                        const FileIdentity* expected, int folder, const char* backup,
                        const MediumRefusals& refusals) {
  struct stat old;
  bool exists = fstatat(folder, name, &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && S_ISLNK(old.st_mode)) {
    return RewriteInPlace(folder, name, data, size, expected, refusals);
  }
  if (!exists && expected != nullptr && expected->Known()) return FILE_REPLACED;
  if (exists && IsOtherName(name, expected, folder)) return FILE_REPLACED;
  if (exists && !S_ISREG(old.st_mode)) return S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
  if (exists && IsReadOnlyMode(old.st_mode)) return EACCES;
  // A file this user may not write is not replaced either; the system's
  // own reason (a read-only medium, no permission) is the one returned.
  if (exists && WriteAccess(folder, name) != 0) return errno;
  mode_t mode = exists ? (old.st_mode & kModeBits) : kNewFileMode;
  int error = ReplaceThroughTemporary(folder, name, data, size, mode, exists, expected, refusals);
  if (error == 0 || error == FILE_REPLACED) return error;
  // The first failure is the reason told, when the other ways fail too.
  if (exists && RewriteInPlace(folder, name, data, size, expected, refusals) == 0) return 0;
  if (backup == nullptr) return error;
  int last = RewriteThroughBackup(name, backup, data, size, expected, folder);
  return last == 0 || last == FILE_REPLACED ? last : error;
}

int64_t RegularFileSize(const char* name, int folder) {
  struct stat info;
  if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) return -1;
  return info.st_size;
}

bool RemoveFileIn(const char* name, int folder) { return unlinkat(folder, name, 0) == 0; }

FileIdentity IdentityOf(const char* name, int folder) {
  struct stat info;
  if (fstatat(folder, name, &info, 0) != 0) return {};
  return {info.st_dev, info.st_ino};
}

bool IsOtherName(const char* name, const FileIdentity* expected, int folder) {
  if (expected == nullptr || !expected->Known()) return false;
  struct stat info;
  return fstatat(folder, name, &info, 0) != 0 || info.st_dev != expected->device ||
         info.st_ino != expected->inode;
}

int OverwriteFileRange(const char* name, uint64_t offset, const void* data, size_t size,
                       const FileIdentity* expected, int folder, const MediumRefusals& refusals) {
  int fd = OpenForWrite(folder, name, expected, refusals);
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
  int error = WriteInto(fd, data, size, static_cast<off_t>(offset), refusals) ? 0 : errno;
  if (error == 0 && sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                                    kWriteThrough) != 0) {
    error = errno;
  }
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

int RemoveReplacementTemporaries(const char* name, int folder) {
  char part[kNameBytes];
  FolderOf(name, part, sizeof part);
  const char* slash = std::strrchr(name, '/');
  return RemoveMatchingEntries(part, IsReplacementTemporary, slash ? slash + 1 : name, folder);
}

int RemoveMatchingEntries(const char* name, bool (*matches)(const char*, const void*),
                          const void* context, int parent) {
  int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  DIR* listing = fd < 0 ? nullptr : fdopendir(fd);
  if (listing == nullptr) {
    if (fd >= 0) close(fd);
    return 0;
  }
  int removed = 0;
  while (const dirent* found = readdir(listing)) {
    if (matches(found->d_name, context) && unlinkat(dirfd(listing), found->d_name, 0) == 0) {
      ++removed;
    }
  }
  closedir(listing);
  return removed;
}

bool SyncFolder(const char* name, int parent) {
  int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool flushed = fsync(fd) == 0;
  close(fd);
  return flushed;
}

}  // namespace platform
