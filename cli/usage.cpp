#include <cstdio>

#include "cli/arguments.h"

namespace cli {

void PrintUsage(FILE* stream) {
  std::fputs(
      "Usage: kobaru VERB [ARGUMENTS]\n"
      "Works on kPlayLst.dat and kMp3 in the current folder.\n"
      "\n"
      "  create FOLDER [--ext EXT]       build kPlayLst.dat from the songs below FOLDER\n"
      "  add FOLDER [--ext EXT] [--yes]  add the songs below FOLDER to the playlist\n"
      "  list [--sorted]                 show the playlist in file order, or sorted\n"
      "  stats                           show how many songs are still unsent\n"
      "  reset-all [--yes]               mark every song that is not excluded as unsent\n"
      "  reset NUM... [--yes]            mark the songs with these registration numbers unsent\n"
      "  exclude NUM... [--yes]          exclude the songs with these registration numbers\n"
      "  mkdir                           create the kMp3 folder\n"
      "  fill [MB]                       copy random unsent songs into kMp3, up to MB megabytes\n"
      "                                  (30, 60, 120, 240, 480, 960 or 1920; 240 by default)\n"
      "  seconds [--ms] FILE...          show each MP3 file's play time (seconds + 3, or ms)\n"
      "  play                            open a random song in the player\n"
      "  startup on|off                  switch the start-up song marker kStartUp\n"
      "  help, --help                    show this text\n"
      "  --version                       show the version\n"
      "\n"
      "EXT defaults to mp3. Questions are answered with y or yes; --yes answers them.\n"
      "play uses the command in KOBARU_PLAYER (the song is appended), else xdg-open.\n",
      stream);
}

}  // namespace cli
