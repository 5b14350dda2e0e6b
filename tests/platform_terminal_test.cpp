// When a stream may carry escape codes: a real terminal (a pseudo-terminal
// here) whose TERM understands them, and colours only without NO_COLOR.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "platform/terminal.h"

namespace {

TEST(TerminalTest, EscapeCodesOnlyForATerminalThatIsNotDumb) {
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  int file = open("/dev/null", O_WRONLY);
  struct Case {
    const char* term;
    const char* noColour;
    bool draw, colour;
  };
  for (Case c : {Case{"xterm", nullptr, true, true}, Case{"xterm", "", true, true},
                 Case{"xterm", "1", true, false}, Case{"dumb", nullptr, false, false},
                 Case{"", nullptr, false, false}, Case{nullptr, nullptr, false, false}}) {
    SCOPED_TRACE(std::string(c.term ? c.term : "(unset)") + " " + (c.noColour ? c.noColour : "-"));
    c.term ? setenv("TERM", c.term, 1) : unsetenv("TERM");
    c.noColour ? setenv("NO_COLOR", c.noColour, 1) : unsetenv("NO_COLOR");
    EXPECT_EQ(platform::CanDrawOn(terminal), c.draw);
    EXPECT_EQ(platform::CanColour(terminal), c.colour);
    EXPECT_FALSE(platform::CanDrawOn(file));
  }
  unsetenv("NO_COLOR");
  close(file);
  close(terminal);
}

}  // namespace
