// Hands a song to the command in KOBARU_PLAYER, or to xdg-open.
#pragma once

#include <cstddef>

#include "store/playlist_entry.h"

inline constexpr char PLAYER_VARIABLE[] = "KOBARU_PLAYER";
inline constexpr char DESKTOP_OPENER[] = "xdg-open";
inline constexpr size_t PLAYER_COMMAND_BYTES = 1024;
inline constexpr size_t MAX_PLAYER_WORDS = 32;

struct PlayerCommand {
  char text[PLAYER_COMMAND_BYTES];
  char path[PATH_LEN + 1];
  char* argv[MAX_PLAYER_WORDS + 2];  // into text and path
};

// At most PATH_LEN bytes of `storedPath`, every run of '/' as one, into
// `out` (PATH_LEN + 1 bytes).
void CollapseSeparators(const char* storedPath, char* out);

// `player` split at blanks (DESKTOP_OPENER when null or blank), then the
// collapsed path. False when it does not fit.
bool BuildPlayerCommand(const char* player, const char* storedPath, PlayerCommand* command);

// Starts the player detached; a failure is not reported.
void OpenSongInShell(const char* storedPath);
