// Escape codes only on a terminal (a pseudo-terminal here) whose TERM
// understands them; colours only without NO_COLOR.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "platform/terminal.h"

TEST(TerminalTest, EscapeCodesOnlyForATerminalThatIsNotDumb) {
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  int file = open("/dev/null", O_WRONLY);
  ASSERT_GE(terminal, 0);
  auto allowed = [&](const char* term, const char* noColour) {
    term ? setenv("TERM", term, 1) : unsetenv("TERM");
    noColour ? setenv("NO_COLOR", noColour, 1) : unsetenv("NO_COLOR");
    return std::to_string(platform::CanDrawOn(terminal)) +
           std::to_string(platform::CanColour(terminal)) +
           std::to_string(platform::CanDrawOn(file));
  };
  EXPECT_EQ(allowed("xterm", nullptr) + allowed("xterm", "") + allowed("xterm", "1"), "110110100");
  EXPECT_EQ(allowed("dumb", nullptr) + allowed("", nullptr) + allowed(nullptr, nullptr),
            "000000000");
  close(file);
  close(terminal);
}
