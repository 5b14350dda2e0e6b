// The maintenance flows: texts, captions, buttons, and the order of
// question, edit, message and refresh.
#include <sys/stat.h>

#include "platform/folder_lock.h"
#include "store/maintenance_flows.h"
#include "tests/support/core_test.h"
#include "tests/support/recording_messages.h"

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

using Lines = std::vector<std::string>;

// "caption: text", then the buttons unless plain OK and the icon if any.
Lines Shown(const RecordingMessages& messages) {
  Lines lines;
  for (const ShownMessage& m : messages.shown) {
    std::string line = m.caption + ": " + m.text;
    if (m.buttons == MessageButtons::YesNo) line += m.secondButtonIsDefault ? " [y/N]" : " [Y/n]";
    if (m.icon == MessageIcon::Stop) line += " (stop)";
    lines.push_back(line);
  }
  return lines;
}

class FakeView : public PlaylistView {
 public:
  FakeView(Lines& events, std::vector<uint32_t> selection)
      : events_(events), selection_(std::move(selection)) {}
  uint32_t ReadSelectedSlots(uint32_t* slots) override {
    events_.push_back("read-selection");
    for (size_t i = 0; i < selection_.size(); ++i) slots[i] = selection_[i];
    return static_cast<uint32_t>(selection_.size());
  }
  void Refresh() override { events_.push_back("refresh"); }

 private:
  Lines& events_;
  std::vector<uint32_t> selection_;
};

class MaintenanceFlowTest : public FreshPlaylistTest {
 protected:
  void SetUp() override {
    WritePlaylist({MakeEntry(1, 3, "//a.mp3", 1), MakeEntry(0, 0, "//b.mp3", 2)});
    ASSERT_TRUE(playlist_->LoadWithCount());
  }
};

TEST_F(MaintenanceFlowTest, QuestionEditMessageThenRefresh) {
  RecordingMessages messages(MessageAnswer::Yes);
  FakeView view(messages.events, {1});
  EXPECT_EQ(RunExcludeSelectedFlow(*playlist_, messages, view), FlowResult::Succeeded);
  EXPECT_EQ(messages.events, (Lines{"show:選択曲を除外します。よろしいですか？", "read-selection",
                                    "show:選択曲を除外しました。", "refresh"}));
  EXPECT_EQ(Shown(messages), (Lines{"選択曲を除外確認: 選択曲を除外します。よろしいですか？ [y/N]",
                                    "(app): 選択曲を除外しました。"}));
  EXPECT_EQ(ReadPlaylist().entries[1].state, STATE_EXCLUDED);

  // An empty selection still saves, the whole table, and succeeds.
  WriteFile(PLAYLIST_FILE_NAME, ReadFile(PLAYLIST_FILE_NAME).substr(0, 600));
  FakeView none(messages.events, {});
  EXPECT_EQ(RunMarkSelectedUntransferredFlow(*playlist_, messages, none), FlowResult::Succeeded);
  EXPECT_EQ(messages.shown.back().text, "選択曲を未伝送にしました。");
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
}

TEST_F(MaintenanceFlowTest, NoLeavesTheFileUntouched) {
  struct stat before;
  ASSERT_EQ(stat(PLAYLIST_FILE_NAME, &before), 0);
  std::string bytes = ReadFile(PLAYLIST_FILE_NAME);
  for (auto flow :
       {RunMarkAllUntransferredFlow, RunMarkSelectedUntransferredFlow, RunExcludeSelectedFlow}) {
    RecordingMessages messages(MessageAnswer::No);
    FakeView view(messages.events, {0, 1});
    EXPECT_EQ(flow(*playlist_, messages, view), FlowResult::Declined);
    EXPECT_EQ(messages.events.size(), 1u);  // the question only: no selection read
  }
  struct stat after;
  ASSERT_EQ(stat(PLAYLIST_FILE_NAME, &after), 0);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), bytes);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

// A refusal says why, and the view shows the file as it is.
TEST_F(MaintenanceFlowTest, FailureSaysWhyAndRefreshes) {
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  RecordingMessages messages;
  FakeView view(messages.events, {0});
  EXPECT_EQ(RunMarkAllUntransferredFlow(*playlist_, messages, view), FlowResult::Failed);
  EXPECT_EQ(messages.events.back(), "refresh");
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0644), 0);
  platform::FolderLock fill;
  ASSERT_EQ(fill.TryLock(".", PLAYLIST_FILE_NAME), 0);
  EXPECT_EQ(RunMarkAllUntransferredFlow(*playlist_, messages, view), FlowResult::Failed);
  EXPECT_EQ(Shown(messages),
            (Lines{"全てを未伝送確認: 全てを未伝送にします。よろしいですか？ [y/N]",
                   "(app): 全てを未伝送に出来ませんでした。\n(Permission denied)",
                   "全てを未伝送確認: 全てを未伝送にします。よろしいですか？ [y/N]",
                   "(app): 全てを未伝送に出来ませんでした。\n"
                   "(他のﾌﾟﾛｸﾞﾗﾑがこのﾌｫﾙﾀﾞのﾌﾟﾚｲﾘｽﾄを変更中です。)"}));
}

}  // namespace
