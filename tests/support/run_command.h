// Runs a program to completion with the given standard input.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct CommandResult {
  int exitStatus = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

CommandResult RunCommand(const std::vector<std::string>& arguments, const std::string& input = "");

// Runs the kobaru companion in the current folder.
CommandResult RunKobaru(const std::vector<std::string>& arguments, const std::string& input = "");

}  // namespace testing_support
