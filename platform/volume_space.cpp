#include "platform/volume_space.h"

#include <sys/statvfs.h>

namespace platform {
namespace {

// The kernel's link to the running executable; statvfs follows it.
constexpr char kOwnExecutable[] = "/proc/self/exe";

}  // namespace

bool FreeBytesOfVolume(const char* path, uint64_t* bytes) {
  struct statvfs volume;
  if (statvfs(path, &volume) != 0) return false;
  *bytes = static_cast<uint64_t>(volume.f_bfree) * static_cast<uint64_t>(volume.f_frsize);
  return true;
}

bool FreeBytesOfProgramVolume(uint64_t* bytes) { return FreeBytesOfVolume(kOwnExecutable, bytes); }

}  // namespace platform
