// kobaru mkdir and kobaru fill as the user runs them: exit codes, what goes
// to which stream, the arguments, Ctrl-C, a closed output, killed runs, two
// programs at once and the reasons a fill stops early.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/folder_lock.h"
#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "tests/support/child_process.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_player.h"
#include "tests/support/small_volume.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;
using Words = std::vector<std::string>;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
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

TEST_F(CliFillTest, ArgumentsAndTheTargetFolder) {
  std::filesystem::remove("kMp3");
  CommandResult made = RunKobaru({"mkdir"});
  EXPECT_EQ(made.exitStatus, 0);
  EXPECT_EQ(made.out, "kMp3 ﾌｫﾙﾀﾞを作成しました。\n");
  CommandResult again = RunKobaru({"mkdir"});
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_EQ(again.out + "|" + again.err,
            "|kMp3 ﾌｫﾙﾀﾞ作成出来ませんでした。\nkobaru: kMp3: File exists\n");

  for (const Words& wrong : {Words{"mkdir", "other"}, Words{"fill", "31"}, Words{"fill", "0240"},
                             Words{"fill", "240MB"}, Words{"fill", "30", "60"}}) {
    SCOPED_TRACE(wrong.back());
    EXPECT_EQ(RunKobaru(wrong).exitStatus, 2);
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

// Ctrl-C during a copy removes that copy, records the songs that arrived,
// says so and ends the program by the signal, as a shell expects.
TEST_F(CliFillTest, CtrlCRemovesTheCopyInProgressAndSavesWhatArrived) {
  setup_.WriteSongs(12, 8u << 20);
  ChildProcess stopped(Kobaru({"fill", "1920"}));
  ASSERT_TRUE(WaitUntil([&] { return HasTemporary() || setup_.TargetNames().size() > 1; }));
  stopped.Signal(SIGINT);
  CommandResult result = stopped.Wait();
  EXPECT_EQ(result.signal, SIGINT);
  size_t copied = setup_.SentNumbers().size();
  EXPECT_LT(copied, 12u);
  EXPECT_EQ(result.err, "kobaru: interrupted; " + std::to_string(copied) + " songs sent\n");
  EXPECT_EQ(Lines(result.out).back(), std::to_string(copied) + " 曲伝送しました。");
  setup_.ExpectFolderMatchesPlaylist();  // no temporary file among them
}

// A kill at any point leaves at most the one song between its final name
// and its record unrecorded, never a song cut short, and a whole table;
// the next fill removes the temporary file and sends no song twice.
TEST_F(CliFillTest, AKilledFillLeavesAtMostOneSongUnrecorded) {
  setup_.WriteSongs(30, 2u << 20);
  size_t kills = 0;
  for (size_t arrived : {1u, 3u, 6u}) {
    SCOPED_TRACE(arrived);
    {
      ChildProcess killed(Kobaru({"fill", "1920"}));
      size_t target = setup_.TargetNames().size() + arrived;
      ASSERT_TRUE(WaitUntil([&] { return setup_.TargetNames().size() >= target; }));
      killed.Signal(SIGKILL);
      killed.Wait();
    }
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
    setup_.ExpectFolderMatchesPlaylist(++kills);
  }
  EXPECT_EQ(RunKobaru({"fill", "1920"}).exitStatus, 0);
  EXPECT_FALSE(HasTemporary());
  setup_.ExpectFolderMatchesPlaylist(kills);
}

// `kobaru fill | head -1`: the second row finds the pipe closed, which ends
// the run like Ctrl-C; every song that reached kMp3 is on record.
// Rows come a batch at a time (up to 64 songs), so the run needs batches
// enough to still be going once head has read its line and gone.
TEST_F(CliFillTest, AClosedOutputEndsTheRunWithEverySongOnRecord) {
  setup_.WriteSongs(200, 64u << 10);
  CommandResult piped =
      ChildProcess({"/bin/bash", "-c",
                    std::string(KOBARU_CLI_PATH) + " fill 30 | head -1; exit ${PIPESTATUS[0]}"})
          .Wait();
  EXPECT_EQ(piped.exitStatus, 1);
  EXPECT_EQ(Lines(piped.out).size(), 1u);
  EXPECT_EQ(Lines(piped.err).at(0),
            "kobaru: output closed; " + std::to_string(setup_.SentNumbers().size()) + " songs sent");
  EXPECT_GE(setup_.SentNumbers().size(), 2u);
  EXPECT_LT(setup_.SentNumbers().size(), 200u);
  setup_.ExpectFolderMatchesPlaylist();
}

// Ctrl-C once the run is over, while its count waits on a full pipe, ends
// the program by the signal and touches nothing freed.
TEST_F(CliFillTest, CtrlCWhileTheCountWaitsOnAFullPipe) {
  WritePlaylist({setup_.Song("a.mp3", 501)});
  ASSERT_EQ(mkfifo("out", 0600), 0);
  int pipe = open("out", O_RDWR);
  ASSERT_EQ(fcntl(pipe, F_SETPIPE_SZ, 4096), 4096);
  std::string bytes(4096 - 42, 'x');  // room for the row (32 bytes), not the count
  ASSERT_EQ(write(pipe, bytes.data(), bytes.size()), 4054);
  ChildProcess fill({"/bin/sh", "-c", "exec " + std::string(KOBARU_CLI_PATH) + " fill > out"});
  int queued = 0;
  ASSERT_TRUE(WaitUntil([&] { return ioctl(pipe, FIONREAD, &queued) == 0 && queued > 4060; }));
  usleep(300000);  // the run ends; the count's write blocks
  fill.Signal(SIGINT);
  usleep(100000);
  char drained[4096];  // all of it: a page still in use takes no more
  EXPECT_GT(read(pipe, drained, sizeof drained), 4060);
  EXPECT_EQ(fill.Wait().signal, SIGINT);
  close(pipe);
}

// Another program changing the folder: the fill is refused and says so;
// two fills at once never send a song that is not on record.
TEST_F(CliFillTest, OneWriterAtATime) {
  setup_.WriteSongs(30, 64u << 10);
  {
    platform::FolderLock other;
    ASSERT_EQ(other.TryLock("."), 0);
    CommandResult refused = RunKobaru({"fill"});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_EQ(refused.out + "|" + refused.err,
              "|kobaru: another program is changing kPlayLst.dat in this folder; try again when it "
              "has finished\n");
    EXPECT_TRUE(setup_.TargetNames().empty());
  }
  ChildProcess first(Kobaru({"fill", "120"}));
  ChildProcess second(Kobaru({"fill", "30"}));
  CommandResult one = first.Wait();
  CommandResult two = second.Wait();
  EXPECT_TRUE(one.exitStatus == 0 || two.exitStatus == 0) << one.err << two.err;
  setup_.ExpectFolderMatchesPlaylist();
}

TEST_F(CliFillTest, SaysWhyAFillStoppedEarly) {
  std::vector<PlaylistEntry> entries{setup_.Song("a.mp3")};
  MakeFolders("music/folder.mp3");
  entries.push_back(MakeEntry(0, 0, Stored(setup_.folder().Join("music/folder.mp3")), 1));
  WritePlaylist({entries[1]});
  CommandResult unreadable = RunKobaru({"fill"});
  EXPECT_EQ(unreadable.exitStatus, 1);
  EXPECT_EQ(unreadable.err, "kobaru: cannot read " + setup_.folder().Join("music/folder.mp3") +
                                ": Is a directory; stopped there\n");

  entries[1] = MakeEntry(1, 9999, "//sent.mp3", 1);
  WritePlaylist(entries);
  CommandResult numbers = RunKobaru({"fill"});
  EXPECT_EQ(numbers.exitStatus, 0);
  EXPECT_EQ(numbers.err, "kobaru: the last number 9999 is taken; stopped there\n");

  // A file of the system is said and passed over like a missing song.
  WritePlaylist({MakeEntry(0, 0, "//proc//self//environ", 1)});
  CommandResult system = RunKobaru({"fill"});
  EXPECT_EQ(system.err,
            "kobaru: /proc/self/environ is a file of the system, not a song; not sent\n"
            "1 曲伝送出来ませんでした。\n");
  EXPECT_TRUE(setup_.TargetNames().empty());

  WritePlaylist({entries[0]});
  std::filesystem::remove("kMp3");  // not a single song can be written
  CommandResult nowhere = RunKobaru({"fill"});
  EXPECT_EQ(nowhere.exitStatus, 1);
  EXPECT_EQ(nowhere.out, "");  // no count of a run that never began
  EXPECT_EQ(nowhere.err,
            "kobaru: cannot write into kMp3: No such file or directory; 'kobaru mkdir' creates "
            "it\n");
}

TEST_F(CliFillTest, SaysTheMediumIsFull) {
  SmallVolume card(setup_.folder().Join("card"), "8m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  std::vector<PlaylistEntry> entries = setup_.WriteSongs(4, 3u << 20);
  ASSERT_EQ(chdir("card"), 0);
  MakeFolders("kMp3");
  WritePlaylist(entries);
  CommandResult full = RunKobaru({"fill", "30"});
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_EQ(full.exitStatus, 0);
  EXPECT_EQ(full.err, "kobaru: the medium is full; stopped after 2 songs\n");

  // A card turned read-only: both failures, each with the system's reason.
  ASSERT_TRUE(card.MakeReadOnly());
  ASSERT_EQ(chdir("card"), 0);
  CommandResult readOnly = RunKobaru({"fill", "30"});
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_EQ(readOnly.exitStatus, 1);
  EXPECT_EQ(readOnly.err,
            "kobaru: cannot write into kMp3: Read-only file system; stopped there\n"
            "kobaru: cannot write kPlayLst.dat: Read-only file system\n");
}

// A fill up to the free space: its dry run changes no byte; the fill then
// leaves less free than the smallest unsent song plus the margin.
TEST_F(CliFillTest, FillAllUpToTheFreeSpaceAfterItsDryRun) {
  SmallVolume card(setup_.folder().Join("card"), "16m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  std::vector<PlaylistEntry> entries;
  for (int i = 0; i < 30; ++i) {
    entries.push_back(setup_.Song(std::to_string(i) + ".mp3", 0, 100000 + i * 37000));
  }
  ASSERT_EQ(chdir("card"), 0);
  MakeFolders("kMp3");
  WritePlaylist(entries);
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  CommandResult dry = RunKobaru({"fill", "--dry-run", "all"});
  EXPECT_EQ(dry.exitStatus, 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
  EXPECT_TRUE(NamesIn("kMp3").empty());
  std::vector<std::string> lines = Lines(dry.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_TRUE(lines.back().starts_with(std::to_string(lines.size() - 1) + " songs, "));

  CommandResult fill = RunKobaru({"fill", "all"});
  CommandResult again = RunKobaru({"fill", "all"});  // nothing fits: said, yet no failure
  EXPECT_EQ(fill.exitStatus + again.exitStatus, 0);
  EXPECT_EQ(fill.err + again.out + again.err,
            "kobaru: no other unsent song fits in kMp3's free space\n0 曲伝送しました。\n"
            "kobaru: no unsent song fits in kMp3's free space\n");
  setup_.ExpectFolderMatchesPlaylist();
  uint64_t smallestUnsent = UINT64_MAX;
  for (const PlaylistEntry& entry : ReadPlaylist().entries) {
    if (entry.path[0] != 0 && entry.state == STATE_UNTRANSFERRED) {
      smallestUnsent = std::min<uint64_t>(smallestUnsent, (entry.fileSize + 4095) / 4096 * 4096);
    }
  }
  struct statvfs volume;
  ASSERT_EQ(statvfs(".", &volume), 0);
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_NE(smallestUnsent, UINT64_MAX);
  EXPECT_LT(uint64_t{volume.f_bavail} * volume.f_frsize, smallestUnsent + (8u << 20));
}

}  // namespace
