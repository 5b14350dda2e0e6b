#include "store/playlist_file.h"

#include "platform/file_system.h"

namespace {

void Note(FailureRecord* failure, PlaylistAccess access, int error) {
  if (failure != nullptr) failure->Record(access, error);
}

}  // namespace

int32_t LoadTable(const char* fileName, PlaylistTable* image, FailureRecord* failure) {
  int error = 0;
  int64_t bytes = platform::ReadFileStart(fileName, image, TABLE_BYTES, &error);
  if (bytes < 0) Note(failure, PlaylistAccess::Read, error);
  return static_cast<int32_t>(bytes);
}

int32_t SaveTable(const char* fileName, const PlaylistTable* image, uint32_t byteCount,
                  FailureRecord* failure) {
  if (byteCount > TABLE_BYTES) byteCount = TABLE_BYTES;
  int error = platform::ReplaceFileContents(fileName, image, byteCount);
  if (error == 0) return 0;
  Note(failure, PlaylistAccess::Write, error);
  return -1;
}

int32_t SaveRecord(const char* fileName, const PlaylistTable* image, uint32_t slot,
                   FailureRecord* failure) {
  if (slot >= MAX_ENTRIES) return -1;
  int error = platform::OverwriteFileRange(fileName, uint64_t{slot} * RECORD_SIZE,
                                           &image->entries[slot], RECORD_SIZE);
  if (error == 0) return 0;
  Note(failure, PlaylistAccess::Write, error);
  return -1;
}

uint32_t CountEntries(const PlaylistTable& image) {
  uint32_t count = 0;
  while (count < MAX_ENTRIES && !IsEmptySlot(image.entries[count])) ++count;
  return count;
}

bool IsFilePresent(const char* fileName) { return platform::CanOpenExistingForWrite(fileName); }
