#include "platform/rename_probe.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "platform/file_copy.h"

namespace platform {

bool RefusesRename(int folder, const MediumRefusals& refusals) {
  constexpr size_t kNameBytes = 64;
  char from[kNameBytes];
  char to[kNameBytes];
  long pid = static_cast<long>(getpid());
  std::snprintf(from, sizeof from, "%s%ld-probe", TEMPORARY_COPY_PREFIX, pid);
  std::snprintf(to, sizeof to, "%s%ld-probed", TEMPORARY_COPY_PREFIX, pid);
  int fd = openat(folder, from, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  int error = refusals.rename;
  if (error == 0 && renameat(folder, from, folder, to) != 0) error = errno;
  unlinkat(folder, error == 0 ? to : from, 0);
  return error != 0 && IsRefusal(error);
}

}  // namespace platform
