// The main window's side of a transfer: start, the 50 ms tick, the end of
// a run, and leaving the window during one.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <iterator>

#include "store/playlist_failure_text.h"
#include "transfer/transfer_outcome.h"
#include "transfer/transfer_texts.h"
#include "ui/main_dialog.h"
#include "ui/picture_static.h"

namespace {

// A dark groove, so that even the white of the bar shows.
constexpr char kBarStyle[] =
    "QProgressBar { border: 1px solid #505050; background: #303030; }"
    "QProgressBar::chunk { background-color: #%1; }";
constexpr auto kStopPollInterval = std::chrono::milliseconds(20);

bool RunInProgress(const TransferJob& transfer) {
  return transfer.Progress().status.load(std::memory_order_acquire) == TransferStatus::Running;
}

}  // namespace

// Typed text that is no item means no item selected.
int32_t CMainDialog::SelectedCapacityMb() const {
  int index = m_comboCapacity->findText(m_comboCapacity->currentText(),
                                        Qt::MatchExactly | Qt::MatchCaseSensitive);
  constexpr int kChoices = static_cast<int>(std::size(CAPACITY_CHOICES_MB));
  if (index == kChoices) return FREE_SPACE_CAPACITY;
  return index >= 0 ? CAPACITY_CHOICES_MB[index] : DEFAULT_CAPACITY_MB;
}

void CMainDialog::OnStartTransfer() {
  FailureRecord& failures = m_owners.playlist.failure;
  failures.Clear();
  TransferStart start = m_transfer.Start(SelectedCapacityMb(), m_rows.Observer());
  PlaylistFailure failure = failures.Last();
  if (failure.access == PlaylistAccess::Lock && failure.error != EWOULDBLOCK) {
    char text[FAILURE_TEXT_BYTES];  // a folder that can't be locked at all
    FormatWithFailureReason(failure, m_messages, TEXT_NOT_LOCKED, text, sizeof text);
    m_messages.Show(platform::Failure(text));
    return;
  }
  if (start == TransferStart::Busy) {
    m_messages.Show(platform::PlainMessage(TEXT_TRANSFER_RUNNING, true));
    return;
  }
  // A worker that could not start has Finished already: the tick ends it.
  m_startButton->setEnabled(false);
  m_showPlaylistButton->setEnabled(false);
  m_addButton->setEnabled(false);
  StartTransferTick(m_tickState);
  SetBars(0);
  m_transferTimer.start();
}

void CMainDialog::OnTimer() { PaintTick(PollTransfer(m_transfer.Progress(), m_tickState)); }

// One row per copied song, in copy order, the newest selected.
void CMainDialog::AddResultRow(const QString& row) {
  m_rowField->setText(row);
  m_listResults->addItem(row);
  m_listResults->setCurrentRow(m_listResults->count() - 1);
}

void CMainDialog::PaintTick(const TransferTick& tick) {
  if (tick.completed) {
    CompleteRun();
    return;
  }
  if (tick.colourSet) SetBarColour(tick.barColour);
  if (tick.percentShown) {
    SetBars(tick.percent);
    char title[TITLE_BYTES];
    std::snprintf(title, sizeof title, TEXT_PERCENT_DONE, static_cast<int>(tick.percent));
    setWindowTitle(QString::fromUtf8(title));
  }
  if (tick.pictureToHide != NO_PICTURE) m_pictures[tick.pictureToHide]->hide();
  if (tick.pictureToShow != NO_PICTURE) m_pictures[tick.pictureToShow]->show();
}

// The timer stops before the messages, so no tick comes while they are open.
// Every row was posted before the run finished: those still queued are
// listed before the messages.
void CMainDialog::CompleteRun() {
  m_transferTimer.stop();
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
  m_startButton->setEnabled(true);
  m_showPlaylistButton->setEnabled(true);
  m_addButton->setEnabled(true);
  for (PictureStatic* picture : m_pictures) picture->hide();
  ShowTransferOutcome(m_transfer.Progress(), m_messages);
  ShowTransferEndReason(m_transfer.Progress(), m_owners.playlist.failure.Last(), m_messages);
  SetBars(0);
  update();  // the free space comes back with the next paint
}

void CMainDialog::SetBars(int percent) {
  m_progressLeft->setValue(percent);
  m_progressRight->setValue(percent);
}

void CMainDialog::SetBarColour(uint32_t colour) {
  if (colour == m_barColour) return;
  m_barColour = colour;
  QString style = QString::fromLatin1(kBarStyle).arg(colour, 6, 16, QLatin1Char('0'));
  m_progressLeft->setStyleSheet(style);
  m_progressRight->setStyleSheet(style);
}

// "終了" is refused during a run; a finished run not yet shown is not.
void CMainDialog::OnOK() {
  if (RunInProgress(m_transfer)) {
    m_messages.Show(platform::PlainMessage(TEXT_TRANSFER_RUNNING));
    return;
  }
  m_playback.StopContinuousTimer();
  accept();
}

// Escape and the close box are never refused: a run still going is stopped
// and waited for, so its copy in progress is removed and the table saved.
// The run has ended by then, so no "伝送中です。" follows.
void CMainDialog::reject() {
  if (m_closing) return;  // a second close while the first one waits
  m_closing = true;
  m_playback.StopContinuousTimer();
  m_transferTimer.stop();
  if (RunInProgress(m_transfer)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_transfer.RequestStop();
    while (!m_transfer.WaitFor(kStopPollInterval)) {
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QApplication::restoreOverrideCursor();
  }
  QDialog::reject();
  m_closing = false;
}
