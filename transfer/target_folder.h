// The target folder kMp3 in the working folder: the folder primitives, the
// start-up test and the creation that the window's button runs.
#pragma once

#include <cstdint>

#include "platform/user_messages.h"
#include "store/playlist.h"

// Create the folder `path`; 1 on success, 0 on failure (also when it exists).
int32_t MakeFolder(const char* path);

// Whether kMp3 can be entered; when it can, sets targetFolderPresent.
// The current folder is left as it is. Window thread.
bool TestTargetFolder(Playlist& playlist);

// Creates kMp3, sets targetFolderPresent and shows the confirmation, or
// shows the error and changes nothing, leaving errno saying why. The window
// sets its buttons from the result.
bool CreateTargetFolder(Playlist& playlist, platform::UserMessages& messages);
