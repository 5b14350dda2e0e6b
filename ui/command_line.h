// kobaru-mp3 [FOLDER]: what the command line asks for, before any window.
#pragma once

#include <string>

enum class StartAction { Run, Help, Version, UsageError };

struct StartRequest {
  StartAction action;
  std::string folder;  // empty: the current folder
  std::string error;   // for UsageError
};

StartRequest ReadCommandLine(int argc, char** argv);

// Makes `folder` the working folder; false with a reason for the user.
bool EnterWorkingFolder(const std::string& folder, std::string* error);

// False only when Qt would have to guess a display and has none: no
// platform chosen in QT_QPA_PLATFORM and neither DISPLAY nor
// WAYLAND_DISPLAY set. Qt would abort there; the caller says so and ends.
bool HasDisplay();

inline constexpr char USAGE_TEXT[] =
    "usage: kobaru-mp3 [FOLDER]\n"
    "Fills a music player, a memory card or any folder with random songs.\n"
    "Works on kPlayLst.dat and kMp3 in FOLDER, or in the current folder.\n"
    "  --help     show this text\n"
    "  --version  show the version\n";
