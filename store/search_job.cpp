#include "store/search_job.h"

#include <cstring>

#include "store/folder_names.h"
#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/stored_path.h"
#include "store/working_folder_lock.h"

SearchJob::SearchJob(Playlist& playlist, platform::ThreadStarts starts)
    : playlist_(playlist), worker_(starts) {
  ResetWantedExtension();
}

SearchJob::~SearchJob() {
  RequestStop();
  worker_.Join();
}

bool SearchJob::TakeExtensionEntry(const char* typed) {
  std::memset(wantedExtension, 0, sizeof wantedExtension);
  std::memcpy(wantedExtension, typed, strnlen(typed, PATH_LEN - 1));
  if (wantedExtension[0] == '\0') {
    ResetWantedExtension();
    return false;
  }
  if (char* space = std::strchr(wantedExtension, ' ')) *space = '\0';
  LowerAscii(wantedExtension, std::strlen(wantedExtension));
  return true;
}

void SearchJob::ResetWantedExtension() {
  std::memset(wantedExtension, 0, sizeof wantedExtension);
  std::memcpy(wantedExtension, DEFAULT_EXTENSION, sizeof DEFAULT_EXTENSION);
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

bool SearchJob::Prepare(const char* folder, bool addition) {
  std::memset(chosenFolder, 0, sizeof chosenFolder);
  size_t length = strnlen(folder, PATH_LEN);
  while (length > 1 && folder[length - 1] == PATH_SEPARATOR) --length;
  if (length >= PATH_LEN) {
    searchStatus = SearchStatus::Failed;
    return false;
  }
  std::memcpy(chosenFolder, folder, length);
  addMode = addition;
  if (addition) std::memset(&scanResultTable, 0, sizeof scanResultTable);
  searchStopRequested = false;
  searchStatus = SearchStatus::None;
  scanReport_.Clear();
  return true;
}

bool SearchJob::Start() {
  searchStatus.store(SearchStatus::None, std::memory_order_release);
  if (worker_.Start(Body, this)) return true;
  searchStatus.store(SearchStatus::Failed, std::memory_order_release);
  return false;
}

SearchStatus SearchJob::Wait() {
  worker_.Join();
  return Status();
}

void SearchJob::Body(void* self) {
  auto* job = static_cast<SearchJob*>(self);
  SearchStatus outcome = job->Work() == 1 ? SearchStatus::Succeeded : SearchStatus::Failed;
  job->searchStatus.store(outcome, std::memory_order_release);
}

int SearchJob::Work() {
  playlist_.failure.Clear();
  playlist_.entryCount = 0;
  std::memset(&playlist_.workingTable, 0, sizeof playlist_.workingTable);
  bool creation = !addMode;
  platform::FolderLock lock;
  if (creation && !LockWorkingFolder(&lock, playlist_.failure)) return 0;
  PlaylistPlace place{lock.Folder(), {}};
  if (creation &&
      LoadTable(PLAYLIST_FILE_NAME, &playlist_.workingTable, &place, &playlist_.failure) != -1) {
    return 0;
  }

  char scanPath[PATH_LEN];
  if (!PrepareScanPath(chosenFolder, scanPath)) return 0;
  ScanFolder(scanPath,
             {playlist_, wantedExtension, foundExtension, searchStopRequested, &scanReport_});
  if (searchStopRequested.load()) return 0;

  if (creation) return SaveWorkingTable(place);
  std::memcpy(&scanResultTable, &playlist_.workingTable, sizeof scanResultTable);
  return 1;
}

int SearchJob::AppendScanResult() {
  playlist_.failure.Clear();
  platform::FolderLock lock;
  if (!LockWorkingFolder(&lock, playlist_.failure)) return 0;
  PlaylistPlace place{lock.Folder(), {}};
  if (!playlist_.LoadWithCount(&place)) return 0;
  uint32_t count = playlist_.entryCount;
  if (count >= MAX_ENTRIES) return 0;
  for (uint32_t i = 0; i < MAX_ENTRIES && count < MAX_ENTRIES; ++i) {
    const PlaylistEntry& found = scanResultTable.entries[i];
    if (IsEmptySlot(found)) break;
    PlaylistEntry& entry = playlist_.workingTable.entries[count++];
    entry.state = STATE_UNTRANSFERRED;
    entry.transferNumber = 0;
    std::memcpy(entry.path, found.path, PATH_LEN);
    entry.fileSize = found.fileSize;
  }
  uint32_t appended = count - playlist_.entryCount;
  scanReport_.songsPastLimit.fetch_add(CountEntries(scanResultTable) - appended);
  playlist_.entryCount = count;
  return SaveWorkingTable(place);
}

int SearchJob::SaveWorkingTable(const PlaylistPlace& place) {
  int32_t saved = SaveTable(PLAYLIST_FILE_NAME, &playlist_.workingTable, TABLE_BYTES, &place,
                            &playlist_.failure);
  return saved == 0 ? 1 : 0;
}
