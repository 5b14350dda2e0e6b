#include "ui/command_line.h"

#include <cstdlib>
#include <cstring>

#include "platform/current_folder.h"
#include "platform/system_error.h"

StartRequest ReadCommandLine(int argc, char** argv) {
  StartRequest request{StartAction::Run, {}, {}};
  bool optionsEnded = false;
  for (int index = 1; index < argc; ++index) {
    const char* argument = argv[index];
    if (!optionsEnded && std::strcmp(argument, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded &&
               (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)) {
      return {StartAction::Help, {}, {}};
    } else if (!optionsEnded && std::strcmp(argument, "--version") == 0) {
      return {StartAction::Version, {}, {}};
    } else if (!optionsEnded && argument[0] == '-' && argument[1] != '\0') {
      return {StartAction::UsageError, {}, std::string("unknown option ") + argument};
    } else if (!request.folder.empty()) {
      return {StartAction::UsageError, {}, "only one FOLDER may be given"};
    } else {
      request.folder = argument;
    }
  }
  return request;
}

bool HasDisplay() {
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

bool EnterWorkingFolder(const std::string& folder, std::string* error) {
  if (folder.empty()) return true;
  int failure = platform::ChangeFolder(folder.c_str());
  if (failure == 0) return true;
  *error = "cannot enter " + folder + ": " + platform::ErrorText(failure);
  return false;
}
