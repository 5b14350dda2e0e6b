// kobaru-mp3-pictures DIR: PNG pictures of the main window idle, during a
// run and with the About box, for a person to look at. Each picture has the
// window's title drawn above it, since a grab has no frame. Needs a display
// (xvfb-run -a) or QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "tests/support/paced_run.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/transfer_setup.h"
#include "ui/about_dlg.h"
#include "ui/main_app.h"
#include "ui/main_dialog.h"

namespace {

using namespace testing_support;

constexpr int kTitleHeight = 24;
constexpr int kSongs = 40;
constexpr uint32_t kRecordedBytes = 2500000;
constexpr int kHeldAfter = 30;

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
    songs.push_back(setup.Song("song" + std::to_string(song) + ".mp3", kRecordedBytes));
  }
  WritePlaylist(songs);
  QDir dir(QString::fromStdString(out));
  bool saved = true;
  RecordingMessages messages;  // no box may stop the tool
  CMainDialog dialog(&messages);
  dialog.show();
  QTest::qWait(300);
  saved &= Save(dialog, dir.filePath("main-idle.png"));
  PacedRun paced(kHeldAfter);
  dialog.SetTransferObserver(paced.observer());
  dialog.findChild<QPushButton*>("startTransfer")->click();
  // Held, and into the animation until the third arrow is up.
  bool shown = QTest::qWaitFor([&] { return paced.Holding(); }) &&
               QTest::qWaitFor([&] { return dialog.findChild<QWidget*>("picture3")->isVisible(); });
  if (!shown) std::fprintf(stderr, "the run did not reach its third arrow\n");
  saved &= Save(dialog, dir.filePath("main-running.png"));
  if (QTest::qWaitFor([&] { return dialog.findChild<QWidget*>("picture5")->isVisible(); })) {
    saved &= Save(dialog, dir.filePath("main-burst.png"));
  }
  CAboutDlg about(&dialog);
  about.show();
  QTest::qWait(200);
  saved &= Save(about, dir.filePath("about.png"));
  about.close();
  dialog.reject();  // stops the held run
  return saved ? 0 : 1;
}
