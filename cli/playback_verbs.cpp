// seconds, play and startup: the random player's side of kobaru.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "platform/system_error.h"
#include "playback/marker_files.h"
#include "playback/play_time.h"
#include "playback/song_opener.h"
#include "store/playlist_file.h"

namespace cli {
namespace {

constexpr char kOn[] = "on";
constexpr char kOff[] = "off";

// A banner click on the command line: no timer, no beep.
class ShellPlaybackHost : public PlaybackHost {
 public:
  void StartContinuousTimer() override {}
  void Beep() override {}
  void OpenSong(const char* storedPath) override { started = OpenSongInShell(storedPath); }
  bool started = false;
};

}  // namespace

int RunSeconds(Owners&, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{"--ms"}, {}, 1, SIZE_MAX}, &arguments, &error)) {
    return UsageError(argv[1], error);
  }
  bool milliseconds = arguments.Has("--ms");
  for (const std::string& file : arguments.positional) {
    if (milliseconds) {
      std::printf("%d\t%s\n", GetSongMilliseconds(file.c_str()), file.c_str());
    } else {
      std::printf("%u\t%s\n", GetSongSeconds(file.c_str()), file.c_str());
    }
  }
  return EXIT_OK;
}

int RunPlay(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 0, 0}, &arguments, &error))
    return UsageError(argv[1], error);
  if (!RequirePlaylist()) return EXIT_FAILED;
  owners.playlist.playlistPresent = IsFilePresent(PLAYLIST_FILE_NAME);
  ShellPlaybackHost host;
  owners.continuous.OnBannerClick(host);
  if (!owners.player.SongChosen()) return EXIT_FAILED;
  char shown[PATH_LEN + 1];
  CollapseSeparators(owners.player.ChosenSong(), shown);
  if (!host.started) {
    std::fprintf(stderr, "kobaru: cannot start the player (%s, else %s) for %s\n",
                 PLAYER_VARIABLE, platform::DESKTOP_OPENER, shown);
    return EXIT_FAILED;
  }
  std::printf("%s\n", shown);
  return EXIT_OK;
}

int RunStartup(Owners&, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 1, 1}, &arguments, &error))
    return UsageError(argv[1], error);
  const std::string& choice = arguments.positional[0];
  if (choice != kOn && choice != kOff) return UsageError(argv[1], "startup takes on or off");
  if (SetStartUpMarker(choice == kOn)) return EXIT_OK;
  int reason = errno;
  ConsoleMessages messages(false);
  ReportMarkerFailure(messages);
  std::fprintf(stderr, "kobaru: %s: %s\n", STARTUP_MARKER_NAME, platform::ErrorText(reason));
  return EXIT_FAILED;
}

}  // namespace cli
