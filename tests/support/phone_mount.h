// The team's mtp-like-fs mounted for one test: a folder that behaves like a
// phone's media-transfer mount (no rename, no links; with `noEdit` no change
// to a file but appending to it).
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/vfs.h>
#include <thread>
#include <unistd.h>

#include "tests/support/child_process.h"

namespace testing_support {

class PhoneMount {
 public:
  // Why the mount can't be tried here, or empty.
  static std::string Missing() {
    if (geteuid() != 0) return "mounting needs root";
    if (access("/dev/fuse", R_OK | W_OK) != 0) return "no /dev/fuse";
    if (access(KOBARU_MTP_LIKE_FS, X_OK) != 0) return "no mtp-like-fs at " KOBARU_MTP_LIKE_FS;
    if (access("/usr/bin/fusermount3", X_OK) != 0) return "fuse3 is not installed";
    bool fusepy = std::system("/usr/bin/python3 -c 'import fusepy' 2>/dev/null") == 0;
    return fusepy ? "" : "python3-fusepy is not installed";
  }

  // Serves `backing` (made if missing) at `mountPoint`, both relative to the
  // current folder, which the mount goes back to before it is taken down.
  PhoneMount(const std::string& backing, const std::string& mountPoint, bool noEdit)
      : home_(std::filesystem::current_path().string()), mountPoint_(home_ + "/" + mountPoint) {
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
  PhoneMount(const PhoneMount&) = delete;
  PhoneMount& operator=(const PhoneMount&) = delete;

  bool Mounted() const {
    constexpr long kFuseMagic = 0x65735546;
    struct statfs info {};
    return statfs(mountPoint_.c_str(), &info) == 0 && info.f_type == kFuseMagic;
  }

 private:
  std::string home_;
  std::string mountPoint_;
  std::unique_ptr<ChildProcess> fs_;
};

}  // namespace testing_support
