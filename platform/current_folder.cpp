#include "platform/current_folder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool CreateFolder(const char* path) { return mkdir(path, 0777) == 0; }

int ChangeFolder(const char* path) { return chdir(path) == 0 ? 0 : errno; }

bool CanEnterFolder(const char* path) {
  struct stat info;
  return lstat(path, &info) == 0 && S_ISDIR(info.st_mode) && access(path, X_OK) == 0;
}

int ResolveFolder(const char* path, char* out, size_t outSize) {
  char resolved[PATH_MAX];
  if (realpath(path, resolved) == nullptr) return errno;
  struct stat info;
  if (stat(resolved, &info) != 0) return errno;
  if (!S_ISDIR(info.st_mode)) return ENOTDIR;
  size_t length = std::strlen(resolved);
  if (length >= outSize) return ENAMETOOLONG;
  std::memcpy(out, resolved, length + 1);
  return 0;
}

}  // namespace platform
