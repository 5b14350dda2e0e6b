// Runs the built kobaru program in the current folder for CLI tests.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

struct CliResult {
  int exitCode = -1;  // -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `kobaru args...` to its end with stdin empty.
CliResult RunCli(const std::vector<std::string>& args);

// A kobaru process running in the background; its output goes to files.
class CliProcess {
 public:
  explicit CliProcess(const std::vector<std::string>& args);
  ~CliProcess();  // kills and reaps it if still running
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  pid_t pid() const { return pid_; }
  void Signal(int signal);
  CliResult Wait();

 private:
  pid_t pid_ = -1;
  std::string outPath_;
  std::string errPath_;
};

}  // namespace testing_support
