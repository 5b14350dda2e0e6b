#include "platform/empty_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace platform {
namespace {

constexpr mode_t kNewFileMode = 0666;
// 0 for a writable regular file, else the error code that says why it is
// refused, so that callers can tell the reason as for a failed call.
int Refusal(const struct stat& info) {
  if (S_ISLNK(info.st_mode)) return ELOOP;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  return IsReadOnlyMode(info.st_mode) ? EACCES : 0;
}

bool Refused(const struct stat& info) {
  int error = Refusal(info);
  if (error != 0) errno = error;
  return error != 0;
}

}  // namespace

bool CreateEmptyFile(const char* name) {
  // Truncating only after the checks, so nothing but a writable regular
  // file of this very name is ever emptied.
  int fd =
      open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && !Refused(info) && ftruncate(fd, 0) == 0;
  int error = errno;
  if (close(fd) != 0) return false;
  errno = error;
  return ok;
}

bool DeleteExistingFile(const char* name) {
  struct stat info;
  if (lstat(name, &info) != 0 || Refused(info)) return false;
  return unlink(name) == 0;
}

}  // namespace platform
