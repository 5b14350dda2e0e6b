// A small tmpfs mounted for one test, to fill a medium to its last byte.
// Needs root; Mounted() is false where mounting is refused.
#pragma once

#include <string>

namespace testing_support {

class SmallVolume {
 public:
  SmallVolume(const std::string& mountPoint, const std::string& size);
  ~SmallVolume();
  SmallVolume(const SmallVolume&) = delete;
  SmallVolume& operator=(const SmallVolume&) = delete;

  bool Mounted() const { return mounted_; }
  // Turns the volume read-only, as a card does after an error.
  bool MakeReadOnly() const;
  // Writes a file that takes every free byte that is left.
  void FillUp(const std::string& fileName) const;

 private:
  std::string mountPoint_;
  bool mounted_ = false;
};

}  // namespace testing_support
