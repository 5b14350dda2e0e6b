// A small tmpfs mounted for one test, to have a medium that really fills up.
#pragma once

#include <cstddef>
#include <string>

namespace testing_support {

class TmpfsMount {
 public:
  // Creates `folder` and mounts a tmpfs of `bytes` on it. Mounting needs
  // root; check mounted() and skip the test when it is false.
  TmpfsMount(const std::string& folder, size_t bytes);
  ~TmpfsMount();  // unmounts (lazily, should a file still be open)
  TmpfsMount(const TmpfsMount&) = delete;
  TmpfsMount& operator=(const TmpfsMount&) = delete;

  bool mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

}  // namespace testing_support
