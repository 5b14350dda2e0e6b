// One writer at a time per working folder, across processes and within one.
#pragma once

#include "platform/folder_handle.h"

namespace platform {

// Exclusive advisory locks (flock) on the folder, opened once, and on one
// file in it: they leave nothing behind, and the kernel drops them when
// their holder dies. Every program locks both that it can, so a program
// that may not list the folder is still kept out by the file's lock. Each
// lock object opens anew, so a second lock in the same process is refused
// like one in another process.
class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock() { Release(); }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Takes the locks without waiting. 0, or the system's error code:
  // EWOULDBLOCK when another holder has one of them; the folder's own
  // reason when neither the folder nor `fileName` (may be null or
  // missing) could be locked.
  [[nodiscard]] int TryLock(const char* folder, const char* fileName = nullptr);
  void Release();
  bool Held() const { return folder_.IsOpen(); }
  // The locked folder, for names used inside it; the current folder while
  // no lock is held.
  int Folder() const { return folder_.fd(); }

 private:
  int LockFile(const char* fileName);

  FolderHandle folder_;
  int file_ = -1;
};

}  // namespace platform
