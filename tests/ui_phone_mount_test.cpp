// The window on a folder that behaves like a phone's media-transfer mount
// (the team's mtp-like-fs, plain and with --no-edit): creation, a fill and
// the playlist window's edits leave the files they leave anywhere else.
#include <QListView>
#include <optional>

#include "tests/support/phone_mount.h"
#include "tests/support/transfer_setup.h"
#include "tests/support/window_test.h"
#include "ui/playlist_dlg.h"

namespace {

class PhoneWindowTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {
 protected:
  void TearDown() override {  // nothing of the window's may hold the mount
    dialog_.reset();
    phone_.reset();
  }

  TransferSetup setup_;  // the songs in its music/, the mount beside them
  std::optional<PhoneMount> phone_;
};

TEST_P(PhoneWindowTest, CreatesFillsAndEditsThroughTheWindow) {
  std::string missing = PhoneMount::Missing();
  if (!missing.empty()) GTEST_SKIP() << "no phone-like mount: " << missing;
  for (int i = 0; i < 5; ++i) setup_.Song(std::to_string(i) + ".mp3", 0, 200000);
  phone_.emplace("phone-data", "phone", GetParam());
  ASSERT_TRUE(phone_->Mounted()) << "mtp-like-fs did not mount";
  ASSERT_EQ(chdir("phone"), 0);
  Open();
  QString music = QString::fromStdString(setup_.folder().Join("music"));
  dialog_->SetFolderChooser([music](QWidget*, const QString&) { return music; });
  Enter("mp3");
  Press("createPlaylist");
  Press("createFolder");
  std::string created = ReadFile(PLAYLIST_FILE_NAME);
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return messages_.shown.size() == 3; }, 30000));
  setup_.ExpectFolderMatchesPlaylist();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog_->windowTitle().startsWith("Kobaru MP3 ("); }));
  EXPECT_EQ(setup_.SentNumbers().size(), 5u);
  WhenOpen<CPlaylistDialog>([](CPlaylistDialog& window) {
    auto* list = window.findChild<QListView*>("fileOrderList");
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
    Click(window, "選択曲を除外");
    Click(window, "全てを未伝送");
    window.accept();
  });
  Press("showPlaylist");
  std::vector<std::string> texts;
  for (const ShownMessage& shown : messages_.shown) texts.push_back(shown.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "ﾌﾟﾚｲﾘｽﾄを作成しました。", "kMp3 ﾌｫﾙﾀﾞを作成しました。", "5 曲伝送しました。",
                       "選択曲を除外します。よろしいですか？", "選択曲を除外しました。",
                       "全てを未伝送にします。よろしいですか？", "全てを未伝送にしました。"}));
  created[0] = STATE_EXCLUDED;  // the first record's state, little-endian
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), created);
  EXPECT_FALSE(Exists(PLAYLIST_BACKUP_NAME));
  Open();  // the playlist is found without asking to write it
  EXPECT_FALSE(Button("createPlaylist")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(PlainAndNoEdit, PhoneWindowTest, ::testing::Bool());

}  // namespace
