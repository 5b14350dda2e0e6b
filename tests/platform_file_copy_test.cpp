// The safe copy into the target folder: contents, times, refusal of an
// existing name, and no temporary file left behind on any outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "tests/support/song_bytes.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;
using platform::CopyResult;

namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class FileCopyTest : public ::testing::TestWithParam<platform::CopyPaths> {
 protected:
  void SetUp() override {
    platform::SetCopyPathsForTesting(GetParam());
    MakeFolders("kMp3");
  }
  void TearDown() override { platform::SetCopyPathsForTesting({}); }
  TempFolder folder_;
};

CopyResult Copy(const char* source, const char* target, const platform::CopyControl& control = {}) {
  return platform::CopyFileNoReplace(source, target, control);
}

// Several chunks, the last one short.
constexpr size_t kSongBytes = (9u << 20) + 12345;

TEST_P(FileCopyTest, CopiesEveryByteAndKeepsModeAndModificationTime) {
  std::string song = SongBytes(kSongBytes, 7);
  WriteFile("a.mp3", song);
  ASSERT_EQ(chmod("a.mp3", 0640), 0);
  const timespec old[2] = {{0, UTIME_OMIT}, {1000000000, 0}};  // 2001-09-09
  ASSERT_EQ(utimensat(AT_FDCWD, "a.mp3", old, 0), 0);
  std::atomic<uint64_t> done{0};
  ASSERT_EQ(Copy("a.mp3", "kMp3/0001.mp3", {&done, nullptr}), CopyResult::Copied);
  EXPECT_EQ(ReadFile("kMp3/0001.mp3"), song);
  EXPECT_EQ(done.load(), kSongBytes);
  struct stat info{};
  stat("kMp3/0001.mp3", &info);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Names("kMp3"), std::vector<std::string>{"0001.mp3"});
}

// The name given last decides even when it appears after the copy began.
TEST_P(FileCopyTest, FinalNameRefusesANameThatAppearedMeanwhile) {
  WriteFile("kMp3/.temporary", "new song");
  WriteFile("kMp3/0001.mp3", "song of another run");
  EXPECT_EQ(platform::MoveNoReplace("kMp3/.temporary", "kMp3/0001.mp3"), CopyResult::TargetExists);
  EXPECT_EQ(ReadFile("kMp3/0001.mp3"), "song of another run");
  EXPECT_EQ(ReadFile("kMp3/.temporary"), "new song");
  EXPECT_EQ(platform::MoveNoReplace("kMp3/.temporary", "kMp3/0002.mp3"), CopyResult::Copied);
  EXPECT_EQ(ReadFile("kMp3/0002.mp3"), "new song");
  EXPECT_EQ(Names("kMp3"), (std::vector<std::string>{"0001.mp3", "0002.mp3"}));
  EXPECT_EQ(platform::MoveNoReplace("kMp3/.gone", "kMp3/0003.mp3"), CopyResult::TargetFailed);
  EXPECT_FALSE(Exists("kMp3/0003.mp3"));  // not even an empty reservation
}

TEST_P(FileCopyTest, FailuresLeaveNothingBehind) {
  WriteFile("a.mp3", SongBytes(1000, 2));
  MakeFolders("folder.mp3");
  ASSERT_EQ(mkfifo("pipe.mp3", 0644), 0);
  MakeFolders("kMp3/0009.mp3");
  EXPECT_EQ(Copy("a.mp3", "kMp3/0009.mp3"), CopyResult::TargetExists);
  EXPECT_EQ(Copy("missing.mp3", "kMp3/0001.mp3"), CopyResult::SourceFailed);
  EXPECT_EQ(Copy("folder.mp3", "kMp3/0001.mp3"), CopyResult::SourceFailed);
  EXPECT_EQ(Copy("pipe.mp3", "kMp3/0001.mp3"), CopyResult::SourceFailed);  // never waits
  EXPECT_EQ(Copy("a.mp3", "nofolder/0001.mp3"), CopyResult::TargetFailed);
  // A last '.' inside a folder name makes the "extension" a path below kMp3.
  EXPECT_EQ(Copy("a.mp3", "kMp3/0001.d//song"), CopyResult::TargetFailed);
  std::atomic<bool> cancel{true};
  EXPECT_EQ(Copy("a.mp3", "kMp3/0001.mp3", {nullptr, &cancel}), CopyResult::Cancelled);
  EXPECT_EQ(Names("kMp3"), std::vector<std::string>{"0009.mp3"});
  EXPECT_FALSE(Exists("nofolder"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryFastPathAndFallback, FileCopyTest,
    ::testing::Values(platform::CopyPaths{true, true, true}, platform::CopyPaths{false, true, true},
                      platform::CopyPaths{true, false, true}, platform::CopyPaths{false, false, false}),
    [](const ::testing::TestParamInfo<platform::CopyPaths>& info) {
      const platform::CopyPaths& paths = info.param;
      return std::string(paths.copyFileRange ? "Range" : "ReadWrite") +
             (paths.renameNoReplace ? "Rename" : paths.hardLink ? "Link" : "ExclusiveCreate");
    });

pid_t FinishedProcess() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(LeftoverTest, RemovesOnlyTemporariesOfEndedProcesses) {
  TempFolder folder;
  std::string dead = ".kobaru-partial-" + std::to_string(FinishedProcess()) + "-aB3xYz";
  std::string own = ".kobaru-partial-" + std::to_string(getpid()) + "-Q1w2E3";
  std::string running = ".kobaru-partial-1-abcdef";  // init never ends
  for (const std::string& name : {dead, own, running}) WriteFile("kMp3/" + name, "half");
  WriteFile("kMp3/0001.mp3", "song");
  WriteFile("kMp3/.kobaru-partial-x", "not ours: no process id");
  EXPECT_EQ(platform::RemoveLeftoverCopies("kMp3"), 2);
  EXPECT_EQ(Names("kMp3"), (std::vector<std::string>{".kobaru-partial-1-abcdef",
                                                     ".kobaru-partial-x", "0001.mp3"}));
  EXPECT_EQ(platform::RemoveLeftoverCopies("no-such-folder"), 0);
}

}  // namespace
