// Starting a program detached: its own session, null streams, no zombie.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process_launch.h"
#include "tests/support/recording_player.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

// No child of ours is left, running or dead.
bool HasNoChildren() { return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

constexpr char kProbe[] =
    "#!/bin/sh\n"
    "out=$1\n"
    "leaked=no; [ -e /proc/$$/fd/$2 ] && leaked=yes\n"
    "streams=\"$(readlink /proc/$$/fd/0) $(readlink /proc/$$/fd/1) $(readlink /proc/$$/fd/2)\"\n"
    "read -r stat < /proc/$$/stat\n"
    "set -- $stat\n"
    "printf '%s\\n%s\\n%s\\n' \"$streams\" $6 $leaked > $out.part\n"
    "mv $out.part $out\n";

TEST(ProcessLaunchTest, ProgramRunsInItsOwnSessionOnNullStreams) {
  TempFolder folder;
  WriteFile("probe.sh", kProbe);
  int ours = open("/dev/null", O_RDONLY);  // without close-on-exec
  ASSERT_GE(ours, 3);
  std::string out = folder.Join("probe.out");
  std::string fd = std::to_string(ours);
  char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("probe.sh"), out.data(), fd.data(),
                  nullptr};
  ASSERT_TRUE(platform::LaunchDetached(argv));
  EXPECT_TRUE(HasNoChildren());
  std::string session = std::to_string(getsid(0));
  std::string record = WaitForFile(out);
  close(ours);
  std::string streams = "/dev/null /dev/null /dev/null\n";
  ASSERT_EQ(record.substr(0, streams.size()), streams);
  std::string rest = record.substr(streams.size());
  EXPECT_NE(rest.substr(0, rest.find('\n')), session);  // a session of its own
  EXPECT_EQ(rest.substr(rest.find('\n')), "\nno\n");   // our descriptor not inherited
}

TEST(ProcessLaunchTest, ProgramThatCannotStartLeavesNothingBehind) {
  char* argv[] = {const_cast<char*>("kobaru-no-such-program"), nullptr};
  EXPECT_TRUE(platform::LaunchDetached(argv));
  EXPECT_TRUE(HasNoChildren());
  char* none[] = {nullptr};
  EXPECT_FALSE(platform::LaunchDetached(none));
}

}  // namespace
