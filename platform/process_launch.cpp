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
// `report` stays open, close-on-exec, as the first other descriptor.
void PrepareStreams(int report) {
  // Moved clear of the three streams first: opened while one of them was
  // closed, it may have taken its number.
  int kept = fcntl(report, F_DUPFD_CLOEXEC, kFirstOtherDescriptor);
  int null = open(kNullDevice, O_RDWR);
  if (null >= 0) {
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  if (kept > kFirstOtherDescriptor) dup3(kept, kFirstOtherDescriptor, O_CLOEXEC);
  closefrom(kFirstOtherDescriptor + 1);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGPIPE, SIG_DFL);
}

// Gone as soon as the program runs, so that init (or a subreaper) adopts and
// reaps it. The pipe closes on a successful exec and carries the failure's
// errno otherwise, so that a program that can't start is not taken for one
// that did.
[[noreturn]] void RunIntermediate(char* const argv[]) {
  setsid();
  int execResult[2];
  if (pipe2(execResult, O_CLOEXEC) != 0) _exit(kCannotStart);
  pid_t program = fork();
  if (program == 0) {
    close(execResult[0]);
    PrepareStreams(execResult[1]);
    execvp(argv[0], argv);
    int error = errno;
    (void)!write(kFirstOtherDescriptor, &error, sizeof error);
    _exit(kCannotStart);
  }
  close(execResult[1]);
  int error = 0;
  ssize_t got;
  while ((got = read(execResult[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  _exit(program < 0 || got > 0 ? kCannotStart : 0);
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
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
