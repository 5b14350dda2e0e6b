#include "store/folder_scan.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

#include "platform/folder_reader.h"
#include "store/stored_path.h"

namespace {

constexpr size_t kMaxStoredLength = PATH_LEN - 1;
// Every level adds at least one name byte and two separators.
constexpr int kMaxWalkDepth = static_cast<int>(PATH_LEN / 3) + 2;
constexpr size_t kMaxNameLength = 255;

struct Walk {
  explicit Walk(const ScanTarget& scan) : target(scan) {}
  const ScanTarget& target;
  platform::FolderIdentity folders[kMaxWalkDepth];
  int depth = 0;
};

bool IsOnWalk(const Walk& walk, const platform::FolderIdentity& identity) {
  for (int i = 0; i < walk.depth; ++i) {
    if (walk.folders[i] == identity) return true;
  }
  return false;
}

bool TableFull(const ScanTarget& target) {
  return target.playlist.entryCount.load(std::memory_order_relaxed) >= MAX_ENTRIES;
}

// A stop request ends the walk, and a full table unless the songs past it
// are counted for a report.
bool WalkEnds(const ScanTarget& target) {
  return (TableFull(target) && target.report == nullptr) ||
         target.stopRequested.load(std::memory_order_relaxed);
}

void ReportLeftOut(const ScanTarget& target, const char* path, int error) {
  ScanReport* report = target.report;
  if (report != nullptr && report->onFolderLeftOut != nullptr) {
    report->onFolderLeftOut(report->context, path, error);
  }
}

// A subfolder whose path would not fit a record, told whole.
void ReportTooDeep(const ScanTarget& target, const char* folderPath, const char* name) {
  char path[PATH_LEN + kMaxNameLength + 1];
  std::snprintf(path, sizeof path, "%s%s", folderPath, name);
  ReportLeftOut(target, path, 0);
}

// Puts the lower-cased extension of `name` into the scratch field; false
// when the name has no dot, or only a leading one.
bool TakeExtension(const ScanTarget& target, const char* name) {
  size_t length = strnlen(name, PATH_LEN);
  const char* dot = static_cast<const char*>(memrchr(name, '.', length));
  if (dot == nullptr || dot == name) return false;
  char* found = target.foundExtension;
  std::memset(found, 0, PATH_LEN);
  size_t extensionLength = length - static_cast<size_t>(dot + 1 - name);
  if (extensionLength > kMaxStoredLength) extensionLength = kMaxStoredLength;
  std::memcpy(found, dot + 1, extensionLength);
  LowerAscii(found, extensionLength);
  return std::strcmp(found, target.wantedExtension) == 0;
}

void AppendSong(Playlist& playlist, const char* folderPath, size_t folderLength, const char* name,
                uint64_t size) {
  uint32_t slot = playlist.entryCount.load(std::memory_order_relaxed);
  PlaylistEntry& entry = playlist.workingTable.entries[slot];
  std::memset(&entry, 0, sizeof entry);
  size_t nameLength = strnlen(name, kMaxNameLength);
  size_t fullLength = folderLength + nameLength;
  entry.state = fullLength <= kMaxStoredLength ? STATE_UNTRANSFERRED : STATE_PATH_TOO_LONG;
  std::memcpy(entry.path, folderPath, folderLength);
  size_t nameBytes = fullLength <= kMaxStoredLength ? nameLength : kMaxStoredLength - folderLength;
  std::memcpy(entry.path + folderLength, name, nameBytes);
  entry.transferNumber = 0;
  entry.fileSize = static_cast<uint32_t>(size);
  playlist.entryCount.store(slot + 1, std::memory_order_relaxed);
}

bool IsSkippedFolder(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 ||
         strcasecmp(name, TARGET_FOLDER_NAME) == 0;
}

void ScanAt(const char* folderPath, Walk& walk) {
  if (WalkEnds(walk.target)) return;
  platform::FolderReader reader;
  if (!reader.Open(folderPath)) {
    ReportLeftOut(walk.target, folderPath, reader.OpenError());
    return;
  }
  if (walk.depth >= kMaxWalkDepth || IsOnWalk(walk, reader.Identity())) return;
  walk.folders[walk.depth++] = reader.Identity();

  size_t folderLength = strnlen(folderPath, PATH_LEN);
  platform::FolderEntry found;
  while (!WalkEnds(walk.target) && reader.Next(&found)) {
    if (found.kind == platform::EntryKind::Folder) {
      if (IsSkippedFolder(found.name)) continue;
      size_t nameLength = strnlen(found.name, kMaxNameLength + 1);
      if (folderLength + nameLength + 2 > kMaxStoredLength) {
        ReportTooDeep(walk.target, folderPath, found.name);
        continue;
      }
      char subfolder[PATH_LEN] = {};
      std::memcpy(subfolder, folderPath, folderLength);
      std::memcpy(subfolder + folderLength, found.name, nameLength);
      std::memcpy(subfolder + folderLength + nameLength, STORED_SEPARATOR, 2);
      ScanAt(subfolder, walk);
    } else if (!TakeExtension(walk.target, found.name)) {
      continue;
    } else if (TableFull(walk.target)) {
      walk.target.report->songsPastLimit.fetch_add(1, std::memory_order_relaxed);
    } else {
      AppendSong(walk.target.playlist, folderPath, folderLength, found.name,
                 reader.CurrentFileSize());
    }
  }
  --walk.depth;
}

}  // namespace

void ScanFolder(const char* folderPath, const ScanTarget& target) {
  if (strnlen(folderPath, PATH_LEN) > kMaxStoredLength) return;
  Walk walk(target);
  ScanAt(folderPath, walk);
}
