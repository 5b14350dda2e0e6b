// Hands a song to the command in KOBARU_PLAYER, or to xdg-open.
#pragma once

#include "platform/handoff_command.h"
#include "store/playlist_entry.h"

inline constexpr char PLAYER_VARIABLE[] = "KOBARU_PLAYER";

// At most PATH_LEN bytes of `storedPath`, every run of '/' as one, into
// `out` (PATH_LEN + 1 bytes).
void CollapseSeparators(const char* storedPath, char* out);

// `player` split at blanks (the desktop's opener when null or blank), then
// the collapsed path. False when it does not fit.
bool BuildPlayerCommand(const char* player, const char* storedPath,
                        platform::HandoffCommand* command);

// Starts the player detached. False when it could not be started.
bool OpenSongInShell(const char* storedPath);
