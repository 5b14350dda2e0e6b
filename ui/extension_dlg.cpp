#include "ui/extension_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "store/store_texts.h"
#include "ui/playlist_dialog_template.h"
#include "ui/qt_user_messages.h"
#include "ui/ui_texts.h"

namespace {

// The worker is polled often, so the prompt closes soon after the search;
// the title moves every kTitleTicks polls, twice a second.
constexpr int kPollMs = 50;
constexpr int kTitleTicks = 10;

}  // namespace

CExtensionDialog::CExtensionDialog(SearchJob& search, platform::UserMessages* messages,
                                   QWidget* parent)
    : QDialog(parent),
      m_ownMessages(messages == nullptr ? std::make_unique<QtUserMessages>(this) : nullptr),
      m_messages(messages == nullptr ? *m_ownMessages : *messages),
      m_search(search) {
  setWindowTitle(QString::fromUtf8(TEXT_PROMPT_TITLE));
  DialogUnits units(font());
  setFixedSize(units.ToPixels(PROMPT_WIDTH_DLU, PROMPT_HEIGHT_DLU));
  m_ok = MakeButton(TEXT_OK, RECT_PROMPT_OK, units, this);
  m_ok->setDefault(true);
  m_cancel = MakeButton(TEXT_CANCEL, RECT_PROMPT_CANCEL, units, this);
  m_edit = new QLineEdit(QString::fromUtf8(m_search.WantedExtension()), this);
  m_edit->setMaxLength(PATH_LEN - 1);
  m_edit->setGeometry(units.ToPixels(RECT_PROMPT_EDIT));
  auto* label = new QLabel(QString::fromUtf8(TEXT_PROMPT_LABEL), this);
  label->setGeometry(units.ToPixels(RECT_PROMPT_LABEL));
  connect(m_ok, &QPushButton::clicked, this, &CExtensionDialog::accept);
  connect(m_cancel, &QPushButton::clicked, this, &CExtensionDialog::reject);
  m_searchTimer.setInterval(kPollMs);
  connect(&m_searchTimer, &QTimer::timeout, this, &CExtensionDialog::OnSearchTick);
  m_edit->setFocus();
  m_edit->selectAll();
}

// A search still running is asked to stop and waited for.
CExtensionDialog::~CExtensionDialog() {
  if (m_promptPhase != PromptPhase::Searching) return;
  m_search.RequestStop();
  (void)m_search.Wait();
}

void CExtensionDialog::EnableEntry(bool enabled) {
  m_cancel->setEnabled(enabled);
  m_ok->setEnabled(enabled);
  m_edit->setEnabled(enabled);
}

// OK: the entry, then the search. An empty entry leaves the prompt open
// for another try.
void CExtensionDialog::accept() {
  if (m_promptPhase != PromptPhase::Open) return;
  EnableEntry(false);
  repaint();
  if (!m_search.TakeExtensionEntry(m_edit->text().toUtf8().constData())) {
    m_messages.Show(platform::Failure(TEXT_EXTENSION_MISSING));
    EnableEntry(true);
    m_edit->setText(QString::fromUtf8(m_search.WantedExtension()));
    m_edit->setFocus();
    return;
  }
  m_promptPhase = PromptPhase::Searching;
  m_ticks = 0;
  setWindowTitle(QString::fromUtf8(TEXT_SEARCHING));
  // A thread that did not start has already failed the search: the first
  // tick ends the prompt.
  (void)m_search.Start();
  m_searchTimer.start();
}

void CExtensionDialog::OnSearchTick() {
  if (m_search.WaitFor(std::chrono::milliseconds(0))) {
    m_searchTimer.stop();
    m_promptPhase = PromptPhase::Finished;
    QDialog::accept();
    return;
  }
  if (++m_ticks % kTitleTicks != 0) return;
  bool shifted = (m_ticks / kTitleTicks) % 2 == 1;
  setWindowTitle(QString::fromUtf8(shifted ? TEXT_SEARCHING_SHIFTED : TEXT_SEARCHING));
}

// Cancel, Escape and the close box; refused while the search runs.
void CExtensionDialog::reject() {
  if (m_promptPhase == PromptPhase::Searching) {
    m_messages.Show(platform::PlainMessage(TEXT_SEARCH_RUNNING));
    return;
  }
  QDialog::reject();
}
