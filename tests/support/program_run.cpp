#include "tests/support/program_run.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace testing_support {
namespace {

constexpr auto kFileWaitLimit = std::chrono::seconds(20);
constexpr auto kFilePollInterval = std::chrono::milliseconds(5);

std::string CaptureFileName() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/kobaru-run-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  close(fd);
  return pattern;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  std::string outName = CaptureFileName();
  std::string errName = CaptureFileName();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outName.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errName.c_str(), O_WRONLY | O_TRUNC, 0);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (failed != 0 || waitpid(pid, &status, 0) != pid) throw std::runtime_error("cannot run " + program);
  ProgramRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(outName), ReadFile(errName)};
  unlink(outName.c_str());
  unlink(errName.c_str());
  return run;
}

std::string MakeRecordingPlayer(const std::string& scriptPath, const std::string& recordPath) {
  WriteFile(scriptPath,
            "#!/bin/sh\n"
            "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done > \"$0.part\"\n"
            "mv \"$0.part\" " + recordPath + "\n");
  return "/bin/sh " + scriptPath;
}

std::string WaitForFile(const std::string& path) {
  auto deadline = std::chrono::steady_clock::now() + kFileWaitLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string contents = ReadFile(path);
    if (!contents.empty()) return contents;
    std::this_thread::sleep_for(kFilePollInterval);
  }
  return "";
}

}  // namespace testing_support
