#include "store/working_folder_lock.h"

#include <cerrno>

#include "store/playlist_file.h"

namespace {

constexpr char kWorkingFolder[] = ".";

}  // namespace

bool LockWorkingFolder(platform::FolderLock* lock) {
  int error = lock->TryLock(kWorkingFolder);
  if (error != EWOULDBLOCK) return true;
  RecordPlaylistFailure(PlaylistAccess::Lock, error);
  return false;
}
