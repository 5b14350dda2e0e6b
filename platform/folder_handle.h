// A folder opened once, so that the names used inside it can't be sent
// elsewhere by a link put in its place, or in place of the folder itself.
#pragma once

#include <cerrno>

namespace platform {

// The process's current folder, for the *At functions that take a folder.
inline constexpr int CURRENT_FOLDER = -100;

class FolderHandle {
 public:
  FolderHandle() = default;
  ~FolderHandle() { Close(); }
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;

  // Opens the folder `name` inside `parent`, never through a symbolic link
  // (ELOOP for one). A folder that may be written but not listed opens for
  // its names only (Listable() false). 0, or the system's error code.
  [[nodiscard]] int Open(const char* name, int parent = CURRENT_FOLDER);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  bool Listable() const { return listable_; }
  // The descriptor for the *at calls; CURRENT_FOLDER while closed.
  int fd() const { return fd_ >= 0 ? fd_ : CURRENT_FOLDER; }

 private:
  int fd_ = -1;
  bool listable_ = false;
};

}  // namespace platform
