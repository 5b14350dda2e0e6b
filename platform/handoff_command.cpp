#include "platform/handoff_command.h"

#include <cstdlib>
#include <cstring>

#include "platform/process_launch.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Returns MAX_HANDOFF_WORDS + 1 when there are too many words.
size_t SplitWords(HandoffCommand* command) {
  size_t words = 0;
  char* cursor = command->text;
  while (*cursor != '\0') {
    if (IsBlank(*cursor)) {
      *cursor++ = '\0';
      continue;
    }
    if (words == MAX_HANDOFF_WORDS) return MAX_HANDOFF_WORDS + 1;
    command->argv[words++] = cursor;
    while (*cursor != '\0' && !IsBlank(*cursor)) ++cursor;
  }
  return words;
}

}  // namespace

bool BuildHandoffCommand(const char* program, const char* path, HandoffCommand* command) {
  std::memset(command, 0, sizeof *command);
  if (program != nullptr && std::strlen(program) >= sizeof command->text) return false;
  if (std::strlen(path) >= sizeof command->path) return false;
  std::strcpy(command->text, program != nullptr ? program : "");
  size_t words = SplitWords(command);
  if (words > MAX_HANDOFF_WORDS) return false;
  if (words == 0) {
    std::strcpy(command->text, DESKTOP_OPENER);
    command->argv[words++] = command->text;
  }
  std::strcpy(command->path, path);
  command->argv[words++] = command->path;
  command->argv[words] = nullptr;
  return true;
}

bool HandOff(const char* variable, const char* path) {
  HandoffCommand command;
  return BuildHandoffCommand(std::getenv(variable), path, &command) &&
         LaunchDetached(command.argv);
}

}  // namespace platform
