// A stand-in for the desktop's player that records how it was started.
#pragma once

#include <string>

namespace testing_support {

// Writes a shell script at `scriptPath` that records its arguments, one a
// line, into `recordPath` (whole, through a rename) and returns a command
// that runs it, for KOBARU_PLAYER. Neither path may hold a blank.
std::string MakeRecordingPlayer(const std::string& scriptPath, const std::string& recordPath);

// Waits (up to a generous limit) until `path` exists and is not empty, then
// returns its contents; empty when it never appeared.
std::string WaitForFile(const std::string& path);

}  // namespace testing_support
