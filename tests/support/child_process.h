// A program started for a test, which may signal or kill it before waiting.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

struct CommandResult {
  int exitStatus = -1;  // -1 when the program did not exit normally
  int signal = 0;       // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// Runs `arguments` (the program's path first) on `input` with SIGPIPE at its
// default, as a shell starts it. Its streams are files outside the current
// folder, never in kMp3 or on a small volume.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& arguments, const std::string& input = "");
  ~ChildProcess();  // kills and reaps it if still running
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Signal(int signal);
  pid_t pid() const { return pid_; }
  CommandResult Wait();

 private:
  pid_t pid_ = -1;
  std::string files_;  // the streams are files_ + "-in", "-out" and "-err"
};

// The kobaru companion's command line with `arguments`.
std::vector<std::string> Kobaru(const std::vector<std::string>& arguments);
// Runs the kobaru companion in the current folder to its end.
CommandResult RunKobaru(const std::vector<std::string>& arguments, const std::string& input = "");

}  // namespace testing_support
