// The window on a folder that behaves like a phone's media-transfer mount
// (the team's mtp-like-fs, plain and with --no-edit): creation, a fill and
// the playlist window's edits leave the files they leave anywhere else.
#include <QListView>

#include "tests/support/phone_mount.h"
#include "tests/support/transfer_setup.h"
#include "tests/support/window_test.h"
#include "ui/playlist_dlg.h"

namespace {

class PhoneWindowTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PhoneWindowTest, CreatesFillsAndEditsThroughTheWindow) {
  std::string missing = PhoneMount::Missing();
  if (!missing.empty()) GTEST_SKIP() << "no phone-like mount: " << missing;
  TransferSetup setup;  // the songs in its music/, the mount beside them
  for (int i = 0; i < 5; ++i) setup.Song(std::to_string(i) + ".mp3", 0, 200000);
  PhoneMount phone("phone-data", "phone", GetParam());
  ASSERT_TRUE(phone.Mounted()) << "mtp-like-fs did not mount";
  ASSERT_EQ(chdir("phone"), 0);
  QString music = QString::fromStdString(setup.folder().Join("music"));
  Open().SetFolderChooser([music](QWidget*, const QString&) { return music; });
  Enter("mp3");
  Press("createPlaylist");
  Press("createFolder");
  std::string created = ReadFile(PLAYLIST_FILE_NAME);
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return messages_.shown.size() == 3; }, 30000));
  setup.ExpectFolderMatchesPlaylist();
  EXPECT_EQ(setup.SentNumbers().size(), 5u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog_->windowTitle().startsWith("Kobaru MP3 ("); }));
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
  dialog_.reset();  // a new start: the playlist is found without asking to write it
  owners_ = std::make_unique<WindowOwners>();
  Open();
  EXPECT_FALSE(Button("createPlaylist")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(PlainAndNoEdit, PhoneWindowTest, ::testing::Bool());

}  // namespace
