#include "platform/folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A replacement of the file between its open and its lock is retried.
constexpr int kFileLockAttempts = 3;

int LockNow(int fd) {
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

// Whether `fd` is still the file that `name` names in `folder`.
bool StillNamed(int folder, const char* name, int fd) {
  struct stat opened;
  struct stat named;
  return fstat(fd, &opened) == 0 && fstatat(folder, name, &named, 0) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

int FolderLock::LockFile(const char* fileName) {
  for (int attempt = 0; attempt < kFileLockAttempts; ++attempt) {
    file_ = openat(folder_.fd(), fileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file_ < 0) return errno;
    int error = LockNow(file_);
    if (error != 0 || StillNamed(folder_.fd(), fileName, file_)) return error;
    close(file_);
    file_ = -1;
  }
  return EAGAIN;
}

int FolderLock::TryLock(const char* folder, const char* fileName) {
  Release();
  int error = folder_.Open(folder);
  if (error != 0) return error;
  int folderLock = folder_.Listable() ? LockNow(folder_.fd()) : EACCES;
  int fileLock = fileName != nullptr && folderLock != EWOULDBLOCK ? LockFile(fileName) : ENOENT;
  bool busy = folderLock == EWOULDBLOCK || fileLock == EWOULDBLOCK;
  if (busy || (folderLock != 0 && fileLock != 0)) error = busy ? EWOULDBLOCK : folderLock;
  if (error != 0) Release();
  return error;
}

void FolderLock::Release() {
  // Each lock goes with the last descriptor of its open file.
  if (file_ >= 0) close(file_);
  file_ = -1;
  folder_.Close();
}

}  // namespace platform
