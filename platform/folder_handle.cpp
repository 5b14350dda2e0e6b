#include "platform/folder_handle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

static_assert(CURRENT_FOLDER == AT_FDCWD);

int FolderHandle::Open(const char* name, int parent) {
  Close();
  // O_NOFOLLOW alone reports a link to a folder as ENOTDIR; say what it is.
  struct stat info;
  if (fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  if (S_ISLNK(info.st_mode)) return ELOOP;
  constexpr int kFlags = O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
  fd_ = openat(parent, name, O_RDONLY | kFlags);
  listable_ = fd_ >= 0;
  if (fd_ < 0 && errno == EACCES) fd_ = openat(parent, name, O_PATH | kFlags);
  return fd_ >= 0 ? 0 : errno;
}

void FolderHandle::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  listable_ = false;
}

}  // namespace platform
