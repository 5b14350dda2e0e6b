#include "transfer/target_folder_opener.h"

#include <cstdio>
#include <cstdlib>

#include "platform/current_folder.h"
#include "platform/process_launch.h"
#include "playback/song_opener.h"
#include "store/folder_names.h"

void OpenTargetFolder() {
  // A folder whose absolute path is too long for a command goes as it is,
  // relative to the working folder, which the file manager inherits.
  char folder[PATH_LEN + 1];
  if (platform::ResolveFolder(TARGET_FOLDER_NAME, folder, sizeof folder) != 0) {
    std::snprintf(folder, sizeof folder, "%s", TARGET_FOLDER_NAME);
  }
  PlayerCommand command;
  if (!BuildPlayerCommand(std::getenv(FILE_MANAGER_VARIABLE), folder, &command)) return;
  platform::LaunchDetached(command.argv);
}
