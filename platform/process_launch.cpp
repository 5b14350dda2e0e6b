#include "platform/process_launch.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char kNullDevice[] = "/dev/null";
constexpr int kFirstOtherDescriptor = 3;
constexpr int kCannotStart = 127;

// Between fork and exec only async-signal-safe calls: the caller may have
// other threads holding locks that the child would inherit taken.
void PrepareStreams() {
  int null = open(kNullDevice, O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  closefrom(kFirstOtherDescriptor);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGPIPE, SIG_DFL);
}

// Gone at once, so that init (or a subreaper) adopts and reaps the program.
[[noreturn]] void RunIntermediate(char* const argv[]) {
  setsid();
  pid_t program = fork();
  if (program != 0) _exit(program < 0 ? kCannotStart : 0);
  PrepareStreams();
  execvp(argv[0], argv);
  _exit(kCannotStart);
}

}  // namespace

bool LaunchDetached(char* const argv[]) {
  if (argv == nullptr || argv[0] == nullptr) return false;
  pid_t intermediate = fork();
  if (intermediate < 0) return false;
  if (intermediate == 0) RunIntermediate(argv);
  int status = 0;
  while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace platform
