#include "store/playlist_file.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/file_system.h"
#include "store/table_images.h"

namespace {

// Written by whichever thread ran the operation, read by the front end
// after it has ended.
std::atomic<int32_t> g_failedAccess{static_cast<int32_t>(PlaylistAccess::None)};
std::atomic<int> g_failureError{0};

// The failure of a write, told apart from a file put in the playlist's place.
void RecordWriteFailure(int error) {
  bool replaced = error == platform::FILE_REPLACED;
  RecordPlaylistFailure(replaced ? PlaylistAccess::Replaced : PlaylistAccess::Write, error);
}

}  // namespace

int32_t LoadTable(const char* fileName, PlaylistTable* image, PlaylistPlace* place) {
  int error = 0;
  platform::FileIdentity* read = place != nullptr ? &place->loaded : nullptr;
  int folder = place != nullptr ? place->folder : platform::CURRENT_FOLDER;
  int64_t bytes = platform::ReadFileStart(fileName, image, TABLE_BYTES, &error, read, folder);
  if (bytes < 0) RecordPlaylistFailure(PlaylistAccess::Read, error);
  return static_cast<int32_t>(bytes);
}

int32_t SaveTable(const char* fileName, const PlaylistTable* image, uint32_t byteCount,
                  const PlaylistPlace* place) {
  if (byteCount > TABLE_BYTES) byteCount = TABLE_BYTES;
  PlaylistPlace anywhere;
  if (place == nullptr) place = &anywhere;
  int error =
      platform::ReplaceFileContents(fileName, image, byteCount, &place->loaded, place->folder);
  if (error == 0) return 0;
  RecordWriteFailure(error);
  return -1;
}

int32_t SaveRecord(const char* fileName, const PlaylistTable* image, uint32_t slot,
                   const PlaylistPlace* place) {
  if (slot >= MAX_ENTRIES) return -1;
  PlaylistPlace anywhere;
  if (place == nullptr) place = &anywhere;
  int error =
      platform::OverwriteFileRange(fileName, uint64_t{slot} * RECORD_SIZE, &image->entries[slot],
                                   RECORD_SIZE, &place->loaded, place->folder);
  if (error == 0) return 0;
  RecordWriteFailure(error);
  return -1;
}

uint32_t CountEntries(const PlaylistTable& image) {
  uint32_t count = 0;
  while (count < MAX_ENTRIES && !IsEmptySlot(image.entries[count])) ++count;
  return count;
}

bool IsFilePresent(const char* fileName) { return platform::CanOpenExistingForWrite(fileName); }

bool LoadWorkingTableWithCount(PlaylistPlace* place) {
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  if (LoadTable(PLAYLIST_FILE_NAME, &g_workingTable, place) == -1) return false;
  g_entryCount = CountEntries(g_workingTable);
  return true;
}

PlaylistFailure LastPlaylistFailure() {
  return {static_cast<PlaylistAccess>(g_failedAccess.load()), g_failureError.load()};
}

void ClearPlaylistFailure() { RecordPlaylistFailure(PlaylistAccess::None, 0); }

void RecordPlaylistFailure(PlaylistAccess access, int error) {
  g_failureError.store(error);
  g_failedAccess.store(static_cast<int32_t>(access));
}
