// The main window driven through its widgets: start-up rules, the kMp3
// folder, a real run started by a click, leaving during a run, the banner,
// the message boxes and the command line.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>

#include "tests/support/child_process.h"
#include "tests/support/paced_run.h"
#include "tests/support/recording_player.h"
#include "tests/support/small_volume.h"
#include "tests/support/transfer_setup.h"
#include "tests/support/window_test.h"
#include "ui/about_dlg.h"
#include "ui/command_line.h"
#include "ui/folder_display.h"
#include "ui/main_app.h"
#include "ui/qt_user_messages.h"

namespace {

using platform::MessageIcon;

class MainDialogTest : public MainWindowTest {
 protected:
  std::string Enabled() {  // start, show, add, create playlist, create folder, show folder
    std::string flags;
    for (const char* name : {"startTransfer", "showPlaylist", "addToPlaylist", "createPlaylist",
                             "createFolder", "showFolder"})
      flags += Button(name)->isEnabled() ? '1' : '0';
    return flags;
  }
};

TEST_F(MainDialogTest, StartUpEnablesByWhatIsPresentAndFocusesStartOrCapacity) {
  for (auto [playlist, target, enabled] : {std::tuple{false, false, "000110"},
                                           {true, false, "011010"},
                                           {false, true, "000101"},
                                           {true, true, "111001"}}) {
    SCOPED_TRACE(enabled);
    TempFolder case_folder;
    dialog_.reset();
    owners_ = std::make_unique<WindowOwners>();
    if (playlist) WritePlaylist({});
    if (target) MakeFolders("kMp3");
    Open();
    EXPECT_EQ(Enabled(), enabled);
    EXPECT_EQ(dialog_->focusWidget()->objectName(),
              playlist && target ? "startTransfer" : "capacity");
  }
}

// Typed text is never completed to an item: "1" is no item, so 240 MB, and
// two songs of 100 MB go where 120 MB would take one and 1920 MB three.
TEST_F(MainDialogTest, TypedCapacityThatIsNoItemRuns240Megabytes) {
  TransferSetup setup;
  constexpr uint32_t kHundredMb = 100u << 20;
  WritePlaylist({setup.Song("a.mp3", kHundredMb), setup.Song("b.mp3", kHundredMb),
                 setup.Song("c.mp3", kHundredMb)});
  Open();
  dialog_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  auto* capacity = dialog_->findChild<QComboBox*>("capacity");
  capacity->setFocus();
  capacity->lineEdit()->selectAll();
  QTest::keyClicks(capacity, "1");
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Button("startTransfer")->isEnabled(); }));
  EXPECT_EQ(setup.SentNumbers().size(), 2u);
}

// The eighth item fills kMp3's volume up to its free space less the 8 MB
// margin: four songs of 1,000,000 bytes (245 blocks each) fit 4 MB, a
// fifth does not. The seven capacities and the default stay.
TEST_F(MainDialogTest, TheEighthItemFillsTheFreeSpace) {
  TransferSetup setup;
  SmallVolume card(setup.folder().Join("kMp3"), "12m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  std::vector<PlaylistEntry> songs;
  for (int i = 0; i < 6; ++i) songs.push_back(setup.Song(std::to_string(i) + ".mp3", 0, 1000000));
  WritePlaylist(songs);
  Open();
  auto* capacity = dialog_->findChild<QComboBox*>("capacity");
  ASSERT_EQ(capacity->count(), 8);
  EXPECT_EQ(capacity->itemText(7), "空き分 作成");
  EXPECT_EQ(capacity->currentText(), " 240M 作成");
  capacity->setCurrentIndex(7);
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Button("startTransfer")->isEnabled(); }));
  EXPECT_EQ(messages_.shown.at(0).text, "4 曲伝送しました。");
  EXPECT_EQ(setup.SentNumbers().size(), 4u);
  setup.ExpectFolderMatchesPlaylist();
  Press("startTransfer");  // the two left do not fit: said, not just counted
  ASSERT_TRUE(QTest::qWaitFor([&] { return Button("startTransfer")->isEnabled(); }));
  EXPECT_EQ(messages_.shown.back().text, "空き容量に入る未伝送の曲がありません。");
}

TEST_F(MainDialogTest, CreatesTheFolderAfterAFailureThenShowsIt) {
  WritePlaylist({});
  WriteFile("kMp3", "a file in the way");
  Open();
  Press("createFolder");  // its messages: the target folder's test
  EXPECT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(Enabled(), "011010");
  std::filesystem::remove("kMp3");
  Press("createFolder");
  EXPECT_EQ(Enabled(), "111001");
  EXPECT_EQ(dialog_->focusWidget(), Button("startTransfer"));
  MakeFolders(folder_.Join("fm"));
  setenv("KOBARU_FILE_MANAGER", ("ln -s -t " + folder_.Join("fm")).c_str(), 1);
  Press("showFolder");
  unsetenv("KOBARU_FILE_MANAGER");
  EXPECT_EQ(WaitForLink(folder_.Join("fm/kMp3")), folder_.Join("kMp3"));
}

// Four songs of 4,000,000 recorded bytes and one missing, into 30 MB: the
// run is held after two copies, 8,000,000 / 307,200 bytes per percent.
TEST_F(MainDialogTest, ARunStartedByAClickShowsItsPercentAnimationAndEnd) {
  TransferSetup setup;
  WritePlaylist({setup.Song("a.mp3", 4000000), setup.Song("b.mp3", 4000000),
                 setup.Song("c.mp3", 4000000), setup.Song("d.mp3", 4000000),
                 setup.Missing("e.mp3")});
  PacedRun paced(2, owners_->transfer);
  Open().SetTransferObserver(paced.observer());
  dialog_->findChild<QComboBox*>("capacity")->setCurrentIndex(0);
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog_->windowTitle() == "26％終了"; }));
  EXPECT_EQ(Enabled(), "000001");
  auto* animation = dialog_->findChild<QWidget*>("picture2");
  EXPECT_TRUE(QTest::qWaitFor([&] { return animation->isVisible(); }));
  EXPECT_EQ(dialog_->findChild<QProgressBar*>("progressLeft")->value(), 26);
  Press("exit");  // refused during a run
  EXPECT_EQ(messages_.shown.at(0).text, "伝送中です。");
  EXPECT_TRUE(dialog_->isVisible());
  paced.Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Button("startTransfer")->isEnabled(); }));
  ASSERT_EQ(messages_.shown.size(), 3u);
  EXPECT_EQ(messages_.shown[1].text, "4 曲伝送しました。");
  EXPECT_EQ(messages_.shown[2].text, "1 曲伝送出来ませんでした。");
  EXPECT_EQ(messages_.shown[2].icon, MessageIcon::Stop);
  EXPECT_EQ(dialog_->findChild<QProgressBar*>("progressRight")->value(), 0);
  EXPECT_FALSE(animation->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog_->windowTitle().startsWith("Kobaru MP3 ("); }));
  setup.ExpectFolderMatchesPlaylist();
}

// A run ended by the numbers, or by a playlist that can't be written, says
// so after its count.
TEST_F(MainDialogTest, ARunThatEndsEarlySaysWhy) {
  TransferSetup setup;
  WritePlaylist({MakeEntry(1, 9999, "//sent.mp3", 1), setup.Song("a.mp3")});
  Open();
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Button("startTransfer")->isEnabled(); }));
  WritePlaylist({setup.Song("b.mp3")});
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return messages_.shown.size() == 4; }));
  EXPECT_EQ(messages_.shown[1].text, "伝送番号を 9999 まで使い切りました。");
  EXPECT_EQ(messages_.shown[3].text, "ﾌﾟﾚｲﾘｽﾄを保存出来ませんでした。\n(Permission denied)");
  EXPECT_EQ(messages_.shown[3].icon, MessageIcon::Stop);
}

// Tiny songs end many to a tick of the timer: each still gets its row, in
// copy order, before the closing message.
TEST_F(MainDialogTest, EveryCopiedSongHasItsRowInCopyOrder) {
  TransferSetup setup;
  setup.WriteSongs(40, 3000);
  Open();
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.shown.empty(); }));
  EXPECT_EQ(messages_.shown[0].text, "40 曲伝送しました。");
  auto* results = dialog_->findChild<QListWidget*>("results");
  ASSERT_EQ(results->count(), 40);
  EXPECT_EQ(results->currentRow(), 39);  // the newest row selected
  int row = 0;
  for (auto [number, slot] : setup.SentNumbers()) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "     %04u  /  0040  |      3000", slot + 1);
    EXPECT_EQ(results->item(row++)->text().toStdString(), expected) << number;
  }
}

TEST_F(MainDialogTest, EscapeDuringARunStopsItAndKeepsEveryCopyOnRecord) {
  TransferSetup setup;
  setup.WriteSongs(10, 300000);
  PacedRun paced(3, owners_->transfer);
  Open().SetTransferObserver(paced.observer());
  Press("startTransfer");
  ASSERT_TRUE(QTest::qWaitFor([&] { return paced.Holding(); }));
  QTest::keyClick(dialog_.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_NE(owners_->transfer.Progress().status.load(), TransferStatus::Running);
  EXPECT_TRUE(messages_.shown.empty());  // the run has ended: no "伝送中です。"
  EXPECT_EQ(setup.SentNumbers().size(), 3u);
  setup.ExpectFolderMatchesPlaylist();
}

TEST_F(MainDialogTest, BannerClickHandsARandomSongToThePlayer) {
  WriteFile("music/song.mp3", "not really a song");
  WritePlaylist({MakeEntry(STATE_UNTRANSFERRED, 0, Stored(folder_.Join("music/song.mp3")), 17)});
  MakeFolders(folder_.Join("player"));
  setenv("KOBARU_PLAYER", ("ln -s -t " + folder_.Join("player")).c_str(), 1);
  Open();
  QTest::mouseClick(dialog_->findChild<QWidget*>("banner"), Qt::LeftButton);
  unsetenv("KOBARU_PLAYER");
  EXPECT_EQ(WaitForLink(folder_.Join("player/song.mp3")), folder_.Join("music/song.mp3"));
}

// A modal box answers from a timer inside its own event loop: Return takes
// the default, which for a question is No.
TEST_F(MainDialogTest, ContextMenuOpensTheAboutBox) {
  Open();
  QString entry, caption;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    entry = menu->actions().at(0)->text();
    QTimer::singleShot(0, [&] {
      caption = QApplication::activeModalWidget()->windowTitle();
      QApplication::activeModalWidget()->close();
    });
    QTest::keyClick(menu, Qt::Key_A);
  });
  QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                          dialog_->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(dialog_.get(), &event);
  EXPECT_EQ(entry, "Kobaru MP3 のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  EXPECT_EQ(caption, "Kobaru MP3のﾊﾞｰｼﾞｮﾝ情報");
}

TEST(QtUserMessagesTest, QuestionsDefaultToNoAndFailuresShowTheStopIcon) {
  QtUserMessages messages(nullptr);
  QStringList seen;
  auto press = [&](Qt::Key key) {
    QTimer::singleShot(0, [&, key] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      seen << box->windowTitle() << QString::number(box->icon()) << box->defaultButton()->text();
      QTest::keyClick(box, key);
    });
  };
  press(Qt::Key_Return);
  EXPECT_EQ(messages.Show(platform::Question("消しますか?", "確認")), platform::MessageAnswer::No);
  press(Qt::Key_Y);  // the letter of "はい(Y)" answers
  EXPECT_EQ(messages.Show(platform::Question("消しますか?", "確認")), platform::MessageAnswer::Yes);
  press(Qt::Key_Return);
  messages.Show(platform::Failure("失敗"));
  EXPECT_EQ(seen, (QStringList{"確認", "0", "いいえ(&N)", "確認", "0", "いいえ(&N)", "エラー",
                               QString::number(QMessageBox::Critical), "OK"}));
}

// KOBARU_FILE_MANAGER when set, else the file manager over D-Bus, else the
// desktop's opener, but never when that opener is this program.
TEST(FolderDisplayTest, FileManagerFirstAndNeverOurselves) {
  TempFolder folder;
  MakeFolders("kMp3");
  std::string calls;
  bool managerShows = false;
  QString handler = "org.gnome.Nautilus.desktop";
  FolderWays ways{[&](const char* command, const char*) {
                    calls += command ?: "opener";
                    return true;
                  },
                  [&](const QString& uri) {
                    calls += uri.toStdString() + " ";
                    return managerShows;
                  },
                  [&] { return handler; }};
  auto show = [&] {
    calls.clear();
    return ShowTargetFolder(ways) ? calls : calls + "(nobody)";
  };
  std::string uri = "file://" + folder.Join("kMp3") + " ";
  EXPECT_EQ(show(), uri + "opener");
  handler = "io.github.kobaru.KobaruMp3.desktop";
  EXPECT_EQ(show(), uri + "(nobody)");
  managerShows = true;
  EXPECT_EQ(show(), uri);
  setenv("KOBARU_FILE_MANAGER", "thunar", 1);
  EXPECT_EQ(show(), "thunar");
  unsetenv("KOBARU_FILE_MANAGER");
}

// A kill or a logout closes the window as Escape does, even with a box open
// over it (About here) rather than once the box is answered, and ends the
// program with 128 + the signal; in a forked child, as it ends every loop.
TEST(CommandLineTest, TerminationSignalsEndTheWindowAndItsBoxes) {
  TempFolder folder;
  for (int signal : {SIGTERM, SIGHUP}) {
    auto run = [signal] {
      WhenOpen<CMainDialog>([signal](CMainDialog& window) {
        WhenOpen<QDialog>([signal](QDialog&) { raise(signal); });
        QTimer::singleShot(3000, [] { std::_Exit(1); });  // the box left unanswered
        CAboutDlg(&window).exec();
      });
      std::_Exit(static_cast<CMainApp*>(qApp)->InitInstance());
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(128 + signal), "") << signal;
  }
}

TEST(CommandLineTest, FolderHelpVersionAndErrors) {
  EXPECT_EQ(ChildProcess({KOBARU_MP3_PATH, "--version"}).Wait().out, "Kobaru MP3 1.4.0\n");
  EXPECT_EQ(ChildProcess({KOBARU_MP3_PATH, "--help"}).Wait().exitStatus, 0);
  CommandResult missing = ChildProcess({KOBARU_MP3_PATH, "/no/such/card"}).Wait();
  EXPECT_EQ(missing.exitStatus, 2);
  EXPECT_EQ(missing.err, "kobaru-mp3: cannot enter /no/such/card: No such file or directory\n");
  for (const char* second : {"b", "--frobnicate"})
    EXPECT_EQ(ChildProcess({KOBARU_MP3_PATH, "a", second}).Wait().exitStatus, 2) << second;
  TempFolder folder;
  CommandResult headless = ChildProcess({"/usr/bin/env", "-u", "QT_QPA_PLATFORM", "-u", "DISPLAY",
                                         "-u", "WAYLAND_DISPLAY", KOBARU_MP3_PATH})
                               .Wait();  // one line instead of Qt's abort
  EXPECT_EQ(headless.exitStatus, 1);
  EXPECT_EQ(headless.err, "kobaru-mp3: cannot open a window: no display\n");
  MakeFolders("card");
  StartRequest request =
      ReadCommandLine(2, std::vector<char*>{(char*)"kobaru-mp3", (char*)"card"}.data());
  std::string error;
  ASSERT_TRUE(EnterWorkingFolder(request.folder, &error));
  EXPECT_EQ(std::filesystem::current_path(), folder.Join("card"));
}

}  // namespace
