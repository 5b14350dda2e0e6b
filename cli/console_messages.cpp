#include "cli/console_messages.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "platform/file_system.h"
#include "platform/system_error.h"
#include "store/playlist_file.h"

namespace cli {

void ReportPlaylistFailure(const Playlist& playlist) {
  PlaylistFailure failure = playlist.failure.Last();
  switch (failure.access) {
    case PlaylistAccess::None:
      return;
    case PlaylistAccess::Lock:
      if (failure.error != EWOULDBLOCK) {
        std::fprintf(stderr, "kobaru: cannot lock this folder or %s: %s; nothing changed\n",
                     PLAYLIST_FILE_NAME, platform::ErrorText(failure.error));
        return;
      }
      std::fprintf(stderr,
                   "kobaru: another program is changing %s in this folder; try again when it has "
                   "finished\n",
                   PLAYLIST_FILE_NAME);
      return;
    case PlaylistAccess::Replaced:
      std::fprintf(stderr,
                   "kobaru: another program replaced %s meanwhile; stopped, and it was not "
                   "written over\n",
                   PLAYLIST_FILE_NAME);
      return;
    case PlaylistAccess::Read:
    case PlaylistAccess::Write:
      std::fprintf(stderr, "kobaru: cannot %s %s: %s\n",
                   failure.access == PlaylistAccess::Read ? "read" : "write", PLAYLIST_FILE_NAME,
                   platform::ErrorText(failure.error));
      return;
  }
}

bool RequirePlaylist() {
  if (platform::PathExists(PLAYLIST_FILE_NAME)) return true;
  std::fprintf(stderr, "kobaru: there is no playlist (%s) in this folder\n", PLAYLIST_FILE_NAME);
  return false;
}

// On stderr, so that the question shows while stdout goes to a file.
bool AskYes(const char* question, bool assumeYes) {
  if (assumeYes) return true;
  std::fprintf(stderr, "%s [y/N] ", question);
  char answer[64] = {};
  if (std::fgets(answer, sizeof answer, stdin) == nullptr) return false;
  char* start = answer;
  while (std::isspace(static_cast<unsigned char>(*start))) ++start;
  size_t length = std::strlen(start);
  while (length > 0 && std::isspace(static_cast<unsigned char>(start[length - 1]))) --length;
  start[length] = '\0';
  return strcasecmp(start, "y") == 0 || strcasecmp(start, "yes") == 0;
}

platform::MessageAnswer ConsoleMessages::Show(const platform::MessageRequest& request) {
  if (request.buttons == platform::MessageButtons::YesNo) {
    return AskYes(request.text, assumeYes_) ? platform::MessageAnswer::Yes
                                            : platform::MessageAnswer::No;
  }
  std::fprintf(request.reportsFailure ? stderr : stdout, "%s\n", request.text);
  return platform::MessageAnswer::Ok;
}

}  // namespace cli
