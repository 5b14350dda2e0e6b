// The rule that one program at a time changes kPlayLst.dat and kMp3: every
// operation that writes takes the working folder's lock first and holds it
// until its save is done. Reading operations take none.
#pragma once

#include "platform/folder_lock.h"
#include "store/playlist.h"

// Takes the lock on the current folder without waiting. False only when
// another operation holds it, in this process or another (recorded in
// `failure` as the PlaylistAccess::Lock failure). A folder that can't be locked at all (no
// read permission, a file system without locks) is worked on unlocked, as
// it always was.
bool LockWorkingFolder(platform::FolderLock* lock, FailureRecord& failure);
