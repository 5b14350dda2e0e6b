#include "ui/main_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <cstdio>

#include "store/playlist_file.h"
#include "store/working_folder_lock.h"
#include "transfer/free_space_title.h"
#include "transfer/target_folder.h"
#include "transfer/transfer_colours.h"
#include "transfer/transfer_texts.h"
#include "ui/about_dlg.h"
#include "ui/folder_display.h"
#include "ui/main_dialog_template.h"
#include "ui/picture_static.h"
#include "ui/pictures.h"
#include "ui/qt_user_messages.h"
#include "ui/ui_texts.h"

namespace {

constexpr int kSelectedCapacityItem = 3;
constexpr int kCapacityItemBytes = 32;
constexpr int kPercentRange = 100;

QProgressBar* MakeBar(const char* name, const DluRect& rect, const DialogUnits& units,
                      QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(name);
  bar->setOrientation(Qt::Vertical);
  bar->setTextVisible(false);
  bar->setGeometry(units.ToPixels(rect));
  return bar;
}

PictureDrawer ArrowDrawer(int stage) {
  return [stage](QPainter& painter, const QRectF& box) { DrawArrow(painter, box, stage); };
}

}  // namespace

CMainDialog::CMainDialog(WindowOwners& owners, platform::UserMessages* messages)
    : m_owners(owners),
      m_transfer(owners.transfer),
      m_ownMessages(messages == nullptr ? std::make_unique<QtUserMessages>(this) : nullptr),
      m_messages(messages == nullptr ? *m_ownMessages : *messages),
      m_playback(owners.continuous),
      m_chooseFolder(ChooseFolderWithDialog) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(MAIN_CAPTION));
  DialogUnits units(font());
  setFixedSize(units.ToPixels(MAIN_WIDTH_DLU, MAIN_HEIGHT_DLU));
  CreateControls(units);
  m_transferTimer.setInterval(static_cast<int>(TRANSFER_TIMER_PERIOD_MS));
  connect(&m_transferTimer, &QTimer::timeout, this, &CMainDialog::OnTimer);
  connect(&m_rows, &CopiedRowBridge::rowCopied, this, &CMainDialog::AddResultRow,
          Qt::QueuedConnection);
  OnInitDialog();
}

// The job outlives the window, its observer does not: a run still going is
// stopped and waited for.
CMainDialog::~CMainDialog() {
  m_transfer.RequestStop();
  (void)m_transfer.Wait();
}

void CMainDialog::SetFolderChooser(FolderChooser chooser) {
  m_chooseFolder = chooser ? std::move(chooser) : ChooseFolderWithDialog;
}

// In template order, which is the tab order.
void CMainDialog::CreateControls(const DialogUnits& units) {
  m_startButton =
      MakeButton(TEXT_START_TRANSFER, RECT_START_TRANSFER, units, this, "startTransfer");
  m_startButton->setDefault(true);
  m_comboCapacity = new QComboBox(this);
  m_comboCapacity->setObjectName("capacity");
  m_comboCapacity->setEditable(true);
  m_comboCapacity->setInsertPolicy(QComboBox::NoInsert);
  // Typed text is taken as typed: completed to an item, "1" would be 120 MB.
  m_comboCapacity->setCompleter(nullptr);
  m_comboCapacity->setGeometry(units.ToPixels(RECT_CAPACITY));
  m_showPlaylistButton =
      MakeButton(TEXT_SHOW_PLAYLIST, RECT_SHOW_PLAYLIST, units, this, "showPlaylist");
  m_addButton =
      MakeButton(TEXT_ADD_TO_PLAYLIST, RECT_ADD_TO_PLAYLIST, units, this, "addToPlaylist");
  m_createPlaylistButton =
      MakeButton(TEXT_CREATE_PLAYLIST, RECT_CREATE_PLAYLIST, units, this, "createPlaylist");
  m_createFolderButton =
      MakeButton(TEXT_CREATE_FOLDER, RECT_CREATE_FOLDER, units, this, "createFolder");
  m_showFolderButton = MakeButton(TEXT_SHOW_FOLDER, RECT_SHOW_FOLDER, units, this, "showFolder");
  m_exitButton = MakeButton(TEXT_EXIT, RECT_EXIT, units, this, "exit");
  CreateViews(units);
  m_progressLeft = MakeBar("progressLeft", RECT_PROGRESS_LEFT, units, this);
  m_progressRight = MakeBar("progressRight", RECT_PROGRESS_RIGHT, units, this);
  connect(m_startButton, &QPushButton::clicked, this, &CMainDialog::OnStartTransfer);
  connect(m_createFolderButton, &QPushButton::clicked, this, &CMainDialog::OnCreateFolder);
  connect(m_showFolderButton, &QPushButton::clicked, this, &CMainDialog::OnShowFolder);
  connect(m_exitButton, &QPushButton::clicked, this, &CMainDialog::OnOK);
  connect(m_createPlaylistButton, &QPushButton::clicked, this, &CMainDialog::OnCreatePlaylist);
  connect(m_addButton, &QPushButton::clicked, this, &CMainDialog::OnAddToPlaylist);
  connect(m_showPlaylistButton, &QPushButton::clicked, this, &CMainDialog::OnShowPlaylist);
  connect(m_banner, &PictureStatic::clicked, this,
          [this] { m_owners.continuous.OnBannerClick(m_playback); });
}

// The result list, the hidden row field, the banner and the pictures over it.
void CMainDialog::CreateViews(const DialogUnits& units) {
  m_listResults = new QListWidget(this);
  m_listResults->setObjectName("results");
  m_listResults->setFocusPolicy(Qt::ClickFocus);
  m_listResults->setGeometry(units.ToPixels(RECT_RESULTS));
  m_rowField = new QLineEdit(this);
  m_rowField->setReadOnly(true);
  m_rowField->setAlignment(Qt::AlignCenter);
  m_rowField->setFocusPolicy(Qt::NoFocus);
  m_rowField->setGeometry(units.ToPixels(RECT_ROW_FIELD));
  m_rowField->hide();
  m_banner = new PictureStatic(DrawBanner, this);
  m_banner->setObjectName("banner");
  m_banner->setCursor(Qt::PointingHandCursor);
  m_banner->setGeometry(units.ToPixels(RECT_BANNER));
  for (int picture = 0; picture < ANIMATION_PICTURES; ++picture) {
    m_pictures[picture] =
        new PictureStatic(picture < ARROW_PICTURES ? ArrowDrawer(picture) : DrawBurst, this);
    m_pictures[picture]->setObjectName(QString("picture%1").arg(picture + 1));
    m_pictures[picture]->setGeometry(units.ToPixels(RECT_PICTURES[picture]));
    m_pictures[picture]->hide();
    // Over the banner, and letting its clicks through to it.
    m_pictures[picture]->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pictures[picture]->raise();
  }
}

void CMainDialog::OnInitDialog() {
  setWindowIcon(QApplication::windowIcon());  // the program's, set once
  m_owners.search.ResetWantedExtension();
  for (int32_t megabytes : CAPACITY_CHOICES_MB) {
    char item[kCapacityItemBytes];
    std::snprintf(item, sizeof item, CAPACITY_ITEM_FORMAT, static_cast<int>(megabytes));
    m_comboCapacity->addItem(QString::fromUtf8(item));
  }
  m_comboCapacity->addItem(QString::fromUtf8(TEXT_FREE_SPACE_ITEM));
  m_comboCapacity->setCurrentIndex(kSelectedCapacityItem);
  m_transfer.Progress().status.store(TransferStatus::Idle);
  ReportBackupOutcome(TidyWorkingFolderAtStart(), m_messages);
  Playlist& playlist = m_owners.playlist;
  if (IsFilePresent(PLAYLIST_FILE_NAME)) playlist.playlistPresent = true;
  m_createPlaylistButton->setEnabled(!playlist.playlistPresent);
  m_showPlaylistButton->setEnabled(playlist.playlistPresent);
  m_addButton->setEnabled(playlist.playlistPresent);
  bool folder = TestTargetFolder(playlist);
  m_createFolderButton->setEnabled(!folder);
  m_showFolderButton->setEnabled(folder);
  ApplyStartRule(false);
  m_progressLeft->setRange(0, kPercentRange);
  m_progressRight->setRange(0, kPercentRange);
  SetBars(0);
  SetBarColour(BAR_COLOUR_RED);
  m_owners.continuous.StartUp(m_playback);
  if (m_startButton->isEnabled()) {
    m_startButton->setFocus();
  } else {
    m_comboCapacity->setFocus();
  }
}

void CMainDialog::ApplyStartRule(bool focus) {
  bool ready = m_owners.playlist.playlistPresent && m_owners.playlist.targetFolderPresent;
  m_startButton->setEnabled(ready);
  if (ready && focus) m_startButton->setFocus();
}

// The first paint shows the template's caption; every paint between runs
// then shows the free space of the volume being filled.
void CMainDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  char title[TITLE_BYTES];
  if (MakeFreeSpaceTitle(m_transfer.Progress(), title, sizeof title)) setWindowTitle(QString::fromUtf8(title));
}

// The platform has no system menu to extend: the About entry lives here.
void CMainDialog::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(QString::fromUtf8(TEXT_ABOUT_ENTRY), this, &CMainDialog::OnAbout);
  menu.exec(event->globalPos());
}

void CMainDialog::OnAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CMainDialog::OnCreateFolder() {
  if (!CreateTargetFolder(m_owners.playlist, m_messages)) return;
  m_createFolderButton->setEnabled(false);
  m_showFolderButton->setEnabled(true);
  m_showFolderButton->setFocus();
  ApplyStartRule(true);
}

void CMainDialog::OnShowFolder() {
  if (!ShowTargetFolder(DesktopFolderWays())) QApplication::beep();
}
