// The command that hands a path to another program (the user's player, a
// file manager): the user's command split at blanks, then the path.
#pragma once

#include <cstddef>

namespace platform {

inline constexpr char DESKTOP_OPENER[] = "xdg-open";
inline constexpr size_t HANDOFF_COMMAND_BYTES = 1024;
inline constexpr size_t HANDOFF_PATH_BYTES = 261;
inline constexpr size_t MAX_HANDOFF_WORDS = 32;

struct HandoffCommand {
  char text[HANDOFF_COMMAND_BYTES];
  char path[HANDOFF_PATH_BYTES];
  char* argv[MAX_HANDOFF_WORDS + 2];  // into text and path
};

// `program` split at blanks (DESKTOP_OPENER when null or blank), then
// `path` as one word. False when either does not fit.
bool BuildHandoffCommand(const char* program, const char* path, HandoffCommand* command);

// Starts the program named by the environment variable `variable` (or the
// desktop's opener) on `path`, detached. False when it could not be started.
bool HandOff(const char* variable, const char* path);

}  // namespace platform
