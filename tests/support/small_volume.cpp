#include "tests/support/small_volume.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

namespace testing_support {

SmallVolume::SmallVolume(const std::string& mountPoint, const std::string& size)
    : mountPoint_(mountPoint) {
  std::filesystem::create_directories(mountPoint_);
  std::string options = "size=" + size;
  mounted_ = mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallVolume::~SmallVolume() {
  if (mounted_) umount2(mountPoint_.c_str(), MNT_DETACH);
}

bool SmallVolume::MakeReadOnly() const {
  return mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void SmallVolume::FillUp(const std::string& fileName) const {
  int fd = open((mountPoint_ + "/" + fileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  char block[4096] = {};
  while (write(fd, block, sizeof block) > 0) {
  }
  while (write(fd, block, 1) > 0) {
  }
  close(fd);
}

}  // namespace testing_support
