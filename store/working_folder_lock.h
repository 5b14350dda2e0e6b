// The rule that one program at a time changes kPlayLst.dat and kMp3: every
// operation that writes takes the working folder's lock first and holds it
// until its save is done. Reading operations take none.
#pragma once

#include "platform/folder_lock.h"

// Takes the lock on the current folder without waiting. False only when
// another operation holds it, in this process or another (recorded as the
// PlaylistAccess::Lock failure). A folder that can't be locked at all (no
// read permission, a file system without locks) is worked on unlocked, as
// it always was. The holder first removes the temporary files that killed
// saves and copies left in the folder and in kMp3.
bool LockWorkingFolder(platform::FolderLock* lock);
