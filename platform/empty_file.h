// Creating and deleting marker files. POSIX only.
#pragma once

namespace platform {

// Creates `name` empty or truncates it. A file without any write bit is
// refused even for root, as in CanOpenExistingForWrite.
bool CreateEmptyFile(const char* name);
// False when `name` is missing, a folder or cannot be removed.
bool DeleteExistingFile(const char* name);

}  // namespace platform
