// The maintenance flows and the creation and addition messages: texts,
// captions, buttons, and the order of question, edit, message and refresh.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "store/build_flows.h"
#include "store/maintenance_flows.h"
#include "store/playlist_file.h"
#include "store/search_worker.h"
#include "store/table_images.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

class FakeView : public PlaylistView {
 public:
  FakeView(std::vector<std::string>& events, std::vector<uint32_t> selection)
      : events_(events), selection_(std::move(selection)) {}
  uint32_t ReadSelectedSlots(uint32_t* slots) override {
    events_.push_back("read-selection");
    for (size_t i = 0; i < selection_.size(); ++i) slots[i] = selection_[i];
    return static_cast<uint32_t>(selection_.size());
  }
  void Refresh() override { events_.push_back("refresh"); }

 private:
  std::vector<std::string>& events_;
  std::vector<uint32_t> selection_;
};

class MaintenanceFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePlaylist({MakeEntry(1, 3, "//a.mp3", 1), MakeEntry(0, 0, "//b.mp3", 2)});
    ASSERT_TRUE(LoadWorkingTableWithCount());
  }
  TempFolder folder_;
};

TEST_F(MaintenanceFlowTest, QuestionEditMessageThenRefresh) {
  RecordingMessages messages(MessageAnswer::Yes);
  FakeView view(messages.events, {1});
  EXPECT_EQ(RunExcludeSelectedFlow(messages, view), FlowResult::Succeeded);
  std::vector<std::string> expected{"show:選択曲を除外します。よろしいですか？", "read-selection",
                                    "show:選択曲を除外しました。", "refresh"};
  EXPECT_EQ(messages.events, expected);
  const ShownMessage& question = messages.shown[0];
  EXPECT_EQ(question.caption, "選択曲を除外確認");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_TRUE(question.secondButtonIsDefault);
  EXPECT_EQ(question.icon, MessageIcon::None);
  const ShownMessage& result = messages.shown[1];
  EXPECT_EQ(result.caption, "(app)");
  EXPECT_EQ(result.buttons, MessageButtons::Ok);
  EXPECT_EQ(result.icon, MessageIcon::None);
  EXPECT_EQ(ReadPlaylist().entries[1].state, STATE_EXCLUDED);
}

TEST_F(MaintenanceFlowTest, NoLeavesTheFileUntouched) {
  struct stat before;
  ASSERT_EQ(stat(PLAYLIST_FILE_NAME, &before), 0);
  std::string bytes = ReadFile(PLAYLIST_FILE_NAME);
  for (auto flow :
       {RunMarkAllUntransferredFlow, RunMarkSelectedUntransferredFlow, RunExcludeSelectedFlow}) {
    RecordingMessages messages(MessageAnswer::No);
    FakeView view(messages.events, {0, 1});
    EXPECT_EQ(flow(messages, view), FlowResult::Declined);
    EXPECT_EQ(messages.events.size(), 1u);  // the question only: no selection read
  }
  struct stat after;
  ASSERT_EQ(stat(PLAYLIST_FILE_NAME, &after), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), bytes);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(MaintenanceFlowTest, EmptySelectionStillSavesAndSucceeds) {
  WriteFile(PLAYLIST_FILE_NAME, ReadFile(PLAYLIST_FILE_NAME).substr(0, 600));
  RecordingMessages messages;
  FakeView view(messages.events, {});
  EXPECT_EQ(RunMarkSelectedUntransferredFlow(messages, view), FlowResult::Succeeded);
  EXPECT_EQ(messages.shown.back().text, "選択曲を未伝送にしました。");
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
}

TEST_F(MaintenanceFlowTest, FailureShowsItsMessageAndDoesNotRefresh) {
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  RecordingMessages messages;
  FakeView view(messages.events, {0});
  EXPECT_EQ(RunMarkAllUntransferredFlow(messages, view), FlowResult::Failed);
  std::vector<std::string> expected{"show:全てを未伝送にします。よろしいですか？",
                                    "show:全てを未伝送に出来ませんでした。"};
  EXPECT_EQ(messages.events, expected);
  EXPECT_EQ(messages.shown[0].caption, "全てを未伝送確認");
  EXPECT_EQ(messages.shown[1].caption, "(app)");
}

TEST(BuildFlowMessages, CreationOutcomes) {
  RecordingMessages messages;
  EXPECT_FALSE(ReportCreation(SEARCH_NONE, messages));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(ReportCreation(SEARCH_SUCCEEDED, messages));
  EXPECT_FALSE(ReportCreation(SEARCH_FAILED, messages));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "ﾌﾟﾚｲﾘｽﾄを作成しました。");
  EXPECT_EQ(messages.shown[0].caption, "確認");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_EQ(messages.shown[1].text, "ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。");
  EXPECT_EQ(messages.shown[1].caption, "エラー");
  EXPECT_EQ(messages.shown[1].icon, MessageIcon::Stop);
}

TEST(BuildFlowMessages, AdditionOutcomes) {
  TempFolder folder;
  RecordingMessages messages;
  EXPECT_FALSE(AppendAndReport(messages));  // no playlist
  WritePlaylist({});
  EXPECT_TRUE(AppendAndReport(messages));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "ﾌﾟﾚｲﾘｽﾄ追加失敗しました。");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(messages.shown[1].text, "ﾌﾟﾚｲﾘｽﾄ追加しました。");
  EXPECT_EQ(messages.shown[1].caption, "確認");
}

}  // namespace
