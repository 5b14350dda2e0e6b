#include "store/search_worker.h"

#include <cstring>

#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/stored_path.h"
#include "store/table_images.h"
#include "store/working_folder_lock.h"

char g_chosenFolder[PATH_LEN];
std::atomic<int> g_addMode{0};
std::atomic<int> g_searchStatus{SEARCH_NONE};
std::atomic<bool> g_searchStopRequested{false};

bool TakeExtensionEntry(const char* typed) {
  std::memset(g_wantedExtension, 0, sizeof g_wantedExtension);
  std::memcpy(g_wantedExtension, typed, strnlen(typed, PATH_LEN - 1));
  if (g_wantedExtension[0] == '\0') {
    ResetWantedExtension();
    return false;
  }
  if (char* space = std::strchr(g_wantedExtension, ' ')) *space = '\0';
  LowerAscii(g_wantedExtension, std::strlen(g_wantedExtension));
  return true;
}

bool PrepareScanPath(const char* chosenFolder, char* out) {
  std::memset(out, 0, PATH_LEN);
  size_t length = 0;
  for (size_t i = 0; i < PATH_LEN && chosenFolder[i] != '\0'; ++i) {
    bool separator = chosenFolder[i] == PATH_SEPARATOR;
    if (length + (separator ? 2 : 1) > PATH_LEN - 1) return false;
    out[length++] = chosenFolder[i];
    if (separator) out[length++] = PATH_SEPARATOR;
  }
  if (length + 2 > PATH_LEN - 1) return false;
  std::memcpy(out + length, STORED_SEPARATOR, 2);
  return true;
}

bool PrepareSearch(const char* chosenFolder, bool addition) {
  std::memset(g_chosenFolder, 0, sizeof g_chosenFolder);
  size_t length = strnlen(chosenFolder, PATH_LEN);
  while (length > 1 && chosenFolder[length - 1] == PATH_SEPARATOR) --length;
  if (length >= PATH_LEN) return false;
  std::memcpy(g_chosenFolder, chosenFolder, length);
  g_addMode = addition ? 1 : 0;
  if (addition) std::memset(&g_scanResultTable, 0, sizeof g_scanResultTable);
  g_searchStopRequested = false;
  g_searchStatus = SEARCH_NONE;
  return true;
}

int SearchWorker() {
  ClearPlaylistFailure();
  g_entryCount = 0;
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  bool creation = g_addMode.load() == 0;
  platform::FolderLock lock;
  if (creation && !LockWorkingFolder(&lock)) return 0;
  PlaylistPlace place{lock.Folder(), {}};
  if (creation && LoadTable(PLAYLIST_FILE_NAME, &g_workingTable, &place) != -1) return 0;

  char scanPath[PATH_LEN];
  if (!PrepareScanPath(g_chosenFolder, scanPath)) return 0;
  ScanFolder(scanPath);
  if (g_searchStopRequested.load()) return 0;

  if (creation) {
    return SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES, &place) == 0 ? 1 : 0;
  }
  std::memcpy(&g_scanResultTable, &g_workingTable, sizeof g_workingTable);
  return 1;
}

void SearchThreadProc() { g_searchStatus.store(SearchWorker(), std::memory_order_release); }

int AppendScanResult() {
  ClearPlaylistFailure();
  platform::FolderLock lock;
  if (!LockWorkingFolder(&lock)) return 0;
  PlaylistPlace place{lock.Folder(), {}};
  if (!LoadWorkingTableWithCount(&place)) return 0;
  uint32_t count = g_entryCount;
  if (count >= MAX_ENTRIES) return 0;
  for (uint32_t i = 0; i < MAX_ENTRIES && count < MAX_ENTRIES; ++i) {
    const PlaylistEntry& found = g_scanResultTable.entries[i];
    if (IsEmptySlot(found)) break;
    PlaylistEntry& entry = g_workingTable.entries[count++];
    entry.state = STATE_UNTRANSFERRED;
    entry.transferNumber = 0;
    std::memcpy(entry.path, found.path, PATH_LEN);
    entry.fileSize = found.fileSize;
  }
  g_entryCount = count;
  return SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES, &place) == 0 ? 1 : 0;
}
