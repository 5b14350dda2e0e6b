#include "store/working_folder_lock.h"

#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "store/folder_names.h"
#include "store/playlist_file.h"

namespace {

constexpr char kWorkingFolder[] = ".";

// Only the lock's holder saves kPlayLst.dat or copies into kMp3, and it has
// not begun: every temporary of either kind was left by a program killed
// before it could remove it, whatever its process id says now.
void RemoveStaleTemporaries(int folder) {
  platform::RemoveReplacementTemporaries(PLAYLIST_FILE_NAME, folder);
  platform::RemoveAllTemporaryCopies(TARGET_FOLDER_NAME, folder);
}

}  // namespace

bool LockWorkingFolder(platform::FolderLock* lock, FailureRecord& failure) {
  int error = lock->TryLock(kWorkingFolder, PLAYLIST_FILE_NAME);
  if (error == 0) {
    RemoveStaleTemporaries(lock->Folder());
    return true;
  }
  failure.Record(PlaylistAccess::Lock, error);
  return false;
}
