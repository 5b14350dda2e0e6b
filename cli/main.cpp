// kobaru: the command-line face of Kobaru MP3, working in the current folder.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "platform/interrupt_signal.h"
#include "platform/system_error.h"
#include "store/working_folder_lock.h"

namespace {

struct Verb {
  const char* name;
  int (*run)(cli::Owners& owners, int argc, char** argv);
};

constexpr Verb kVerbs[] = {
    {"create", cli::RunCreate},      {"add", cli::RunAdd},
    {"list", cli::RunList},          {"stats", cli::RunStats},
    {"reset-all", cli::RunResetAll}, {"reset", cli::RunReset},
    {"exclude", cli::RunExclude},    {"mkdir", cli::RunMkdir},
    {"fill", cli::RunFill},          {"seconds", cli::RunSeconds},
    {"play", cli::RunPlay},          {"startup", cli::RunStartup},
};

// The verb's status, before stdout is checked.
int RunVerb(int argc, char** argv) {
  if (argc < 2) return cli::UsageError(nullptr, "missing verb");
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
      std::strcmp(argv[1], "help") == 0) {
    cli::PrintUsage(stdout);
    return cli::EXIT_OK;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("kobaru (Kobaru MP3) %s\n", KOBARU_VERSION);
    return cli::EXIT_OK;
  }
  for (const Verb& verb : kVerbs) {
    if (std::strcmp(argv[1], verb.name) != 0) continue;
    // What a killed run left is tidied before any verb reads.
    cli::ConsoleMessages messages(false);
    ReportBackupOutcome(TidyWorkingFolderAtStart(), messages);
    auto owners = std::make_unique<cli::Owners>();
    return verb.run(*owners, argc, argv);
  }
  return cli::UsageError(nullptr, std::string("unknown verb ") + argv[1]);
}

// Output that never arrived (a full disk, a closed pipe) is a failure, as in
// coreutils: said once on stderr, whatever the verb's status.
int CheckStdout(int status) {
  int error = std::fflush(stdout) == 0 ? 0 : errno;
  if (error == 0 && !std::ferror(stdout)) return status;
  if (error != 0) {
    std::fprintf(stderr, "kobaru: write error: %s\n", platform::ErrorText(error));
  } else {
    std::fputs("kobaru: write error\n", stderr);
  }
  return cli::EXIT_FAILED;
}

}  // namespace

int main(int argc, char** argv) {
  // A closed output ends an operation through its failed writes, never
  // halfway through one.
  platform::IgnoreBrokenPipes();
  int status = CheckStdout(RunVerb(argc, argv));
  if (int signal = platform::CaughtInterrupt(); signal != 0) platform::EndBySignal(signal);
  return status;
}
