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
// 0 prompt open, 1 search running, 2 search finished.
extern std::atomic<int> g_promptPhase;

enum SearchStatus : int {
  SEARCH_FAILED = 0,
  SEARCH_SUCCEEDED = 1,  // also "OK" from the confirmation window
  SEARCH_NONE = 2,       // cancelled, or still running
};

// Takes what the user typed as the wanted extension: at most 259 bytes,
// upper case lowered, cut at the first space. An empty entry is refused and
// resets g_wantedExtension to "mp3".
bool TakeExtensionEntry(const char* typed);

// Writes the chosen folder in stored form into `out` (PATH_LEN bytes): every
// separator doubled and two more appended. False when that would not fit.
bool PrepareScanPath(const char* chosenFolder, char* out);

// Scans g_chosenFolder. Creation: refuses when kPlayLst.dat can already be
// read, otherwise saves the result as the new playlist. Addition: copies the
// result into g_scanResultTable. Returns 1 for success, 0 for failure.
int SearchWorker();

// The worker thread's body: stores SearchWorker's result in g_searchStatus.
void SearchThreadProc();

// Appends g_scanResultTable to kPlayLst.dat as untransferred songs, as many
// as fit. Returns 1 when the file was rewritten, 0 otherwise.
int AppendScanResult();
