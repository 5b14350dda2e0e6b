#include "platform/descriptor_io.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

bool WriteAllAt(int fd, const void* data, size_t size, off_t offset) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = pwrite(fd, bytes, size, offset);
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
    offset += written;
  }
  return true;
}

}  // namespace platform
