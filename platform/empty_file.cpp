#include "platform/empty_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace platform {
namespace {

constexpr mode_t kNewFileMode = 0666;
bool IsWritableRegularFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && !IsReadOnlyMode(info.st_mode);
}

}  // namespace

bool CreateEmptyFile(const char* name) {
  // Truncating only after the checks, so nothing but a writable regular
  // file of this very name is ever emptied.
  int fd =
      open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && IsWritableRegularFile(info) && ftruncate(fd, 0) == 0;
  return close(fd) == 0 && ok;
}

bool DeleteExistingFile(const char* name) {
  struct stat info;
  if (lstat(name, &info) != 0 || !IsWritableRegularFile(info)) return false;
  return unlink(name) == 0;
}

}  // namespace platform
