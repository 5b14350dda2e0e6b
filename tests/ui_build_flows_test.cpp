// Creation and addition driven from the main window's buttons, with a
// replaced folder choice and real folders.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "store/playlist_file.h"
#include "store/program_state.h"
#include "store/search_worker.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_folder.h"
#include "ui/add_confirm_dlg.h"
#include "ui/extension_dlg.h"
#include "ui/folder_chooser.h"
#include "ui/main_dialog.h"

namespace {

using namespace testing_support;

// Runs `script` once a modal window of type W is up, inside its loop.
template <typename W>
void WhenOpen(std::function<void(W&)> script) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, script] {
    auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
    if (window == nullptr) return;
    timer->deleteLater();
    timer->stop();
    script(*window);
  });
  timer->start(10);
}

void Click(QWidget& window, const QString& text) {
  for (auto* button : window.findChildren<QPushButton*>()) {
    if (button->text() == text) QTest::mouseClick(button, Qt::LeftButton);
  }
}

void Enter(CExtensionDialog& prompt, const char* extension) {
  prompt.findChild<QLineEdit*>()->setText(extension);
  Click(prompt, "OK");
}

class BuildFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    WriteFile(folder_.Join("music/a.mp3"), "aa");
    WriteFile(folder_.Join("music/sub/b.mp3"), "bbb");
    Choose(folder_.Join("music"));
  }
  void TearDown() override { SetFolderChooser(nullptr); }
  void Choose(const std::string& folder) {
    SetFolderChooser([folder](QWidget*, const QString&) { return QString::fromStdString(folder); });
  }
  void Press(const char* button) {
    if (!dialog_) dialog_ = std::make_unique<CMainDialog>(&messages_);
    QTest::mouseClick(dialog_->findChild<QPushButton*>(button), Qt::LeftButton);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const ShownMessage& shown : messages_.shown) texts.push_back(shown.text);
    return texts;
  }

  TempFolder folder_;
  RecordingMessages messages_;
  std::unique_ptr<CMainDialog> dialog_;
};

TEST_F(BuildFlowTest, CreationRetriesAnEmptyEntryThenEnablesTheButtons) {
  MakeFolders("kMp3");
  WhenOpen<CExtensionDialog>([](CExtensionDialog& prompt) {
    EXPECT_EQ(prompt.findChild<QLineEdit*>()->text(), "mp3");
    Enter(prompt, "");
    EXPECT_TRUE(prompt.findChild<QLineEdit*>()->isEnabled());
    EXPECT_EQ(prompt.findChild<QLineEdit*>()->text(), "mp3");
    Enter(prompt, "MP3 x");
  });
  Press("createPlaylist");
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"拡張子が入力されていません。", "ﾌﾟﾚｲﾘｽﾄを作成しました。"}));
  EXPECT_EQ(messages_.shown[0].icon, platform::MessageIcon::Stop);
  EXPECT_EQ(ReadPlaylist().entries[1].path, Stored(folder_.Join("music/sub/b.mp3")));
  for (auto [name, enabled] : {std::pair{"startTransfer", true},
                               {"showPlaylist", true},
                               {"addToPlaylist", true},
                               {"createPlaylist", false}}) {
    EXPECT_EQ(dialog_->findChild<QPushButton*>(name)->isEnabled(), enabled) << name;
  }
  EXPECT_EQ(dialog_->focusWidget()->objectName(), "startTransfer");
}

// The chooser cancelled ends the flow at once; a playlist that appeared
// since start-up refuses the creation and changes no button.
TEST_F(BuildFlowTest, CreationEndsOnACancelledChoiceAndIsRefusedOverAPlaylist) {
  Choose("");
  Press("createPlaylist");
  EXPECT_TRUE(messages_.shown.empty());
  WritePlaylist({MakeEntry(1, 7, "//x.mp3", 1)});
  std::string before = ReadFile("kPlayLst.dat");
  Choose(folder_.Join("music"));
  WhenOpen<CExtensionDialog>([](CExtensionDialog& prompt) { Enter(prompt, "mp3"); });
  Press("createPlaylist");
  EXPECT_EQ(Texts(), std::vector<std::string>{"ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。"});
  EXPECT_EQ(ReadFile("kPlayLst.dat"), before);
  EXPECT_TRUE(dialog_->findChild<QPushButton*>("createPlaylist")->isEnabled());
}

TEST_F(BuildFlowTest, AdditionShowsTheScanThenAppendsOnOkOnly) {
  WritePlaylist({MakeEntry(1, 7, "//x.mp3", 1)});
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    std::string before = ReadFile("kPlayLst.dat");
    QStringList rows;
    WhenOpen<CExtensionDialog>([](CExtensionDialog& prompt) { Enter(prompt, "mp3"); });
    WhenOpen<CAddConfirmDialog>([&](CAddConfirmDialog& confirm) {
      auto* list = confirm.findChild<QListWidget*>();
      for (int row = 0; row < list->count(); ++row) rows << list->item(row)->text();
      Click(confirm, ok ? "OK" : "ｷｬﾝｾﾙ");
    });
    Press("addToPlaylist");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], "状態|伝送番号|ファイル容量|登録番号|ファイル名");
    EXPECT_EQ(rows[2], QString::fromStdString("  0 |  0000  |          3 |  0002  | " +
                                              folder_.Join("music/sub/b.mp3") + " "));
    EXPECT_EQ(CountEntries(ReadPlaylist()), ok ? 3u : 1u);
    if (!ok) {
      EXPECT_EQ(ReadFile("kPlayLst.dat"), before);
    }
  }
  EXPECT_EQ(Texts(), std::vector<std::string>{"ﾌﾟﾚｲﾘｽﾄ追加しました。"});
}

// Each of 22 levels links twice to the next: millions of walks, stopped
// once the title has moved both ways.
TEST_F(BuildFlowTest, TheTitleMovesWhileASlowSearchRunsAndClosingIsRefused) {
  constexpr int kLevels = 22;
  MakeFolders(folder_.Join("d0"));
  for (int level = 0; level < kLevels; ++level) {
    std::string next = folder_.Join("d" + std::to_string(level + 1));
    MakeFolders(next);
    for (const char* link : {"/a", "/b"}) {
      std::filesystem::create_directory_symlink(next,
                                                folder_.Join("d" + std::to_string(level)) + link);
    }
  }
  Choose(folder_.Join("d0"));
  QStringList titles;
  WhenOpen<CExtensionDialog>([&](CExtensionDialog& prompt) {
    Enter(prompt, "mp3");
    for (const char* title : {"　　曲データ検索中！", "曲データ検索中！"}) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return prompt.windowTitle() == title; }, 20000));
    }
    prompt.close();
    EXPECT_TRUE(prompt.isVisible());
    g_searchStopRequested = true;
  });
  Press("createPlaylist");
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"曲データ検索中です。", "ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。"}));
  EXPECT_EQ(messages_.shown[0].caption, "(app)");
}

}  // namespace
