#include "tests/support/run_command.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {
namespace {

void Pipe(int fds[2]) {
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
}

// Feeds `input` and drains both outputs together, so no pipe fills up.
void Exchange(int in, int out, int err, const std::string& input, CommandResult* result) {
  size_t fed = 0;
  if (input.empty()) close(in), in = -1;
  pollfd fds[3] = {{out, POLLIN, 0}, {err, POLLIN, 0}, {in, POLLOUT, 0}};
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    if (poll(fds, 3, -1) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
      } else {
        (i == 0 ? result->out : result->err).append(buffer, static_cast<size_t>(got));
      }
    }
    if (fds[2].fd >= 0 && fds[2].revents != 0) {
      ssize_t put = write(in, input.data() + fed, input.size() - fed);
      if (put > 0) fed += static_cast<size_t>(put);
      if (put <= 0 || fed == input.size()) {
        close(in);
        fds[2].fd = -1;
      }
    }
  }
  if (fds[2].fd >= 0) close(fds[2].fd);
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& arguments, const std::string& input) {
  std::signal(SIGPIPE, SIG_IGN);  // a program that ignores its input must not kill the test
  int in[2], out[2], err[2];
  Pipe(in);
  Pipe(out);
  Pipe(err);
  pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    std::signal(SIGPIPE, SIG_DFL);  // as a shell starts it
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  CommandResult result;
  Exchange(in[1], out[0], err[0], input, &result);
  int status = 0;
  waitpid(child, &status, 0);
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

CommandResult RunKobaru(const std::vector<std::string>& arguments, const std::string& input) {
  std::vector<std::string> command{KOBARU_CLI_PATH};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunCommand(command, input);
}

}  // namespace testing_support
