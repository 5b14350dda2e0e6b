#include "store/working_folder_lock.h"

#include <cerrno>

#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "platform/in_flight_marker.h"
#include "store/folder_names.h"
#include "store/playlist_file.h"

namespace {

constexpr char kWorkingFolder[] = ".";

}  // namespace

// Only the lock's holder saves kPlayLst.dat or copies into kMp3, and it has
// not begun: every temporary of either kind, every song still marked in
// flight and every backup was left by a program killed before it could
// remove it, whatever its process id says now.
BackupOutcome TidyWorkingFolder(int folder) {
  platform::RemoveInterruptedSongs(TARGET_FOLDER_NAME, folder);
  platform::RemoveReplacementTemporaries(PLAYLIST_FILE_NAME, folder);
  platform::RemoveAllTemporaryCopies(TARGET_FOLDER_NAME, folder);
  return RestorePlaylistBackup(folder);
}

BackupOutcome TidyWorkingFolderAtStart() {
  platform::FolderLock lock;
  if (lock.TryLock(kWorkingFolder, PLAYLIST_FILE_NAME) != 0) return BackupOutcome::None;
  return TidyWorkingFolder(lock.Folder());
}

bool LockWorkingFolder(platform::FolderLock* lock, FailureRecord& failure) {
  int error = lock->TryLock(kWorkingFolder, PLAYLIST_FILE_NAME);
  if (error != 0) {
    failure.Record(PlaylistAccess::Lock, error);
    return false;
  }
  if (TidyWorkingFolder(lock->Folder()) != BackupOutcome::Failed) return true;
  // The table is cut and its whole backup still waits: a change saved now
  // would go through the backup and over the only whole copy.
  failure.Record(PlaylistAccess::Read, errno);
  lock->Release();
  return false;
}
