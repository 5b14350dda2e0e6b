// kobaru-mp3-pictures DIR: PNG pictures of the main window idle, during a
// run and with the About box, of the extension prompt, the addition's
// confirmation, the folder chooser and the playlist window in both orders
// with rows of every state, for a person to look at. Each picture has the
// window's title drawn above it, since a grab has no frame. Needs a display
// (xvfb-run -a) or QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTest>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "store/playlist_failure_text.h"
#include "store/store_texts.h"
#include "tests/support/paced_run.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/transfer_setup.h"
#include "transfer/transfer_texts.h"
#include "ui/about_dlg.h"
#include "ui/add_confirm_dlg.h"
#include "ui/extension_dlg.h"
#include "ui/qt_user_messages.h"
#include "ui/main_app.h"
#include "ui/main_dialog.h"
#include "ui/playlist_dlg.h"
#include "ui/qt_playback_host.h"

namespace {

using namespace testing_support;

constexpr int kTitleHeight = 24;
// A real run into 30 MB: songs of 1.6 to 3.1 MB, copied whole, each copy
// slow enough that the window lists it; held after six songs.
constexpr int kSongs = 16;
constexpr size_t kSmallestSong = 1600000;
constexpr size_t kSongStep = 97000;
constexpr int kHeldAfter = 6;
constexpr auto kCopyTime = std::chrono::milliseconds(120);
constexpr int kPlaylistRows = 36;
constexpr int kStates = 5;

bool Save(QWidget& window, const QString& path) {
  QPixmap content = window.grab();  // at the screen's pixel ratio
  qreal ratio = content.devicePixelRatio();
  QSize size = content.deviceIndependentSize().toSize();
  QPixmap picture(QSize(size.width(), size.height() + kTitleHeight) * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(QColor(0x2b, 0x2b, 0x2b));
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  painter.drawText(QRect(6, 0, size.width() - 12, kTitleHeight), Qt::AlignVCenter,
                   window.windowTitle());
  painter.drawPixmap(0, kTitleHeight, content);
  painter.end();
  bool saved = picture.save(path);
  std::printf("%s %s: %s\n", saved ? "saved" : "NOT SAVED", qPrintable(path),
              qPrintable(window.windowTitle()));
  return saved;
}

// A window that is not up yet: shown, saved once drawn, closed.
bool ShowAndSave(QWidget& window, const QString& path) {
  window.show();
  QTest::qWait(200);
  bool saved = Save(window, path);
  window.close();
  return saved;
}

// A message box as the window shows it: saved once drawn, then dismissed.
bool SaveMessageBox(QWidget& owner, const platform::MessageRequest& request, const QString& path) {
  bool saved = false;
  QTimer::singleShot(300, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      saved = Save(*box, path);
      box->close();
    }
  });
  QtUserMessages(&owner).Show(request);
  return saved;
}

// The capacity box opened over the window, as the screen shows both.
bool SaveOpenCapacityBox(QWidget& dialog, const QString& path) {
  auto* capacity = dialog.findChild<QComboBox*>("capacity");
  capacity->showPopup();
  QTest::qWait(300);
  QRect area = dialog.frameGeometry().united(capacity->view()->window()->frameGeometry());
  QPixmap screen = dialog.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  capacity->hidePopup();
  bool saved = screen.save(path);
  std::printf("%s %s\n", saved ? "saved" : "NOT SAVED", qPrintable(path));
  return saved;
}

// Rows of every state, Japanese names, sizes of every width, one long path.
PlaylistEntry PictureEntry(int slot) {
  std::string path = "/home/user/音楽/アーティスト" + std::to_string(slot / 6) + "/曲" +
                     std::to_string(slot) + "_ソ表.mp3";
  if (slot == 7) path = "/home/user/音楽/" + std::string(120, 'x') + "/long.mp3";
  auto state = static_cast<uint16_t>(slot % kStates);
  auto number =
      static_cast<uint16_t>(state == STATE_TRANSFERRED || state == STATE_EXCLUDED ? slot : 0);
  return MakeEntry(state, number, Stored(path),
                   1000u * static_cast<uint32_t>(slot * slot * 37 + 5));
}

bool SaveBuildWindows(WindowOwners& owners, QWidget& owner, const QDir& dir) {
  RecordingMessages messages;
  CExtensionDialog prompt(owners.search, &messages, &owner);
  bool saved = ShowAndSave(prompt, dir.filePath("prompt.png"));
  auto scanResult = std::make_unique<PlaylistTable>();
  for (int slot = 0; slot < kPlaylistRows; ++slot) {
    PlaylistEntry& found = scanResult->entries[slot] = PictureEntry(slot);
    if (found.state != STATE_PATH_TOO_LONG) found.state = STATE_UNTRANSFERRED;
    found.transferNumber = 0;  // a scan finds songs, never sent ones
  }
  CAddConfirmDialog confirm(*scanResult, &owner);
  return saved & ShowAndSave(confirm, dir.filePath("confirm.png"));
}

bool SavePlaylistWindow(WindowOwners& owners, QWidget& owner, const QDir& dir) {
  std::vector<PlaylistEntry> entries;
  for (int slot = 0; slot < kPlaylistRows; ++slot) entries.push_back(PictureEntry(slot));
  WritePlaylist(entries);
  RecordingMessages messages;
  QtPlaybackHost player(owners.continuous);
  CPlaylistDialog playlist(owners, player, &messages, &owner);
  playlist.show();
  auto* list = playlist.findChild<QListView*>("fileOrderList");
  for (int row : {4, 5})
    list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
  QTest::qWait(100);
  bool saved = Save(playlist, dir.filePath("playlist.png"));
  playlist.findChild<QPushButton*>("switchView")->click();
  QTest::qWait(100);
  return saved & Save(playlist, dir.filePath("playlist-sorted.png"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kobaru-mp3-pictures DIR\n");
    return 2;
  }
  std::string out = std::filesystem::absolute(argv[1]).string();
  std::filesystem::create_directories(out);
  int qtArgc = 1;
  CMainApp app(qtArgc, argv);
  TempFolder folder;
  TransferSetup setup;
  std::vector<PlaylistEntry> songs;
  for (int song = 0; song < kSongs; ++song) {
    songs.push_back(setup.Song("song" + std::to_string(song) + ".mp3", 0,
                               kSmallestSong + kSongStep * static_cast<size_t>(song)));
  }
  WritePlaylist(songs);
  QDir dir(QString::fromStdString(out));
  bool saved = true;
  RecordingMessages messages;  // no box may stop the tool
  auto owners = std::make_unique<WindowOwners>();
  CMainDialog dialog(*owners, &messages);
  dialog.show();
  QTest::qWait(300);
  saved &= Save(dialog, dir.filePath("main-idle.png"));
  PacedRun paced(kHeldAfter, owners->transfer, kCopyTime);
  dialog.SetTransferObserver(paced.observer());
  dialog.findChild<QComboBox*>("capacity")->setCurrentIndex(0);
  dialog.findChild<QPushButton*>("startTransfer")->click();
  // Held, and into the animation until the third arrow is up.
  auto* rows = dialog.findChild<QListWidget*>("results");
  bool shown = QTest::qWaitFor([&] { return paced.Holding() && rows->count() == kHeldAfter; }) &&
               QTest::qWaitFor([&] { return dialog.findChild<QWidget*>("picture3")->isVisible(); });
  if (!shown) std::fprintf(stderr, "the run did not reach its third arrow\n");
  saved &= Save(dialog, dir.filePath("main-running.png"));
  if (QTest::qWaitFor([&] { return dialog.findChild<QWidget*>("picture5")->isVisible(); }))
    saved &= Save(dialog, dir.filePath("main-burst.png"));
  saved &= SaveOpenCapacityBox(dialog, dir.filePath("main-capacity.png"));
  CAboutDlg about(&dialog);
  saved &= ShowAndSave(about, dir.filePath("about.png"));
  dialog.reject();  // stops the held run
  saved &= SaveMessageBox(dialog, platform::Notice(TEXT_END_MEDIUM_FULL),
                         dir.filePath("box-notice.png"));
  saved &= SaveMessageBox(dialog, platform::Question(TEXT_RESET_ALL_QUESTION, platform::CAPTION_CONFIRM),
                          dir.filePath("box-question.png"));
  char failure[FAILURE_TEXT_BYTES];  // the playlist's save refused on a card turned read-only
  FormatWithFailureReason({PlaylistAccess::Write, EROFS}, messages, TEXT_END_PLAYLIST_NOT_SAVED,
                          failure, sizeof failure);
  saved &= SaveMessageBox(dialog, platform::Failure(failure), dir.filePath("box-failure.png"));
  saved &= SaveBuildWindows(*owners, dialog, dir);
  // The chooser of a creation, on the tool's folder rather than the home.
  QFileDialog chooser(&dialog, QString::fromUtf8(TEXT_BROWSE_CREATE), QDir::currentPath());
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOption(QFileDialog::ShowDirsOnly);
  saved &= ShowAndSave(chooser, dir.filePath("folder-chooser.png"));
  saved &= SavePlaylistWindow(*owners, dialog, dir);
  return saved ? 0 : 1;
}
