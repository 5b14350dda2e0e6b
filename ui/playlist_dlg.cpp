#include "ui/playlist_dlg.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>

#include "playback/marker_files.h"
#include "store/playlist_colours.h"
#include "store/playlist_file.h"
#include "store/playlist_stats.h"
#include "ui/playlist_dialog_template.h"
#include "ui/playlist_row_delegate.h"
#include "ui/playlist_row_model.h"
#include "ui/qt_user_messages.h"
#include "ui/ui_texts.h"

namespace {

// The rows' font has a fixed pitch, so the columns line up.
QStringList FixedFamilies() { return {"IPAGothic", "VL Gothic", "Noto Sans Mono CJK JP"}; }
constexpr char kBarStyle[] =
    "QProgressBar { border: 1px solid #808080; background: #ffffff; }"
    "QProgressBar::chunk { background-color: #%1; }";
constexpr int kPercentRange = 100;
constexpr int kStatsLineBytes = 128;

}  // namespace

CPlaylistDialog::CPlaylistDialog(WindowOwners& owners, PlaybackHost& player,
                                 platform::UserMessages* messages, QWidget* parent)
    : QDialog(parent),
      m_playlist(owners.playlist),
      m_continuous(owners.continuous),
      m_player(player),
      m_ownMessages(messages == nullptr ? std::make_unique<QtUserMessages>(this) : nullptr),
      m_messages(messages == nullptr ? *m_ownMessages : *messages) {
  setWindowTitle(QString::fromUtf8(PLAYLIST_CAPTION));
  DialogUnits units(font());
  setFixedSize(units.ToPixels(PLAYLIST_WIDTH_DLU, PLAYLIST_HEIGHT_DLU));
  CreateControls(units, owners.sorter);
  RefreshLists();
  m_checkStartUp->setChecked(IsFilePresent(STARTUP_MARKER_NAME));
}

CPlaylistDialog::~CPlaylistDialog() = default;

// In template order, which is the tab order; the switch takes the focus.
void CPlaylistDialog::CreateControls(const DialogUnits& units, RowSorter& sorter) {
  auto* switchView = MakeButton(TEXT_SWITCH_VIEW, RECT_SWITCH_VIEW, units, this, "switchView");
  auto* resetAll = MakeButton(TEXT_RESET_ALL, RECT_RESET_ALL, units, this, "resetAll");
  auto* resetSelected =
      MakeButton(TEXT_RESET_SELECTED, RECT_RESET_SELECTED, units, this, "resetSelected");
  auto* exclude =
      MakeButton(TEXT_EXCLUDE_SELECTED, RECT_EXCLUDE_SELECTED, units, this, "excludeSelected");
  const PlaylistTable& table = m_playlist.workingTable;
  m_fileOrderRows = new PlaylistRowModel(table, FILE_ORDER_HEADER_VALUE, nullptr, this);
  m_sortedRows = new PlaylistRowModel(table, SORTED_HEADER_VALUE, &sorter, this);
  m_listFileOrder = MakeList("fileOrderList", m_fileOrderRows, units);
  m_listSorted = MakeList("sortedList", m_sortedRows, units);
  m_progressRemaining = new QProgressBar(this);
  m_progressRemaining->setObjectName("remainingBar");
  m_progressRemaining->setOrientation(Qt::Vertical);
  m_progressRemaining->setTextVisible(false);
  m_progressRemaining->setRange(0, kPercentRange);
  m_progressRemaining->setGeometry(units.ToPixels(RECT_REMAINING_BAR));
  m_staticStats = new QLabel(this);
  m_staticStats->setObjectName("statsLine");
  m_staticStats->setTextFormat(Qt::PlainText);
  m_staticStats->setGeometry(units.ToPixels(RECT_STATS_LINE));
  m_checkStartUp = new QCheckBox(QString::fromUtf8(TEXT_STARTUP_CHECK), this);
  m_checkStartUp->setObjectName("startUpCheck");
  m_checkStartUp->setGeometry(units.ToPixels(RECT_STARTUP_CHECK));
  // No button is the default, nor drawn as one: Enter closes the window.
  for (QPushButton* button : {switchView, resetAll, resetSelected, exclude}) {
    button->setAutoDefault(false);
  }
  switchView->setFocus();
  connect(switchView, &QPushButton::clicked, this, &CPlaylistDialog::OnSwitchView);
  connect(resetAll, &QPushButton::clicked, this,
          [this] { RunMarkAllUntransferredFlow(m_playlist, m_messages, *this); });
  connect(resetSelected, &QPushButton::clicked, this,
          [this] { RunMarkSelectedUntransferredFlow(m_playlist, m_messages, *this); });
  connect(exclude, &QPushButton::clicked, this,
          [this] { RunExcludeSelectedFlow(m_playlist, m_messages, *this); });
  connect(m_checkStartUp, &QCheckBox::clicked, this, &CPlaylistDialog::OnStartUpCheck);
}

QListView* CPlaylistDialog::MakeList(const char* name, PlaylistRowModel* model,
                                     const DialogUnits& units) {
  auto* list = new QListView(this);
  list->setObjectName(name);
  QFont rows = font();
  rows.setFamilies(FixedFamilies());
  rows.setFixedPitch(true);
  list->setFont(rows);
  list->setUniformItemSizes(true);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list->setItemDelegate(new PlaylistRowDelegate(m_playlist.workingTable, list));
  list->setModel(model);
  list->setGeometry(units.ToPixels(RECT_PLAYLIST_LISTS));
  connect(list, &QListView::doubleClicked, this, [this, list] { OnPlayRow(list); });
  return list;
}

void CPlaylistDialog::RefreshLists() {
  (void)m_playlist.LoadWithCount();  // a missing file shows header-only lists
  uint32_t count = m_playlist.entryCount.load();
  m_fileOrderRows->Fill(count);
  m_sortedRows->Fill(count);
  ShowView();
  ShowRemaining();
}

QListView* CPlaylistDialog::ShownList() const {
  return m_sortedView ? m_listSorted : m_listFileOrder;
}

void CPlaylistDialog::ShowView() {
  m_listFileOrder->setVisible(!m_sortedView);
  m_listSorted->setVisible(m_sortedView);
}

void CPlaylistDialog::OnSwitchView() {
  m_sortedView = !m_sortedView;
  ShowView();
}

// The bar keeps its last colour when the table is empty.
void CPlaylistDialog::ShowRemaining() {
  uint32_t count = m_playlist.entryCount.load();
  PlaylistStats stats = ComputePlaylistStats(m_playlist.workingTable, count);
  m_progressRemaining->setValue(0);
  if (count != 0) {
    SetBarColour(RemainingBarColour(stats.remainingPercent));
    if (stats.remainingPercent >= 1 && stats.remainingPercent <= kPercentRange) {
      m_progressRemaining->setValue(static_cast<int>(stats.remainingPercent));
    }
  }
  char line[kStatsLineBytes];
  FormatStatsLine(stats, line, sizeof line);
  m_staticStats->setText(QString::fromUtf8(line));
}

void CPlaylistDialog::SetBarColour(uint32_t colour) {
  if (m_barColoured && colour == m_barColour) return;
  m_barColoured = true;
  m_barColour = colour;
  m_progressRemaining->setStyleSheet(
      QString::fromLatin1(kBarStyle).arg(colour, 6, 16, QLatin1Char('0')));
}

// Enter closes the window unless a push button has the focus, which it
// presses instead; the window has no OK button to be the default.
void CPlaylistDialog::keyPressEvent(QKeyEvent* event) {
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter) {
    QDialog::keyPressEvent(event);
  } else if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
    button->click();
  } else {
    accept();
  }
}
