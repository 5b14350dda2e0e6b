// kobaru mkdir and kobaru fill as the user runs them: exit codes, what goes
// to which stream, the arguments, Ctrl-C and a killed run.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include "tests/support/cli_process.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/run_command.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Waits until `done` holds, for at most ten seconds.
template <typename Condition>
bool WaitFor(Condition done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

class CliFillTest : public ::testing::Test {
 protected:
  bool HasTemporary() const {
    for (const std::string& name : setup_.TargetNames()) {
      if (name.starts_with(".kobaru-partial-")) return true;
    }
    return false;
  }
  TransferSetup setup_;
};

TEST(CliMkdirTest, CreatesTheFolderOnceAndReportsEachTime) {
  TempFolder folder;
  CommandResult made = RunKobaru({"mkdir"});
  EXPECT_EQ(made.exitStatus, 0);
  EXPECT_EQ(made.out, "kMp3 ﾌｫﾙﾀﾞを作成しました。\n");
  EXPECT_TRUE(std::filesystem::is_directory("kMp3"));
  CommandResult again = RunKobaru({"mkdir"});
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.err, "kMp3 ﾌｫﾙﾀﾞ作成出来ませんでした。\n");
  EXPECT_EQ(RunKobaru({"mkdir", "other"}).exitStatus, 2);
}

TEST_F(CliFillTest, TakesOnlyTheSevenCapacities) {
  for (const char* wrong : {"31", "0240", "240MB"}) {
    EXPECT_EQ(RunKobaru({"fill", wrong}).exitStatus, 2) << wrong;
  }
  EXPECT_EQ(RunKobaru({"fill", "30", "60"}).exitStatus, 2);
  for (const char* choice : {"30", "1920"}) {  // accepted: they fail only for want of a playlist
    CommandResult result = RunKobaru({"fill", choice});
    EXPECT_EQ(result.exitStatus, 1) << choice;
    EXPECT_EQ(result.out, "0 曲伝送しました。\n") << choice;
  }
}

// Each row goes to stdout as its copy completes, then the count; the songs
// that could not be sent are reported on stderr.
TEST_F(CliFillTest, PrintsEveryRowAsItsCopyCompletesThenTheCounts) {
  WritePlaylist({setup_.Missing("gone.mp3"), setup_.Song("a.mp3", 501), setup_.Song("b.mp3", 502),
                 setup_.Song("c.mp3", 503)});
  CommandResult result = RunKobaru({"fill"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.err, "1 曲伝送出来ませんでした。\n");
  std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines.back(), "3 曲伝送しました。");
  for (const auto& [number, slot] : setup_.SentNumbers()) {  // rows in the order of the copies
    EXPECT_EQ(lines[number - 1], "     000" + std::to_string(slot + 1) + "  /  0004  |       50" +
                                     std::to_string(slot));
  }
}

// Ctrl-C during a copy removes that copy, records the songs that arrived
// and ends the program normally. A killed run can leave its temporary file,
// never a song cut short; the next run removes the temporary and goes on.
TEST_F(CliFillTest, CtrlCSavesWhatArrivedAndAKilledRunLeavesNoPartialSong) {
  std::vector<PlaylistEntry> entries;
  std::set<std::string> sources;
  for (int i = 0; i < 12; ++i) {
    entries.push_back(setup_.Song("s" + std::to_string(i) + ".mp3", 0, 8u << 20));
    sources.insert(ReadFile("music/s" + std::to_string(i) + ".mp3"));
  }
  WritePlaylist(entries);
  CliProcess stopped({"fill", "1920"});
  ASSERT_TRUE(WaitFor([&] { return HasTemporary() || setup_.TargetNames().size() > 1; }));
  stopped.Signal(SIGINT);
  CommandResult result = stopped.Wait();
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.err, "");
  size_t copied = setup_.SentNumbers().size();
  EXPECT_LT(copied, sources.size());
  EXPECT_EQ(Lines(result.out).back(), std::to_string(copied) + " 曲伝送しました。");
  setup_.ExpectFolderMatchesPlaylist();  // no temporary file among them
  {
    CliProcess killed({"fill", "1920"});
    ASSERT_TRUE(WaitFor([&] { return HasTemporary(); }));
    killed.Signal(SIGKILL);
    killed.Wait();
  }
  for (const std::string& name : setup_.TargetNames()) {
    if (name[0] != '.') {
      EXPECT_EQ(sources.count(ReadFile("kMp3/" + name)), 1u) << name;
    }
  }
  EXPECT_EQ(RunKobaru({"fill", "1920"}).exitStatus, 0);
  EXPECT_FALSE(HasTemporary());
  for (const std::string& name : setup_.TargetNames()) {
    EXPECT_EQ(sources.count(ReadFile("kMp3/" + name)), 1u) << name;
  }
}

}  // namespace
