// Switching the start-up marker kStartUp on and off.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "playback/marker_files.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

TEST(MarkerFilesTest, OnCreatesOrEmptiesTheMarkerOffDeletesIt) {
  TempFolder folder;
  ASSERT_TRUE(SetStartUpMarker(true));
  EXPECT_EQ(ReadFile("kStartUp"), "");
  WriteFile("kStartUp", "left by hand");
  ASSERT_TRUE(SetStartUpMarker(true));
  EXPECT_TRUE(Exists("kStartUp"));
  EXPECT_EQ(ReadFile("kStartUp"), "");
  EXPECT_TRUE(SetStartUpMarker(false));
  EXPECT_FALSE(Exists("kStartUp"));
  EXPECT_FALSE(SetStartUpMarker(false));  // already gone
}

TEST(MarkerFilesTest, ReadOnlyMarkerOrFolderCannotBeSet) {
  TempFolder folder;
  WriteFile("kStartUp", "kept");
  chmod("kStartUp", 0444);
  EXPECT_FALSE(SetStartUpMarker(true));
  EXPECT_EQ(ReadFile("kStartUp"), "kept");
  ASSERT_TRUE(SetStartUpMarker(false));
  MakeFolders("kStartUp");
  EXPECT_FALSE(SetStartUpMarker(true));
  EXPECT_FALSE(SetStartUpMarker(false));
}

TEST(MarkerFilesTest, FailureIsReportedAsAnError) {
  struct : platform::UserMessages {
    platform::MessageAnswer Show(const platform::MessageRequest& request) override {
      shown = request;
      return platform::MessageAnswer::Ok;
    }
    platform::MessageRequest shown{};
  } messages;
  ReportMarkerFailure(messages);
  EXPECT_STREQ(messages.shown.text, "設定出来ませんでした。");
  EXPECT_STREQ(messages.shown.caption, "エラー");
  EXPECT_EQ(messages.shown.icon, platform::MessageIcon::Stop);
  EXPECT_TRUE(messages.shown.reportsFailure);
}

}  // namespace
