#include "platform/folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

int FolderLock::TryLock(const char* folder) {
  Release();
  int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    int error = errno;
    close(fd);
    return error;
  }
  fd_ = fd;
  return 0;
}

void FolderLock::Release() {
  if (fd_ < 0) return;
  close(fd_);  // drops the lock with the last descriptor of its open file
  fd_ = -1;
}

}  // namespace platform
