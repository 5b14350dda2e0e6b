// The recursive folder scan that appends songs to g_workingTable.
#pragma once

#include "store/folder_names.h"
#include "store/playlist_entry.h"

// The extension to look for: no dot, lower case; "mp3" from start-up.
extern char g_wantedExtension[PATH_LEN];
// Scratch field for a candidate's extension, shared with the transfer
// (the two never run at once).
extern char g_foundExtension[PATH_LEN];

// Appends one entry at g_entryCount for every file below `folderPath` whose
// extension equals g_wantedExtension, depth first in name order, until the
// table holds MAX_ENTRIES. `folderPath` is in stored form and ends in "//".
// Folders named kMp3 (any case) are skipped at every depth, as is a folder
// already on the current walk (a link loop) and one whose path would not
// fit in PATH_LEN - 1 bytes.
void ScanFolder(const char* folderPath);

void ResetWantedExtension();
