#include "tests/support/cli_process.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace testing_support {

CliProcess::CliProcess(const std::vector<std::string>& args) {
  static std::atomic<int> serial{0};
  std::string prefix =
      "/tmp/kobaru-cli-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
  outPath_ = prefix + "-out";
  errPath_ = prefix + "-err";
  std::vector<std::string> words{KOBARU_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start kobaru");
}

CliProcess::~CliProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  unlink(outPath_.c_str());
  unlink(errPath_.c_str());
}

void CliProcess::Signal(int signal) { kill(pid_, signal); }

CommandResult CliProcess::Wait() {
  int status = 0;
  CommandResult result;
  if (waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status))
    result.exitStatus = WEXITSTATUS(status);
  pid_ = -1;
  result.out = ReadFile(outPath_);
  result.err = ReadFile(errPath_);
  return result;
}

}  // namespace testing_support
