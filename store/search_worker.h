// The window-free side of playlist creation and addition: the extension
// entry, the search worker and the append of a confirmed scan result.
#pragma once

#include <atomic>

#include "store/playlist_entry.h"

// The folder the user chose, with single separators, no trailing one.
extern char g_chosenFolder[PATH_LEN];
// 1 while an addition runs, 0 for a creation.
extern std::atomic<int> g_addMode;
// Carries each stage's outcome (see SearchStatus), written by the worker last.
extern std::atomic<int> g_searchStatus;

// Set from any thread to end a search early: the scan stops at its next
// entry and the search fails without saving anything.
extern std::atomic<bool> g_searchStopRequested;

enum SearchStatus : int {
  SEARCH_FAILED = 0,
  SEARCH_SUCCEEDED = 1,  // also "OK" from the confirmation window
  SEARCH_NONE = 2,       // cancelled, or still running
};

// Takes what the user typed as the wanted extension: at most 259 bytes,
// upper case lowered, cut at the first space. An empty entry is refused and
// resets g_wantedExtension to "mp3".
bool TakeExtensionEntry(const char* typed);

// The starter's side, before the worker starts: `chosenFolder` (absolute,
// '/'-separated) without trailing separators, the mode, an empty scan
// result for an addition, no stop request, and status none. False when the
// folder does not fit PATH_LEN.
[[nodiscard]] bool PrepareSearch(const char* chosenFolder, bool addition);

// Writes the chosen folder in stored form into `out` (PATH_LEN bytes): every
// separator doubled and two more appended. False when that would not fit.
bool PrepareScanPath(const char* chosenFolder, char* out);

// Scans g_chosenFolder. Creation: takes the working folder's lock, refuses
// when kPlayLst.dat can already be read, otherwise saves the result as the
// new playlist. Addition: copies the
// result into g_scanResultTable. Returns 1 for success, 0 for failure.
int SearchWorker();

// The worker thread's body: stores SearchWorker's result in g_searchStatus.
void SearchThreadProc();

// Appends g_scanResultTable to kPlayLst.dat as untransferred songs, as many
// as fit, under the working folder's lock. Returns 1 when the file was
// rewritten, 0 otherwise.
int AppendScanResult();
