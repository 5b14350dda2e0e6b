// Lists one folder's entries, sorted by name bytes, so walks are reproducible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct FolderIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};

enum class EntryKind { File, Folder };

struct FolderEntry {
  const char* name;  // valid until the next call on the reader
  EntryKind kind;
};

// Symbolic links are followed: a link to a folder is a Folder, a link to a
// file a File. Dangling links, devices, pipes and sockets are not listed.
// "." and ".." are listed, as the enumeration of the original platform did.
class FolderReader {
 public:
  FolderReader() = default;
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;
  ~FolderReader();

  // False when the folder can't be opened or read; OpenError() says why.
  bool Open(const char* path);
  int OpenError() const { return openError_; }
  FolderIdentity Identity() const { return identity_; }
  bool Next(FolderEntry* entry);
  // Size in bytes of the file most recently returned by Next.
  uint64_t CurrentFileSize() const;

 private:
  struct Item {
    uint32_t nameOffset;
    unsigned char type;  // d_type
  };
  bool Classify(const Item& item, EntryKind* kind);

  int folderFd_ = -1;
  int openError_ = 0;
  FolderIdentity identity_;
  std::vector<char> names_;
  std::vector<Item> items_;
  size_t next_ = 0;
  uint64_t currentSize_ = 0;
  bool currentSizeKnown_ = false;
  const char* currentName_ = nullptr;
};

}  // namespace platform
