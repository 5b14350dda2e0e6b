// kobaru-mp3 [FOLDER]: the window over the folder being filled.
#include <cstdio>

#include "ui/command_line.h"
#include "ui/main_app.h"
#include "ui/ui_texts.h"

int main(int argc, char** argv) {
  StartRequest request = ReadCommandLine(argc, argv);
  std::string error = request.error;
  switch (request.action) {
    case StartAction::Help:
      std::fputs(USAGE_TEXT, stdout);
      return 0;
    case StartAction::Version:
      std::printf("Kobaru MP3 %s\n", KOBARU_VERSION);
      return 0;
    case StartAction::UsageError:
      std::fprintf(stderr, "kobaru-mp3: %s\n%s", error.c_str(), USAGE_TEXT);
      return 2;
    case StartAction::Run:
      break;
  }
  if (!EnterWorkingFolder(request.folder, &error)) {
    std::fprintf(stderr, "kobaru-mp3: %s\n", error.c_str());
    return 2;
  }
  if (!HasDisplay()) {
    std::fputs("kobaru-mp3: cannot open a window: no display\n", stderr);
    return 1;
  }
  // Qt sees only the program's name: the folder is ours.
  int qtArgc = 1;
  CMainApp app(qtArgc, argv);
  return app.InitInstance();
}
