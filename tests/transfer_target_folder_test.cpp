// The target folder kMp3 and the free-space title.
#include <tuple>
#include <unistd.h>

#include "platform/volume_space.h"
#include "tests/support/core_test.h"
#include "tests/support/recording_messages.h"
#include "tests/support/small_volume.h"
#include "transfer/transfer_budget.h"
#include "transfer/free_space_title.h"
#include "transfer/target_folder.h"
#include "transfer/transfer_texts.h"

namespace {

// Only a folder counts, and a file in its place also stops the creation;
// neither the test nor the creation moves the current folder.
using TargetFolderTest = FreshPlaylistTest;

TEST_F(TargetFolderTest, OnlyAFolderCountsAndItIsCreatedOnce) {
  RecordingMessages messages;
  EXPECT_FALSE(TestTargetFolder(*playlist_));
  WriteFile("kMp3", "a file, not a folder");
  EXPECT_FALSE(TestTargetFolder(*playlist_));
  EXPECT_FALSE(CreateTargetFolder(*playlist_, messages));
  EXPECT_FALSE(playlist_->targetFolderPresent);
  std::filesystem::remove("kMp3");
  EXPECT_TRUE(CreateTargetFolder(*playlist_, messages));
  EXPECT_TRUE(std::filesystem::is_directory("kMp3"));
  EXPECT_TRUE(playlist_->targetFolderPresent);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "kMp3 ﾌｫﾙﾀﾞ作成出来ませんでした。");
  EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Stop);
  EXPECT_EQ(messages.shown[1].text, "kMp3 ﾌｫﾙﾀﾞを作成しました。");
  EXPECT_EQ(messages.shown[1].icon, platform::MessageIcon::None);
  playlist_ = std::make_unique<Playlist>();
  EXPECT_TRUE(TestTargetFolder(*playlist_));
  EXPECT_TRUE(playlist_->targetFolderPresent);
  EXPECT_EQ(std::filesystem::current_path(), folder_.path());
}

// Whole megabytes, truncated, of every free block of the volume being
// filled, wherever the program lies; the title stays as it is during a run.
TEST(FreeSpaceTitleTest, MeasuresTheWorkingFoldersVolumeOnlyBetweenRuns) {
  for (auto [bytes, megabytes] : {std::pair<uint64_t, const char*>{1048575, "0"},
                                  {1048576, "1"},
                                  {2097151, "1"},
                                  {5000000000ull, "4768"},
                                  {UINT64_MAX, "2147483647"}}) {
    char made[TITLE_BYTES];
    FormatFreeSpaceTitle(bytes, made, sizeof made);
    EXPECT_EQ(made, "Kobaru MP3 (" + std::string(megabytes) + "MB空き)");
  }
  uint64_t bytes = 0;
  EXPECT_FALSE(platform::FreeBytesOfVolume("/no/such/volume", &bytes));
  TempFolder folder;
  SmallVolume card(folder.Join("card"), "8m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  WriteFile("card/song.mp3", std::string(3u << 20, 's'));
  ASSERT_TRUE(platform::FreeBytesOfVolume("card", &bytes));
  EXPECT_EQ(bytes, 5u << 20);
  char title[TITLE_BYTES] = "unchanged";
  TransferProgress progress;
  progress.status = TransferStatus::Finished;
  EXPECT_FALSE(MakeFreeSpaceTitle(progress, title, sizeof title));
  EXPECT_STREQ(title, "unchanged");
  progress.status = TransferStatus::Idle;
  ASSERT_EQ(chdir("card"), 0);
  bool made = MakeFreeSpaceTitle(progress, title, sizeof title);
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_TRUE(made);
  EXPECT_STREQ(title, "Kobaru MP3 (5MB空き)");
}

}  // namespace

// The budget of a fill up to the free space keeps 1% of the volume, at
// least 8 MB; a volume without a size has an unknown free space, not none.
TEST(FreeSpaceBudgetTest, MarginBlocksAndUnknownSize) {
  constexpr uint64_t kMb = 1u << 20;
  uint64_t budget = 1;
  EXPECT_FALSE(FreeSpaceBudget({0, 0, 4096}, &budget));
  for (auto [available, total, expected] :
       {std::tuple<uint64_t, uint64_t, uint64_t>{100 * kMb, 200 * kMb, 92 * kMb},
        {32000 * kMb, 32000 * kMb, 31680 * kMb},
        {5 * kMb, 100 * kMb, 0}}) {
    ASSERT_TRUE(FreeSpaceBudget({available, total, 4096}, &budget));
    EXPECT_EQ(budget, expected);
  }
  EXPECT_EQ(SpaceTaken(0, 4096), 0u);
  EXPECT_EQ(SpaceTaken(1, 4096), 4096u);
  EXPECT_EQ(SpaceTaken(UINT32_MAX, 4096), 4ull << 30);
}
