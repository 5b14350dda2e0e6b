// Creating and deleting marker files. POSIX only.
#pragma once

namespace platform {

// Creates `name` empty or truncates it. Refused, and left as it is, when
// `name` is a symbolic link (its target is never touched), not a regular
// file, or a file without any write bit (even for root, as in
// CanOpenExistingForWrite). A pipe of that name does not block.
bool CreateEmptyFile(const char* name);
// Removes the regular file `name`. False when it is missing, a symbolic
// link, anything else that is not a regular file, or without any write bit.
bool DeleteExistingFile(const char* name);
// Both leave errno saying why when they return false: the failed call's code,
// or ELOOP (a link), EISDIR, EINVAL (not a regular file), EACCES (no write bit).

}  // namespace platform
