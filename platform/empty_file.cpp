#include "platform/empty_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

bool IsReadOnly(const char* name) {
  struct stat info;
  return stat(name, &info) == 0 && (info.st_mode & kAnyWriteBit) == 0;
}

}  // namespace

bool CreateEmptyFile(const char* name) {
  if (IsReadOnly(name)) return false;
  int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return false;
  return close(fd) == 0;
}

bool DeleteExistingFile(const char* name) { return unlink(name) == 0; }

}  // namespace platform
