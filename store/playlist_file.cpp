#include "store/playlist_file.h"

#include "platform/file_system.h"

namespace {

void Note(FailureRecord* failure, PlaylistAccess access, int error) {
  if (failure != nullptr) failure->Record(access, error);
}

// The failure of a write, told apart from a file put in the playlist's place.
void NoteWriteFailure(FailureRecord* failure, int error) {
  bool replaced = error == platform::FILE_REPLACED;
  Note(failure, replaced ? PlaylistAccess::Replaced : PlaylistAccess::Write, error);
}

}  // namespace

int32_t LoadTable(const char* fileName, PlaylistTable* image, PlaylistPlace* place,
                  FailureRecord* failure) {
  int error = 0;
  platform::FileIdentity* read = place != nullptr ? &place->loaded : nullptr;
  int folder = place != nullptr ? place->folder : platform::CURRENT_FOLDER;
  int64_t bytes = platform::ReadFileStart(fileName, image, TABLE_BYTES, &error, read, folder);
  if (bytes < 0) Note(failure, PlaylistAccess::Read, error);
  return static_cast<int32_t>(bytes);
}

int32_t SaveTable(const char* fileName, const PlaylistTable* image, uint32_t byteCount,
                  const PlaylistPlace* place, FailureRecord* failure) {
  if (byteCount > TABLE_BYTES) byteCount = TABLE_BYTES;
  PlaylistPlace anywhere;
  if (place == nullptr) place = &anywhere;
  int error =
      platform::ReplaceFileContents(fileName, image, byteCount, &place->loaded, place->folder);
  if (error == 0) return 0;
  NoteWriteFailure(failure, error);
  return -1;
}

int32_t SaveRecord(const char* fileName, const PlaylistTable* image, uint32_t slot,
                   const PlaylistPlace* place, FailureRecord* failure) {
  if (slot >= MAX_ENTRIES) return -1;
  PlaylistPlace anywhere;
  if (place == nullptr) place = &anywhere;
  int error =
      platform::OverwriteFileRange(fileName, uint64_t{slot} * RECORD_SIZE, &image->entries[slot],
                                   RECORD_SIZE, &place->loaded, place->folder);
  if (error == 0) return 0;
  NoteWriteFailure(failure, error);
  return -1;
}

uint32_t CountEntries(const PlaylistTable& image) {
  uint32_t count = 0;
  while (count < MAX_ENTRIES && !IsEmptySlot(image.entries[count])) ++count;
  return count;
}

bool IsFilePresent(const char* fileName) { return platform::CanOpenExistingForWrite(fileName); }
