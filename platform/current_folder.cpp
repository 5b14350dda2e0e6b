#include "platform/current_folder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool ChangeCurrentFolder(const char* path) { return chdir(path) == 0; }

bool CreateFolder(const char* path) { return mkdir(path, 0777) == 0; }

bool CanEnterFolder(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && access(path, X_OK) == 0;
}

}  // namespace platform
