#include "store/playlist_backup.h"

#include <cerrno>

#include "platform/backup_rewrite.h"
#include "platform/file_system.h"
#include "platform/user_messages.h"
#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "store/store_texts.h"

BackupOutcome RestorePlaylistBackup(int folder) {
  int64_t backup = platform::RegularFileSize(PLAYLIST_BACKUP_NAME, folder);
  if (backup < 0) return BackupOutcome::None;
  // A backup is only ever written whole before kPlayLst.dat is touched: one
  // cut short means the table itself is as it was.
  if (backup != int64_t{TABLE_BYTES} ||
      platform::RegularFileSize(PLAYLIST_FILE_NAME, folder) >= int64_t{TABLE_BYTES}) {
    platform::RemoveFileIn(PLAYLIST_BACKUP_NAME, folder);
    return BackupOutcome::Removed;
  }
  if (int error = platform::RestoreFromBackup(PLAYLIST_FILE_NAME, PLAYLIST_BACKUP_NAME, folder)) {
    errno = error;
    return BackupOutcome::Failed;
  }
  return BackupOutcome::Restored;
}

void ReportBackupOutcome(BackupOutcome outcome, platform::UserMessages& messages) {
  using platform::MessageButtons;
  using platform::MessageIcon;
  if (outcome == BackupOutcome::Restored) {
    messages.Show({TEXT_BACKUP_RESTORED, platform::CAPTION_CONFIRM, MessageButtons::Ok, false,
                   MessageIcon::None, true});
  } else if (outcome == BackupOutcome::Failed) {
    messages.Show(platform::Failure(TEXT_BACKUP_NOT_RESTORED));
  }
}
