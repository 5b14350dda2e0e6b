// The window's "kMp3 ﾌｫﾙﾀﾞ表示": the target folder in the user's file manager.
#pragma once

inline constexpr char FILE_MANAGER_VARIABLE[] = "KOBARU_FILE_MANAGER";

// Starts the command in KOBARU_FILE_MANAGER (split at blanks), or the
// desktop's opener, on the absolute path of kMp3 in the working folder,
// without waiting. A failure is not reported.
void OpenTargetFolder();
