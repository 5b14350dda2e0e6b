// Descriptor-level helpers shared by the file services of platform/.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace platform {

// Writes all `size` bytes at `offset`, resuming after short writes and
// signals. False with errno set (ENOSPC for a write that made no progress).
bool WriteAllAt(int fd, const void* data, size_t size, off_t offset);

}  // namespace platform
