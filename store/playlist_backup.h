// The backup that a save on a medium without renames leaves behind when it
// is killed while kPlayLst.dat is being written afresh.
#pragma once

// What the working folder's backup showed, when looked at.
enum class BackupOutcome {
  None,      // no backup
  Removed,   // a backup cut short (kPlayLst.dat untouched) or one no longer needed
  Restored,  // kPlayLst.dat was missing or short: the backup took its place
  Failed,    // kPlayLst.dat is damaged and could not be restored yet
};

// For the holder of the working folder's lock, before anything else reads
// or writes the playlist: a whole backup (TABLE_BYTES) beside a missing or
// short kPlayLst.dat is written back, otherwise the backup is removed. A
// good table is never written over by a damaged one. `folder` is the
// working folder's handle.
BackupOutcome RestorePlaylistBackup(int folder);

namespace platform {
class UserMessages;
}

// Says a restoration, or its failure, as a notice that a text front end
// sends to stderr; nothing for the other outcomes.
void ReportBackupOutcome(BackupOutcome outcome, platform::UserMessages& messages);
