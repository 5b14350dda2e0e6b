// Creation and addition from the main window's buttons, with a replaced
// folder choice and real folders.
#include <QFileDialog>
#include <QListWidget>

#include "tests/support/window_test.h"
#include "ui/add_confirm_dlg.h"

namespace {

using Texts = std::vector<std::string>;

class BuildFlowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    WriteFile(folder_.Join("music/a.mp3"), "aa");
    WriteFile(folder_.Join("music/sub/b.mp3"), "bbb");
    Choose(folder_.Join("music"));
  }
  void Choose(const std::string& folder) {
    chosen_ = QString::fromStdString(folder);
    if (dialog_) dialog_->SetFolderChooser([this](QWidget*, const QString&) { return chosen_; });
  }
  QPushButton* Button(const char* name) {  // the window opens on first use
    if (!dialog_) {
      Open();
      Choose(chosen_.toStdString());
    }
    return MainWindowTest::Button(name);
  }
  void Press(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
  Texts Shown() {
    Texts texts;
    for (const ShownMessage& shown : messages_.shown) texts.push_back(shown.text);
    return texts;
  }

  QString chosen_;
};

// Cancelling the real chooser, in Japanese, or the prompt ends the flow
// without a word; a playlist that appeared since start-up refuses the
// creation; an empty entry may be tried again.
TEST_F(BuildFlowTest, CreationRefusesOverAPlaylistThenCreatesAndEnablesTheButtons) {
  MakeFolders("kMp3");
  Button("createPlaylist");  // the window, with the platform's chooser
  dialog_->SetFolderChooser(nullptr);
  WhenOpen<QFileDialog>([](QFileDialog& chooser) {
    EXPECT_NE(chooser.labelText(QFileDialog::LookIn), "Look in:");
    chooser.reject();
  });
  Press("createPlaylist");
  Choose(folder_.Join("music"));
  WhenOpen<CExtensionDialog>([](CExtensionDialog& prompt) { Click(prompt, "ｷｬﾝｾﾙ"); });
  Press("createPlaylist");
  EXPECT_TRUE(messages_.shown.empty());
  WritePlaylist({MakeEntry(1, 7, "//x.mp3", 1)});
  std::string before = ReadFile("kPlayLst.dat");
  Enter("mp3");
  Press("createPlaylist");
  EXPECT_EQ(Shown(), Texts{"ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。"});
  EXPECT_EQ(ReadFile("kPlayLst.dat"), before);
  EXPECT_TRUE(Button("createPlaylist")->isEnabled());

  std::filesystem::remove("kPlayLst.dat");
  Enter("");
  Press("createPlaylist");
  EXPECT_EQ(Shown(), (Texts{"ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。", "拡張子が入力されていません。",
                            "ﾌﾟﾚｲﾘｽﾄを作成しました。"}));
  EXPECT_EQ(messages_.shown[1].icon, platform::MessageIcon::Stop);
  EXPECT_EQ(ReadPlaylist().entries[1].path, Stored(folder_.Join("music/sub/b.mp3")));
  EXPECT_FALSE(Button("createPlaylist")->isEnabled());
  EXPECT_TRUE(Button("addToPlaylist")->isEnabled());
  EXPECT_EQ(dialog_->focusWidget(), Button("startTransfer"));
}

TEST_F(BuildFlowTest, AdditionListsTheScanAndAppendsOnOkOnly) {
  WritePlaylist({MakeEntry(1, 7, "//x.mp3", 1)});
  std::string before = ReadFile("kPlayLst.dat");
  for (const char* answer : {"ｷｬﾝｾﾙ", "OK"}) {
    SCOPED_TRACE(answer);
    QStringList rows;
    Enter("mp3");
    WhenOpen<CAddConfirmDialog>([&](CAddConfirmDialog& confirm) {
      auto* list = confirm.findChild<QListWidget*>();
      for (int row = 0; row < list->count(); ++row) rows << list->item(row)->text();
      Click(confirm, answer);
    });
    Press("addToPlaylist");
    EXPECT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.value(2).toStdString(),
              "  0 |  0000  |          3 |  0002  | " + folder_.Join("music/sub/b.mp3") + " ");
    EXPECT_EQ(ReadFile("kPlayLst.dat") == before, answer[0] != 'O');  // OK appends
  }
  EXPECT_EQ(CountEntries(ReadPlaylist()), 3u);
  EXPECT_EQ(Shown(), Texts{"ﾌﾟﾚｲﾘｽﾄ追加しました。"});
}

// Each of 22 levels links twice to the next: millions of walks, stopped
// once the title has moved both ways.
TEST_F(BuildFlowTest, TheTitleMovesWhileASlowSearchRunsAndClosingIsRefused) {
  for (int level = 0; level < 22; ++level) {
    std::string here = folder_.Join("d" + std::to_string(level));
    MakeFolders(here);
    for (const char* link : {"/a", "/b"})
      std::filesystem::create_directory_symlink(folder_.Join("d" + std::to_string(level + 1)),
                                                here + link);
  }
  Choose(folder_.Join("d0"));
  WhenOpen<CExtensionDialog>([&](CExtensionDialog& prompt) {
    Click(prompt, "OK");
    for (const char* title : {"　　曲データ検索中！", "曲データ検索中！"})
      EXPECT_TRUE(QTest::qWaitFor([&] { return prompt.windowTitle() == title; }, 20000));
    prompt.close();
    EXPECT_TRUE(prompt.isVisible());
    owners_->search.RequestStop();
  });
  Press("createPlaylist");
  EXPECT_EQ(Shown(), (Texts{"曲データ検索中です。", "ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。"}));
  EXPECT_EQ(messages_.shown[0].caption, "(app)");
}

}  // namespace
