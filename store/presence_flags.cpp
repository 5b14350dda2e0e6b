#include "store/presence_flags.h"

int32_t g_playlistPresent = 0;
int32_t g_targetFolderPresent = 0;
