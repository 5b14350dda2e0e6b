// kobaru seconds, play and startup, run as the built program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/mp3_builder.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_player.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

CommandResult Kobaru(const std::vector<std::string>& arguments) {
  return RunKobaru(arguments);
}

TEST(CliPlaybackTest, SecondsPrintsOneLinePerFile) {
  TempFolder folder;
  WriteFile("a.mp3", PadTo(Frame(MPEG1_128K_44100, 417), 3000000) + PadTo("TAG", 128));
  WriteFile("b c.mp3", XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, 10000));
  CommandResult run = Kobaru({"seconds", "a.mp3", "b c.mp3", "missing.mp3"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "190\ta.mp3\n264\tb c.mp3\n0\tmissing.mp3\n");
  EXPECT_EQ(Kobaru({"seconds", "--ms", "a.mp3", "b c.mp3"}).out, "187480\ta.mp3\n261224\tb c.mp3\n");
  EXPECT_EQ(Kobaru({"seconds"}).exitStatus, 2);
}

TEST(CliPlaybackTest, StartupSwitchesTheMarker) {
  TempFolder folder;
  CommandResult run = Kobaru({"startup", "on"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(ReadFile("kStartUp"), "");
  EXPECT_TRUE(Exists("kStartUp"));
  EXPECT_EQ(Kobaru({"startup", "off"}).exitStatus, 0);
  EXPECT_FALSE(Exists("kStartUp"));
  run = Kobaru({"startup", "off"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out + "|" + run.err, "|設定出来ませんでした。\n");
  EXPECT_EQ(Kobaru({"startup", "yes"}).exitStatus, 2);
}

class CliPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("KOBARU_PLAYER", MakeRecordingPlayer(folder_.Join("player.sh"), record_).c_str(), 1);
  }
  void TearDown() override { unsetenv("KOBARU_PLAYER"); }
  TempFolder folder_;
  std::string record_ = folder_.Join("record");
};

TEST_F(CliPlayTest, PlayHandsARandomSongToThePlayer) {
  WriteFile("songs/a.mp3", "song");
  std::string song = folder_.Join("songs/a.mp3");
  WritePlaylist({MakeEntry(1, 7, Stored(song), 4)});
  std::string before = ReadFile("kPlayLst.dat");
  CommandResult run = Kobaru({"play"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, song + "\n");
  EXPECT_EQ(WaitForFile(record_), song + "\n");
  EXPECT_EQ(ReadFile("kPlayLst.dat"), before);
}

TEST_F(CliPlayTest, PlayWithoutAPlayableSongFailsSilently) {
  CommandResult run = Kobaru({"play"});  // no playlist
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out + run.err, "");
  WritePlaylist({MakeEntry(0, 0, Stored(folder_.Join("gone.mp3")), 4),
                 MakeEntry(4, 0, Stored(folder_.Join("player.sh")), 4)});
  run = Kobaru({"play"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_FALSE(Exists(record_));
}

}  // namespace
