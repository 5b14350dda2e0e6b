#include "platform/in_flight_marker.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/file_system.h"

namespace platform {
namespace {

constexpr size_t kNameBytes = 4096;

struct Folder {
  int parent;
  const char* name;
  int songsRemoved;
};

// The song a mark names: false unless `entry` is a mark.
bool SongOf(const char* entry, char* song, size_t capacity) {
  size_t prefix = sizeof IN_FLIGHT_MARKER_PREFIX - 1;
  size_t suffix = sizeof IN_FLIGHT_MARKER_SUFFIX - 1;
  size_t length = std::strlen(entry);
  if (length <= prefix + suffix || std::strncmp(entry, IN_FLIGHT_MARKER_PREFIX, prefix) != 0 ||
      std::strcmp(entry + length - suffix, IN_FLIGHT_MARKER_SUFFIX) != 0) {
    return false;
  }
  int written = std::snprintf(song, capacity, "%.*s", static_cast<int>(length - prefix - suffix),
                              entry + prefix);
  return written > 0 && static_cast<size_t>(written) < capacity;
}

// The song goes first: a mark must never outlive it.
bool RemoveMarkedSong(const char* entry, const void* context) {
  char song[kNameBytes];
  if (!SongOf(entry, song, sizeof song)) return false;
  auto* folder = static_cast<Folder*>(const_cast<void*>(context));
  char path[kNameBytes * 2];
  std::snprintf(path, sizeof path, "%s/%s", folder->name, song);
  if (unlinkat(folder->parent, path, 0) == 0) ++folder->songsRemoved;
  return true;
}

}  // namespace

int CreateInFlightMarker(int folder, const char* song, char* marker, size_t capacity) {
  int length = std::snprintf(marker, capacity, "%s%s%s", IN_FLIGHT_MARKER_PREFIX, song,
                             IN_FLIGHT_MARKER_SUFFIX);
  if (length < 0 || static_cast<size_t>(length) >= capacity) return ENAMETOOLONG;
  int fd = openat(folder, marker, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  int error = fsync(fd) == 0 || errno == EINVAL || errno == ENOSYS ? 0 : errno;
  close(fd);
  if (error != 0) unlinkat(folder, marker, 0);
  return error;
}

int RemoveInterruptedSongs(const char* name, int parent) {
  Folder folder{parent, name, 0};
  RemoveMatchingEntries(name, RemoveMarkedSong, &folder, parent);
  return folder.songsRemoved;
}

}  // namespace platform
