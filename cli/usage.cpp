#include <cstdio>
#include <cstring>

#include "cli/arguments.h"

namespace cli {
namespace {

struct VerbUsage {
  const char* verb;      // as typed, or nullptr for a line that is no verb
  const char* synopsis;  // the verb with its arguments
  const char* summary;
};

constexpr VerbUsage kVerbUsages[] = {
    {"create", "create FOLDER [--ext EXT]", "build kPlayLst.dat from the songs below FOLDER"},
    {"add", "add FOLDER [--ext EXT] [--yes]", "add the songs below FOLDER to the playlist"},
    {"list", "list [--sorted]", "show the playlist in file order, or sorted"},
    {"stats", "stats", "show how many songs are still unsent"},
    {"reset-all", "reset-all [--yes]", "mark every song that is not excluded as unsent"},
    {"reset", "reset NUM...|--match PAT [--yes]", "mark the songs with these registration"},
    {nullptr, "", "numbers, or whose paths match PAT, unsent"},
    {"exclude", "exclude NUM...|--match PAT [--yes]", "exclude the songs so chosen (PAT: a shell"},
    {nullptr, "", "pattern, '*' crosses folders: '*/Podcasts/*')"},
    {"mkdir", "mkdir", "create the kMp3 folder"},
    {"fill", "fill [--dry-run] [MB|all]", "copy random unsent songs into kMp3, up to MB megabytes"},
    {nullptr, "", "(30, 60, 120, 240, 480, 960 or 1920; 240 by default)"},
    {nullptr, "", "or all its free space; --dry-run shows a draw, changes nothing"},
    {"seconds", "seconds [--ms] FILE...", "show each MP3 file's play time (seconds + 3, or ms)"},
    {"play", "play", "open a random song in the player"},
    {"startup", "startup on|off", "switch the start-up song marker kStartUp"},
    {nullptr, "help, --help", "show this text"},
    {nullptr, "--version", "show the version"},
};

}  // namespace

void PrintUsage(FILE* stream) {
  std::fputs(
      "Usage: kobaru VERB [ARGUMENTS]\n"
      "Works on kPlayLst.dat and kMp3 in the current folder.\n"
      "\n",
      stream);
  for (const VerbUsage& usage : kVerbUsages) {
    std::fprintf(stream, "  %-36s%s\n", usage.synopsis, usage.summary);
  }
  std::fputs(
      "\n"
      "EXT defaults to mp3. Questions are answered with y or yes; --yes answers them.\n"
      "play uses the command in KOBARU_PLAYER (the song is appended), else xdg-open.\n",
      stream);
}

int UsageError(const char* verb, const std::string& error) {
  std::fprintf(stderr, "kobaru: %s\n", error.c_str());
  for (const VerbUsage& usage : kVerbUsages) {
    if (verb != nullptr && usage.verb != nullptr && std::strcmp(verb, usage.verb) == 0) {
      std::fprintf(stderr, "Usage: kobaru %s\n", usage.synopsis);
    }
  }
  std::fputs("Try 'kobaru --help'.\n", stderr);
  return EXIT_USAGE;
}

}  // namespace cli
