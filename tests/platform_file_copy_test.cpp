// The safe copy into the target folder, by every fast path and fallback:
// contents, mode and time kept, an existing name refused, and no temporary
// file left behind on any outcome.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_copy.h"
#include "tests/support/core_test.h"
#include "tests/support/song_bytes.h"
#include "tests/support/transfer_setup.h"

using platform::CopyResult;
using Names = std::vector<std::string>;

namespace {

class FileCopyTest : public ::testing::TestWithParam<platform::CopyPaths> {
 protected:
  void SetUp() override { MakeFolders("kMp3"); }
  CopyResult Copy(const char* source, const char* target,
                  const platform::CopyControl& control = {}) {
    return copier_.CopyFileNoReplace(source, platform::CURRENT_FOLDER, target, control);
  }
  CopyResult Move(const char* from, const char* to) {
    return copier_.MoveNoReplace(platform::CURRENT_FOLDER, from, to);
  }
  TempFolder folder_;
  platform::FileCopier copier_{GetParam()};
};

TEST_P(FileCopyTest, CopiesEveryByteAndKeepsModeAndModificationTime) {
  constexpr size_t kBytes = (3u << 20) + 12345;  // several chunks, the last one short
  std::string song = SongBytes(kBytes, 7);
  WriteFile("a.mp3", song);
  ASSERT_EQ(chmod("a.mp3", 0640), 0);
  const timespec old[2] = {{0, UTIME_OMIT}, {1000000000, 0}};  // 2001-09-09
  ASSERT_EQ(utimensat(AT_FDCWD, "a.mp3", old, 0), 0);
  std::atomic<uint64_t> done{0};
  ASSERT_EQ(Copy("a.mp3", "kMp3/0001.mp3", {&done, nullptr}), CopyResult::Copied);
  EXPECT_EQ(ReadFile("kMp3/0001.mp3"), song);
  EXPECT_EQ(done.load(), kBytes);
  struct stat info {};
  stat("kMp3/0001.mp3", &info);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(NamesIn("kMp3"), Names{"0001.mp3"});
}

// The final name is refused even when it appeared after the copy began.
TEST_P(FileCopyTest, FinalNameRefusesANameThatAppearedMeanwhile) {
  WriteFile("kMp3/.temporary", "new song");
  WriteFile("kMp3/0001.mp3", "song of another run");
  EXPECT_EQ(Move("kMp3/.temporary", "kMp3/0001.mp3"), CopyResult::TargetExists);
  EXPECT_EQ(ReadFile("kMp3/0001.mp3"), "song of another run");
  EXPECT_EQ(Move("kMp3/.temporary", "kMp3/0002.mp3"), CopyResult::Copied);
  EXPECT_EQ(ReadFile("kMp3/0002.mp3"), "new song");
  EXPECT_EQ(NamesIn("kMp3"), (Names{"0001.mp3", "0002.mp3"}));
  EXPECT_EQ(Move("kMp3/.gone", "kMp3/0003.mp3"), CopyResult::TargetFailed);
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
  std::atomic<bool> cancel{true};
  EXPECT_EQ(Copy("a.mp3", "kMp3/0001.mp3", {nullptr, &cancel}), CopyResult::Cancelled);
  EXPECT_EQ(NamesIn("kMp3"), Names{"0009.mp3"});
  EXPECT_FALSE(Exists("nofolder"));
}

// copy_file_range or read/write, each with rename, link or exclusive create.
INSTANTIATE_TEST_SUITE_P(EveryFastPathAndFallback, FileCopyTest,
                         ::testing::Values(platform::CopyPaths{true, true, true},
                                           platform::CopyPaths{false, true, true},
                                           platform::CopyPaths{true, false, true},
                                           platform::CopyPaths{false, false, false}));

}  // namespace
