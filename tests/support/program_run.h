// Runs a program to its end and captures what it printed.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ProgramRun {
  int status;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` in the current folder and environment.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// Writes a shell script at `scriptPath` that records its arguments, one a
// line, into `recordPath` (whole, through a rename) and returns a command
// that runs it, for KOBARU_PLAYER. Neither path may hold a blank.
std::string MakeRecordingPlayer(const std::string& scriptPath, const std::string& recordPath);

// Waits (up to a generous limit) until `path` exists and is not empty, then
// returns its contents; empty when it never appeared.
std::string WaitForFile(const std::string& path);

}  // namespace testing_support
