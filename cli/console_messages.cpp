#include "cli/console_messages.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace cli {

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
