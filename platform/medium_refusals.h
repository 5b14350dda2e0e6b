// What a medium refuses: phones seen through media-transfer mounts refuse
// renames and links, and often any change to a file but appending to it.
#pragma once

#include <cerrno>

namespace platform {

// Refusals to pretend, each the error code an operation then fails with (0:
// none). The file services take one so that their other ways can be tried
// on any folder; in use it is all zero and the medium speaks for itself.
struct MediumRefusals {
  int rename = 0;        // renames and links
  int inPlaceWrite = 0;  // opening an existing file for writing without emptying it
  int offsetWrite = 0;   // writing anywhere but at the end of a file
};

// True when `error` says the operation is not available on this medium
// (rather than that it failed): the caller then takes another way.
inline bool IsRefusal(int error) {
  return error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS || error == EPERM ||
         error == EXDEV;
}

}  // namespace platform
