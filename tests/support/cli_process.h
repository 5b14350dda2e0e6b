// A kobaru process in the background, for tests that signal or kill it.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

#include "tests/support/run_command.h"

namespace testing_support {

// A kobaru process running in the background; its output goes to files.
class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::string>& args);
  ~CliProcess();  // kills and reaps it if still running
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  pid_t pid() const { return pid_; }
  void Signal(int signal);
  CommandResult Wait();

 private:
  pid_t pid_ = -1;
  std::string outPath_;
  std::string errPath_;
};

}  // namespace testing_support
