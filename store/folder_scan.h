// The recursive folder scan that appends songs to the working table.
#pragma once

#include <atomic>

#include "store/folder_names.h"
#include "store/playlist.h"
#include "store/scan_report.h"

// What one scan reads and writes.
struct ScanTarget {
  Playlist& playlist;           // entries go in at entryCount
  const char* wantedExtension;  // no dot, lower case
  char* foundExtension;         // PATH_LEN bytes of scratch
  const std::atomic<bool>& stopRequested;
  // Where what was left out goes; without one, a full table ends the walk.
  ScanReport* report = nullptr;
};

// Appends one entry at entryCount for every file below `folderPath` whose
// extension equals the wanted one, depth first in name order, until the
// table holds MAX_ENTRIES or a stop is requested. `folderPath` is in stored
// form and ends in "//".
// Folders named kMp3 (any case) are skipped at every depth, as is a folder
// already on the current walk (a link loop) and one whose path would not
// fit in PATH_LEN - 1 bytes. With a report, the walk goes on past a full
// table only to count the songs left out, and tells of every folder left
// out but a kMp3 or a loop.
void ScanFolder(const char* folderPath, const ScanTarget& target);
