// A small tmpfs mounted for one test, to fill a medium to its last byte.
// Needs root; Mounted() is false where mounting is refused.
#pragma once

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace testing_support {

class SmallVolume {
 public:
  SmallVolume(const std::string& mountPoint, const std::string& size) : mountPoint_(mountPoint) {
    std::filesystem::create_directories(mountPoint_);
    std::string options = "size=" + size;
    mounted_ = mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallVolume() {
    if (mounted_) umount2(mountPoint_.c_str(), MNT_DETACH);
  }
  SmallVolume(const SmallVolume&) = delete;
  SmallVolume& operator=(const SmallVolume&) = delete;

  bool Mounted() const { return mounted_; }
  // Turns the volume read-only, as a card does after an error.
  bool MakeReadOnly() const {
    return mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  // Writes a file that takes every free byte that is left.
  void FillUp(const std::string& fileName) const {
    int fd = open((mountPoint_ + "/" + fileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    char block[4096] = {};
    while (write(fd, block, sizeof block) > 0) {
    }
    while (write(fd, block, 1) > 0) {
    }
    close(fd);
  }

 private:
  std::string mountPoint_;
  bool mounted_ = false;
};

}  // namespace testing_support
