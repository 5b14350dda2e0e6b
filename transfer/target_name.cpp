#include "transfer/target_name.h"

#include <cstdio>
#include <cstring>

namespace transfer_run {

// Everything after the path's last '.', case kept; empty when there is no
// '.' or only a leading one. The field may lack its terminator.
void TakeSourceExtension(RunState* run, const PlaylistEntry& entry) {
  std::memset(run->extension, 0, sizeof run->extension);
  size_t length = strnlen(entry.path, PATH_LEN);
  const char* dot = static_cast<const char*>(memrchr(entry.path, '.', length));
  if (dot == nullptr || dot == entry.path) return;
  std::memcpy(run->extension, dot + 1, length - static_cast<size_t>(dot + 1 - entry.path));
}

// TARGET_NAME_FORMAT with the next number and the source's extension. The format
// is filled with an empty extension and the extension appended after its
// length is checked. False when the name would not fit its buffer.
bool FormatTarget(RunState* run) {
  int prefix = std::snprintf(run->target, sizeof run->target, TARGET_NAME_FORMAT,
                             static_cast<int>(run->nextNumber), "");
  size_t extension = strnlen(run->extension, sizeof run->extension);
  if (prefix < 0 || static_cast<size_t>(prefix) + extension >= sizeof run->target) return false;
  std::memcpy(run->target + prefix, run->extension, extension + 1);
  return true;
}

// Numbers whose name is taken in kMp3, by whatever, are passed over.
bool SkipTakenNumbers(RunState* run) {
  while (platform::IsNameTaken(run->targetFolder.fd(), run->target)) {
    if (++run->nextNumber > MAX_TRANSFER_NUMBER) return false;
    FormatTarget(run);
  }
  return true;
}

}  // namespace transfer_run
