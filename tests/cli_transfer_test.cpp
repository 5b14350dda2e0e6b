// kobaru mkdir and kobaru fill, run as the user runs them.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include "store/playlist_file.h"
#include "transfer/transfer_texts.h"
#include "tests/support/cli_process.h"
#include "tests/support/run_command.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string RowOf(uint32_t slot, uint32_t count, const PlaylistEntry& entry) {
  char row[RESULT_ROW_BYTES];
  std::snprintf(row, sizeof row, RESULT_ROW_FORMAT, static_cast<int>(slot + 1),
                static_cast<int>(count), static_cast<int>(entry.fileSize));
  return row;
}

std::string SongName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "s%02d.mp3", i);
  return name;
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

bool HasTemporary(const TransferSetup& setup) {
  for (const std::string& name : setup.TargetNames()) {
    if (name.rfind(".kobaru-partial-", 0) == 0) return true;
  }
  return false;
}

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

TEST(CliFillTest, TakesOnlyTheSevenCapacities) {
  TempFolder folder;
  for (const char* wrong : {"31", "0240", "240MB"}) EXPECT_EQ(RunKobaru({"fill", wrong}).exitStatus, 2);
  EXPECT_EQ(RunKobaru({"fill", "30", "60"}).exitStatus, 2);
  for (int32_t choice : CAPACITY_CHOICES_MB) {  // accepted: they fail only for want of a playlist
    CommandResult result = RunKobaru({"fill", std::to_string(choice)});
    EXPECT_EQ(result.exitStatus, 1) << choice;
    EXPECT_EQ(result.out, "0 曲伝送しました。\n") << choice;
  }
}

TEST(CliFillTest, PrintsEveryRowAsItsCopyCompletesThenTheCounts) {
  TransferSetup setup;
  std::vector<PlaylistEntry> entries{setup.Missing("gone.mp3")};
  for (int i = 0; i < 12; ++i) entries.push_back(setup.Song(SongName(i), 0, 500 + i));
  WritePlaylist(entries);
  CommandResult result = RunKobaru({"fill"});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.err, "1 曲伝送出来ませんでした。\n");
  std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines.back(), "12 曲伝送しました。");
  const PlaylistTable& saved = ReadPlaylist();
  for (const auto& [number, slot] : setup.SentNumbers()) {  // rows in the order of the copies
    EXPECT_EQ(lines[number - 1], RowOf(slot, 13, saved.entries[slot]));
  }
  setup.ExpectFolderMatchesPlaylist();
}

// Ctrl-C during a copy: that copy is removed, the songs that arrived are
// recorded, and the program ends normally.
TEST(CliFillTest, CtrlCStopsTheRunAndSavesWhatArrived) {
  TransferSetup setup;
  constexpr int kSongs = 24;
  std::vector<PlaylistEntry> entries;
  for (int i = 0; i < kSongs; ++i) entries.push_back(setup.Song(SongName(i), 0, 4u << 20));
  WritePlaylist(entries);
  CliProcess fill({"fill", "1920"});
  ASSERT_TRUE(WaitFor([&] { return HasTemporary(setup) || setup.TargetNames().size() > 1; }));
  fill.Signal(SIGINT);
  CommandResult result = fill.Wait();
  EXPECT_EQ(result.exitStatus, 0);
  size_t copied = setup.SentNumbers().size();
  EXPECT_LT(copied, static_cast<size_t>(kSongs));
  EXPECT_EQ(Lines(result.out).back(), std::to_string(copied) + " 曲伝送しました。");
  setup.ExpectFolderMatchesPlaylist();  // no temporary file among them
}

// A killed run can leave its temporary file, never a song cut short; the
// next run removes the temporary and goes on.
TEST(CliFillTest, KilledRunLeavesNoPartialSong) {
  TransferSetup setup;
  std::vector<PlaylistEntry> entries;
  std::set<std::string> sources;
  for (int i = 0; i < 6; ++i) {
    entries.push_back(setup.Song(SongName(i), 0, 16u << 20));
    sources.insert(ReadFile("music/" + SongName(i)));
  }
  WritePlaylist(entries);
  {
    CliProcess fill({"fill", "1920"});
    ASSERT_TRUE(WaitFor([&] { return HasTemporary(setup); }));
    fill.Signal(SIGKILL);
    fill.Wait();
  }
  for (const std::string& name : setup.TargetNames()) {
    if (name[0] != '.') {
      EXPECT_EQ(sources.count(ReadFile("kMp3/" + name)), 1u) << name;
    }
  }
  EXPECT_EQ(RunKobaru({"fill", "1920"}).exitStatus, 0);
  EXPECT_FALSE(HasTemporary(setup));
  for (const std::string& name : setup.TargetNames()) {
    EXPECT_EQ(sources.count(ReadFile("kMp3/" + name)), 1u) << name;
  }
}

}  // namespace
