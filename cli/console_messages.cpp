#include "cli/console_messages.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "platform/system_error.h"
#include "store/playlist_file.h"

namespace cli {

void ReportPlaylistFailure(const Playlist& playlist) {
  PlaylistFailure failure = playlist.failure.Last();
  switch (failure.access) {
    case PlaylistAccess::None:
      return;
    case PlaylistAccess::Lock:
      std::fprintf(stderr,
                   "kobaru: another program is changing %s in this folder; try again when it has "
                   "finished\n",
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

bool AskYes(const char* question, bool assumeYes) {
  if (assumeYes) return true;
  std::printf("%s [y/N] ", question);
  std::fflush(stdout);
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
