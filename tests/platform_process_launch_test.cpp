// Starting a program detached: its own session, null streams, no zombie.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process_launch.h"
#include "tests/support/recording_player.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

// Records into $1 its three streams, its session and whether descriptor $2
// is open.
constexpr char kProbe[] =
    "leaked=no; [ -e /proc/$$/fd/$2 ] && leaked=yes\n"
    "read -r stat < /proc/$$/stat; set -- \"$1\" $stat\n"
    "echo $(readlink /proc/$$/fd/0 /proc/$$/fd/1 /proc/$$/fd/2) $7 $leaked > $1.part\n"
    "mv $1.part $1\n";

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
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);  // no child of ours left, running or dead
  std::string record = WaitForFile(out);
  close(ours);
  EXPECT_TRUE(record.starts_with("/dev/null /dev/null /dev/null ")) << record;
  EXPECT_TRUE(record.ends_with(" no\n")) << record;  // our descriptor not inherited
  char* missing[] = {const_cast<char*>("/nonexistent/program"), nullptr};
  EXPECT_FALSE(platform::LaunchDetached(missing));
  pid_t child = fork();  // with no streams of its own, a pipe may take their numbers
  if (child == 0) _exit(close(0) + close(1) + close(2) + platform::LaunchDetached(missing));
  int status = -1;
  EXPECT_TRUE(waitpid(child, &status, 0) == child && status == 0);
  EXPECT_EQ(record.find(" " + std::to_string(getsid(0)) + " "), std::string::npos) << record;
}

}  // namespace
