#include "transfer/target_folder.h"

#include <cerrno>

#include "platform/current_folder.h"
#include "store/folder_names.h"
#include "transfer/transfer_texts.h"

int32_t MakeFolder(const char* path) { return platform::CreateFolder(path) ? 1 : 0; }

bool TestTargetFolder(Playlist& playlist) {
  if (!platform::CanEnterFolder(TARGET_FOLDER_NAME)) return false;
  playlist.targetFolderPresent = true;
  return true;
}

bool CreateTargetFolder(Playlist& playlist, platform::UserMessages& messages) {
  if (MakeFolder(TARGET_FOLDER_NAME) == 0) {
    int error = errno;  // a message box may change it
    messages.Show(platform::Failure(TEXT_FOLDER_CREATE_FAILED));
    errno = error;
    return false;
  }
  messages.Show(platform::Notice(TEXT_FOLDER_CREATED));
  playlist.targetFolderPresent = true;
  return true;
}
