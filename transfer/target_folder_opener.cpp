#include "transfer/target_folder_opener.h"

#include <cstdio>

#include "platform/current_folder.h"
#include "platform/handoff_command.h"
#include "store/folder_names.h"

void OpenTargetFolder() {
  // A folder whose absolute path is too long for a command goes as it is,
  // relative to the working folder, which the file manager inherits.
  char folder[platform::HANDOFF_PATH_BYTES];
  if (platform::ResolveFolder(TARGET_FOLDER_NAME, folder, sizeof folder) != 0) {
    std::snprintf(folder, sizeof folder, "%s", TARGET_FOLDER_NAME);
  }
  platform::HandOff(FILE_MANAGER_VARIABLE, folder);
}
