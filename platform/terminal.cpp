#include "platform/terminal.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace platform {

bool CanDrawOn(int fd) {
  const char* term = std::getenv("TERM");
  return isatty(fd) == 1 && term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

bool CanColour(int fd) {
  const char* noColour = std::getenv("NO_COLOR");
  return CanDrawOn(fd) && (noColour == nullptr || *noColour == '\0');
}

}  // namespace platform
