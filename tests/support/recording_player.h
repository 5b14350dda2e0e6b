// A stand-in for the desktop's player that records how it was started.
#pragma once

#include <string>

namespace testing_support {

// Writes a shell script at `scriptPath` that records its arguments, one a
// line, into `recordPath` (whole, through a rename) and returns a command
// that runs it, for KOBARU_PLAYER. Neither path may hold a blank.
std::string MakeRecordingPlayer(const std::string& scriptPath, const std::string& recordPath);

// The contents of `path` once it exists and is not empty; empty when that
// does not happen within twenty seconds.
std::string WaitForFile(const std::string& path);

}  // namespace testing_support
