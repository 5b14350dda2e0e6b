// The rule that one program at a time changes kPlayLst.dat and kMp3: every
// operation that writes takes the working folder's lock first and holds it
// until its save is done. Reading operations take none.
#pragma once

#include "platform/folder_lock.h"
#include "store/playlist.h"
#include "store/playlist_backup.h"

// Takes the lock on the current folder, and on kPlayLst.dat in it, without
// waiting; the lock's Folder() is then the working folder's handle for
// every name the operation uses. False when another operation holds it,
// in this process or another, and when neither the folder (one that may
// not be listed, a file system without locks) nor the playlist could be
// locked: nothing is ever changed unlocked. Either is recorded in `failure`
// as the PlaylistAccess::Lock failure with its reason. The holder first
// tidies the folder (TidyWorkingFolder); a backup it cannot write back
// over a cut table is a Read failure, and the lock is let go.
bool LockWorkingFolder(platform::FolderLock* lock, FailureRecord& failure);

// For the lock's holder (`folder` its handle): removes what killed saves and
// copies left in the folder and in kMp3 (partial songs marked in flight,
// temporary files) and settles a save's backup (RestorePlaylistBackup).
BackupOutcome TidyWorkingFolder(int folder);

// The same for a front end starting in the current folder, so that nothing
// it reads is a killed run's leftover: takes the lock for the tidying, and
// does nothing while another program holds it.
BackupOutcome TidyWorkingFolderAtStart();
