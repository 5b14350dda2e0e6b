#include "platform/folder_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FolderReader::~FolderReader() {
  if (folderFd_ >= 0) close(folderFd_);
}

bool FolderReader::Open(const char* path) {
  int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    openError_ = errno;
    return false;
  }
  struct stat info;
  if (fstat(fd, &info) != 0) {
    openError_ = errno;
    close(fd);
    return false;
  }
  identity_ = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
  // fdopendir takes over the descriptor it is given; keep our own for fstatat.
  int listFd = dup(fd);
  DIR* folder = listFd >= 0 ? fdopendir(listFd) : nullptr;
  if (folder == nullptr) {
    openError_ = errno;
    if (listFd >= 0) close(listFd);
    close(fd);
    return false;
  }
  folderFd_ = fd;
  while (const dirent* found = readdir(folder)) {
    size_t length = std::strlen(found->d_name);
    items_.push_back({static_cast<uint32_t>(names_.size()), found->d_type});
    names_.insert(names_.end(), found->d_name, found->d_name + length + 1);
  }
  closedir(folder);
  const char* base = names_.data();
  std::sort(items_.begin(), items_.end(), [base](const Item& a, const Item& b) {
    return std::strcmp(base + a.nameOffset, base + b.nameOffset) < 0;
  });
  return true;
}

bool FolderReader::Classify(const Item& item, EntryKind* kind) {
  const char* name = names_.data() + item.nameOffset;
  currentSizeKnown_ = false;
  if (item.type == DT_DIR) {
    *kind = EntryKind::Folder;
    return true;
  }
  if (item.type != DT_REG && item.type != DT_LNK && item.type != DT_UNKNOWN) return false;
  struct stat info;
  if (item.type != DT_REG) {
    if (fstatat(folderFd_, name, &info, 0) != 0) return false;
    if (S_ISDIR(info.st_mode)) {
      *kind = EntryKind::Folder;
      return true;
    }
    if (!S_ISREG(info.st_mode)) return false;
    currentSize_ = static_cast<uint64_t>(info.st_size);
    currentSizeKnown_ = true;
  }
  *kind = EntryKind::File;
  return true;
}

bool FolderReader::Next(FolderEntry* entry) {
  while (next_ < items_.size()) {
    const Item& item = items_[next_++];
    EntryKind kind;
    if (!Classify(item, &kind)) continue;
    currentName_ = names_.data() + item.nameOffset;
    *entry = {currentName_, kind};
    return true;
  }
  return false;
}

uint64_t FolderReader::CurrentFileSize() const {
  if (currentSizeKnown_ || currentName_ == nullptr) return currentSizeKnown_ ? currentSize_ : 0;
  struct stat info;
  if (fstatat(folderFd_, currentName_, &info, 0) != 0) return 0;
  return static_cast<uint64_t>(info.st_size);
}

}  // namespace platform
