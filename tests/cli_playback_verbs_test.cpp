// kobaru seconds, play and startup as the built program: what they print
// where, their exit codes and their arguments.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "tests/support/child_process.h"
#include "tests/support/mp3_builder.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_player.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

TEST(CliPlaybackTest, SecondsPrintsOneLinePerFileAndNeverWaitsOnAPipe) {
  TempFolder folder;
  WriteFile("a b.mp3", XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, 10000));
  ASSERT_EQ(mkfifo("pipe.mp3", 0644), 0);  // nobody writes
  CommandResult run = RunKobaru({"seconds", "a b.mp3", "missing.mp3", "pipe.mp3"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "264\ta b.mp3\n0\tmissing.mp3\n0\tpipe.mp3\n");
  EXPECT_EQ(RunKobaru({"seconds", "--ms", "a b.mp3", "pipe.mp3"}).out,
            "261224\ta b.mp3\n0\tpipe.mp3\n");
  EXPECT_EQ(RunKobaru({"seconds"}).exitStatus, 2);
}

// On creates or empties the marker, off deletes it. Neither touches a
// read-only marker, a folder or a link in its place, nor the link's target.
TEST(CliPlaybackTest, StartupSwitchesOnlyAWritableMarkerOfItsOwn) {
  TempFolder folder;
  auto startup = [](const char* choice) { return RunKobaru({"startup", choice}).exitStatus; };
  WriteFile("kStartUp", "left by hand");
  CommandResult on = RunKobaru({"startup", "on"});
  EXPECT_EQ(on.exitStatus, 0);
  EXPECT_EQ(on.out + on.err, "");
  EXPECT_EQ(ReadFile("kStartUp"), "");
  EXPECT_EQ(startup("off"), 0);
  CommandResult off = RunKobaru({"startup", "off"});  // already gone
  EXPECT_EQ(off.exitStatus, 1);
  EXPECT_EQ(off.out + "|" + off.err,
            "|設定出来ませんでした。\nkobaru: kStartUp: No such file or directory\n");
  WriteFile("kStartUp", "kept");
  chmod("kStartUp", 0444);
  EXPECT_EQ(startup("off"), 1);
  EXPECT_TRUE(RunKobaru({"startup", "on"}).err.ends_with(": Permission denied\n"));
  EXPECT_EQ(ReadFile("kStartUp"), "kept");
  WriteFile("kPlayLst.dat", "kept");
  for (const char* target : {"kPlayLst.dat", "absent", ""}) {  // "": a folder in its place
    SCOPED_TRACE(target);
    std::filesystem::remove("kStartUp");
    if (*target != '\0') std::filesystem::create_symlink(target, "kStartUp");
    if (*target == '\0') MakeFolders("kStartUp");
    EXPECT_EQ(startup("on"), 1);
    std::string reason = *target != '\0' ? "symbolic links\n" : "Is a directory\n";
    EXPECT_TRUE(RunKobaru({"startup", "off"}).err.ends_with(reason));
    EXPECT_TRUE(Exists("kStartUp"));
  }
  EXPECT_EQ(ReadFile("kPlayLst.dat"), "kept");
  EXPECT_FALSE(Exists("absent"));
  EXPECT_EQ(startup("yes"), 2);
}

// The player gets the song's path with its separators collapsed; here the
// player links the song into the folder.
TEST(CliPlaybackTest, PlayHandsARandomSongToThePlayerAndPrintsIt) {
  TempFolder folder;
  setenv("KOBARU_PLAYER", ("ln -s -t " + folder.path()).c_str(), 1);
  WriteFile("songs/a.mp3", "song");
  std::string song = folder.Join("songs/a.mp3");
  WritePlaylist({MakeEntry(1, 7, Stored(song), 4)});
  EXPECT_EQ(RunKobaru({"play", "more"}).exitStatus, 2);
  CommandResult run = RunKobaru({"play"});
  setenv("KOBARU_PLAYER", "/nonexistent/player", 1);  // a typo is said, never a success
  CommandResult unstarted = RunKobaru({"play"});
  unsetenv("KOBARU_PLAYER");
  EXPECT_EQ(unstarted.exitStatus, 1);
  EXPECT_EQ(unstarted.out + "|" + unstarted.err,
            "|kobaru: cannot start the player (KOBARU_PLAYER, else xdg-open) for " + song + "\n");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, song + "\n");
  EXPECT_EQ(WaitForFile("a.mp3"), "song");
  EXPECT_EQ(std::filesystem::read_symlink("a.mp3"), song);
}

}  // namespace
