#include "playback/song_opener.h"

#include <cstdlib>
#include <cstring>

#include "platform/process_launch.h"
#include "store/folder_names.h"
#include "store/stored_path.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Returns MAX_PLAYER_WORDS + 1 when there are too many words.
size_t SplitWords(PlayerCommand* command) {
  size_t words = 0;
  char* cursor = command->text;
  while (*cursor != '\0') {
    if (IsBlank(*cursor)) {
      *cursor++ = '\0';
      continue;
    }
    if (words == MAX_PLAYER_WORDS) return MAX_PLAYER_WORDS + 1;
    command->argv[words++] = cursor;
    while (*cursor != '\0' && !IsBlank(*cursor)) ++cursor;
  }
  return words;
}

}  // namespace

void CollapseSeparators(const char* storedPath, char* out) {
  const char separator[] = {PATH_SEPARATOR, '\0'};
  CollapseSeparatorRuns(storedPath, PATH_LEN, separator, out, PATH_LEN + 1);
}

bool BuildPlayerCommand(const char* player, const char* storedPath, PlayerCommand* command) {
  std::memset(command, 0, sizeof *command);
  if (player != nullptr && std::strlen(player) >= sizeof command->text) return false;
  std::strcpy(command->text, player != nullptr ? player : "");
  size_t words = SplitWords(command);
  if (words > MAX_PLAYER_WORDS) return false;
  if (words == 0) {
    std::strcpy(command->text, DESKTOP_OPENER);
    command->argv[words++] = command->text;
  }
  CollapseSeparators(storedPath, command->path);
  command->argv[words++] = command->path;
  command->argv[words] = nullptr;
  return true;
}

void OpenSongInShell(const char* storedPath) {
  PlayerCommand command;
  if (!BuildPlayerCommand(std::getenv(PLAYER_VARIABLE), storedPath, &command)) return;
  platform::LaunchDetached(command.argv);
}
