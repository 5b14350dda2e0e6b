#include "store/playlist_file.h"

#include <cstring>

#include "platform/file_system.h"
#include "store/table_images.h"

int32_t LoadTable(const char* fileName, PlaylistTable* image) {
  return static_cast<int32_t>(platform::ReadFileStart(fileName, image, TABLE_BYTES));
}

int32_t SaveTable(const char* fileName, const PlaylistTable* image, uint32_t byteCount) {
  if (byteCount > TABLE_BYTES) byteCount = TABLE_BYTES;
  return platform::ReplaceFileContents(fileName, image, byteCount) ? 0 : -1;
}

uint32_t CountEntries(const PlaylistTable& image) {
  uint32_t count = 0;
  while (count < MAX_ENTRIES && !IsEmptySlot(image.entries[count])) ++count;
  return count;
}

bool IsFilePresent(const char* fileName) { return platform::CanOpenExistingForWrite(fileName); }

bool LoadWorkingTableWithCount() {
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &g_workingTable) == -1) return false;
  g_entryCount = CountEntries(g_workingTable);
  return true;
}
