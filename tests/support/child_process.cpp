#include "tests/support/child_process.h"

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

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const std::string& input) {
  static std::atomic<int> serial{0};
  files_ = "/tmp/kobaru-child-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
  const std::string in = files_ + "-in", out = files_ + "-out", err = files_ + "-err";
  WriteFile(in, input);
  std::vector<char*> argv;
  for (const std::string& word : arguments) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  int failed = posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + arguments[0]);
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  for (const char* stream : {"-in", "-out", "-err"}) unlink((files_ + stream).c_str());
}

void ChildProcess::Signal(int signal) { kill(pid_, signal); }

CommandResult ChildProcess::Wait() {
  int status = 0;
  CommandResult result;
  if (waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
  pid_ = -1;
  result.out = ReadFile(files_ + "-out");
  result.err = ReadFile(files_ + "-err");
  return result;
}

std::vector<std::string> Kobaru(const std::vector<std::string>& arguments) {
  std::vector<std::string> words{KOBARU_CLI_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return words;
}

CommandResult RunKobaru(const std::vector<std::string>& arguments, const std::string& input) {
  return ChildProcess(Kobaru(arguments), input).Wait();
}

}  // namespace testing_support
