#include "tests/support/tmpfs_mount.h"

#include <filesystem>
#include <sys/mount.h>

namespace testing_support {

TmpfsMount::TmpfsMount(const std::string& folder, size_t bytes) : folder_(folder) {
  std::filesystem::create_directories(folder);
  std::string options = "size=" + std::to_string(bytes);
  mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

TmpfsMount::~TmpfsMount() {
  if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
}

}  // namespace testing_support
