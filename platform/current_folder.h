// The process's current folder and the folders made in it.
#pragma once

#include <cstddef>

namespace platform {

// Creates the folder `path` (modes 0777 less the umask). False on failure,
// also when anything of that name exists already.
bool CreateFolder(const char* path);

// Makes `path` the process's current folder: 0, or the system's error code.
int ChangeFolder(const char* path);

// True when `path` is a folder that could be made the current folder (it
// exists, is a folder and no link to one, and may be searched). The current folder is never
// changed, so the test is safe while another thread works in it.
bool CanEnterFolder(const char* path);

// The folder `path` names, as the file system resolves it: absolute, no
// "." or "..", no links. 0, or the system's error code (ENOTDIR when it is
// no folder, ENAMETOOLONG when it does not fit `outSize`).
int ResolveFolder(const char* path, char* out, size_t outSize);

}  // namespace platform
