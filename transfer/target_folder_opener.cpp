#include "transfer/target_folder_opener.h"

#include <cstdio>

#include "platform/current_folder.h"
#include "platform/handoff_command.h"
#include "platform/process_launch.h"
#include "store/folder_names.h"

void TargetFolderPath(char* folder, size_t capacity) {
  if (platform::ResolveFolder(TARGET_FOLDER_NAME, folder, capacity) != 0) {
    std::snprintf(folder, capacity, "%s", TARGET_FOLDER_NAME);
  }
}

bool OpenFolderWith(const char* command, const char* folder) {
  platform::HandoffCommand words;
  return platform::BuildHandoffCommand(command, folder, &words) &&
         platform::LaunchDetached(words.argv);
}
