// One writer at a time per working folder, across processes and within one.
#pragma once

namespace platform {

// An exclusive advisory lock (flock) on a folder opened read-only: it leaves
// no file behind, and the kernel drops it when its holder dies. Each lock
// object opens the folder anew, so a second lock in the same process is
// refused like one in another process.
class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock() { Release(); }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Takes the lock without waiting. 0, or the system's error code: EWOULDBLOCK
  // when another holder has it.
  [[nodiscard]] int TryLock(const char* folder);
  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace platform
