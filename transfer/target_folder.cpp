#include "transfer/target_folder.h"

#include "platform/current_folder.h"
#include "store/folder_scan.h"
#include "store/presence_flags.h"
#include "store/store_texts.h"
#include "transfer/transfer_texts.h"

using platform::MessageButtons;
using platform::MessageIcon;

int32_t ChangeFolder(const char* path) { return platform::ChangeCurrentFolder(path) ? 1 : 0; }

int32_t MakeFolder(const char* path) { return platform::CreateFolder(path) ? 1 : 0; }

bool TestTargetFolder() {
  if (!platform::CanEnterFolder(TARGET_FOLDER_NAME)) return false;
  g_targetFolderPresent = 1;
  return true;
}

bool CreateTargetFolder(platform::UserMessages& messages) {
  if (MakeFolder(TARGET_FOLDER_NAME) == 0) {
    messages.Show({TEXT_FOLDER_CREATE_FAILED, CAPTION_ERROR, MessageButtons::Ok, false,
                   MessageIcon::Stop, true});
    return false;
  }
  messages.Show(
      {TEXT_FOLDER_CREATED, CAPTION_CONFIRM, MessageButtons::Ok, false, MessageIcon::None, false});
  g_targetFolderPresent = 1;
  return true;
}
