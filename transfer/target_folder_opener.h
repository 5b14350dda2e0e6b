// The window's "kMp3 ﾌｫﾙﾀﾞ表示": the target folder in the user's file manager.
#pragma once

#include <cstddef>

inline constexpr char FILE_MANAGER_VARIABLE[] = "KOBARU_FILE_MANAGER";

// The absolute path of kMp3 in the working folder, into `folder`
// (`capacity` bytes); "kMp3" itself when that path is too long for a
// command, which the program started inherits the working folder for.
void TargetFolderPath(char* folder, size_t capacity);

// Starts `command` (split at blanks; the desktop's opener when null) on
// `folder`, without waiting. False when it could not be started.
bool OpenFolderWith(const char* command, const char* folder);
