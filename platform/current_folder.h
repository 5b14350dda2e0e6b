// The process's current folder and the folders made in it.
#pragma once

namespace platform {

// Makes `path` the current folder of the whole process. False on failure.
bool ChangeCurrentFolder(const char* path);

// Creates the folder `path` (modes 0777 less the umask). False on failure,
// also when anything of that name exists already.
bool CreateFolder(const char* path);

// True when `path` is a folder that could be made the current folder (it
// exists, is a folder, and may be searched). The current folder is never
// changed, so the test is safe while another thread works in it.
bool CanEnterFolder(const char* path);

}  // namespace platform
