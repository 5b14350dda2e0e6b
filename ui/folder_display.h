// "kMp3 ﾌｫﾙﾀﾞ表示": which program is asked to show the target folder. On a
// desktop where Kobaru MP3 offers itself for folders, the desktop's opener
// would start a second Kobaru MP3 on kMp3; the file manager is asked first.
#pragma once

#include <QString>
#include <functional>

// The ways to show a folder, each false when it did not; tests inject their own.
struct FolderWays {
  // Starts a command on the folder (the desktop's opener when null).
  std::function<bool(const char* command, const char* folder)> run;
  // Asks the session's file manager (freedesktop FileManager1, ShowFolders).
  std::function<bool(const QString& folderUri)> askFileManager;
  // The desktop entry that opens folders, as "name.desktop"; "" when unknown.
  std::function<QString()> folderHandler;
};

// The ways of the desktop this program runs on.
FolderWays DesktopFolderWays();

// The command in KOBARU_FILE_MANAGER when set; else the file manager over
// D-Bus; else the desktop's opener unless it would hand the folder to this
// program. False when the folder was shown by nobody.
bool ShowTargetFolder(const FolderWays& ways);
