#include "store/working_folder_lock.h"

#include <cerrno>

namespace {

constexpr char kWorkingFolder[] = ".";

}  // namespace

bool LockWorkingFolder(platform::FolderLock* lock, FailureRecord& failure) {
  int error = lock->TryLock(kWorkingFolder);
  if (error != EWOULDBLOCK) return true;
  failure.Record(PlaylistAccess::Lock, error);
  return false;
}
