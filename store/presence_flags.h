// What the main window found at start-up or created since. Both flags only
// ever go from 0 to 1; the start button needs both. Window thread only.
#pragma once

#include <cstdint>

extern int32_t g_playlistPresent;      // kPlayLst.dat exists
extern int32_t g_targetFolderPresent;  // the kMp3 folder exists
