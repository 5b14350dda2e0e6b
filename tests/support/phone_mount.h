// The team's mtp-like-fs mounted for one test: a folder that behaves like a
// phone's media-transfer mount (no rename, no links; with `noEdit` nothing
// written but appended). Serves `backing` at `mountPoint`, both relative to
// the current folder, to which it goes back before unmounting.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sys/vfs.h>
#include <thread>
#include <unistd.h>

#include "tests/support/child_process.h"

namespace testing_support {

class PhoneMount {
 public:
  static std::string Missing() {  // why it can't be mounted here, or empty
    if (geteuid() != 0) return "mounting needs root";
    if (access("/dev/fuse", R_OK | W_OK) != 0) return "no /dev/fuse";
    if (access(KOBARU_MTP_LIKE_FS, X_OK) != 0) return "no mtp-like-fs at " KOBARU_MTP_LIKE_FS;
    if (access("/usr/bin/fusermount3", X_OK) != 0) return "fuse3 is not installed";
    bool fusepy = std::system("/usr/bin/python3 -c 'import fusepy' 2>/dev/null") == 0;
    return fusepy ? "" : "python3-fusepy is not installed";
  }
  PhoneMount(const std::string& backing, const std::string& mountPoint, bool noEdit)
      : home_(std::filesystem::current_path()), mountPoint_(home_ + "/" + mountPoint) {
    std::filesystem::create_directories(backing);
    std::filesystem::create_directories(mountPoint);
    std::vector<std::string> command{KOBARU_MTP_LIKE_FS, backing, mountPoint};
    if (noEdit) command.insert(command.begin() + 1, "--no-edit");
    fs_ = std::make_unique<ChildProcess>(command);
    for (int tries = 0; tries < 200 && !Mounted(); ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ~PhoneMount() {
    if (chdir(home_.c_str()) == 0) ChildProcess({"/usr/bin/fusermount3", "-u", mountPoint_}).Wait();
  }
  bool Mounted() const {
    struct statfs info {};
    return statfs(mountPoint_.c_str(), &info) == 0 && info.f_type == 0x65735546;  // FUSE's magic
  }

 private:
  std::string home_;
  std::string mountPoint_;
  std::unique_ptr<ChildProcess> fs_;
};

}  // namespace testing_support
