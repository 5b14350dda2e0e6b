// A kobaru process in the background, for tests that signal or kill it.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/run_command.h"

namespace testing_support {

// Its output goes to files outside the test's folder, never into kMp3.
class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::string>& args);
  ~CliProcess();  // kills and reaps it if still running
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  void Signal(int signal);
  CommandResult Wait();

 private:
  pid_t pid_ = -1;
  std::string outPath_;
  std::string errPath_;
};

}  // namespace testing_support
