// The target folder: the start-up test, the creation and its messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/presence_flags.h"
#include "transfer/target_folder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

TEST(TargetFolderTest, StartUpTestFindsOnlyAFolderAndStaysWhereItIs) {
  TempFolder folder;
  g_targetFolderPresent = 0;
  EXPECT_FALSE(TestTargetFolder());
  WriteFile("kMp3", "a file, not a folder");
  EXPECT_FALSE(TestTargetFolder());
  EXPECT_EQ(g_targetFolderPresent, 0);
  RecordingMessages messages;
  EXPECT_FALSE(CreateTargetFolder(messages));  // the file is in the way
  EXPECT_EQ(g_targetFolderPresent, 0);
  std::filesystem::remove("kMp3");
  MakeFolders("elsewhere/inner");
  std::filesystem::create_directory_symlink("elsewhere/inner", "kMp3");
  EXPECT_TRUE(TestTargetFolder());
  EXPECT_EQ(g_targetFolderPresent, 1);
  EXPECT_EQ(std::filesystem::current_path(), folder.path());
}

TEST(TargetFolderTest, CreationReportsEachOutcome) {
  TempFolder folder;
  g_targetFolderPresent = 0;
  RecordingMessages messages;
  EXPECT_TRUE(CreateTargetFolder(messages));
  EXPECT_TRUE(std::filesystem::is_directory("kMp3"));
  EXPECT_EQ(g_targetFolderPresent, 1);
  EXPECT_FALSE(CreateTargetFolder(messages));  // it exists now
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "kMp3 ﾌｫﾙﾀﾞを作成しました。");
  EXPECT_EQ(messages.shown[0].caption, "確認");
  EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::None);
  EXPECT_EQ(messages.shown[1].text, "kMp3 ﾌｫﾙﾀﾞ作成出来ませんでした。");
  EXPECT_EQ(messages.shown[1].caption, "エラー");
  EXPECT_EQ(messages.shown[1].icon, platform::MessageIcon::Stop);
  EXPECT_EQ(ChangeFolder("missing"), 0);
  EXPECT_EQ(ChangeFolder("kMp3"), 1);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(folder.Join("kMp3")));
}

}  // namespace
