// The extension prompt of playlist creation and addition. OK takes the
// extension and starts the search; the prompt then stays open as the wait
// window, its title moving, until the search has its outcome in the job's
// status. The event loop keeps running all the while.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "platform/user_messages.h"
#include "store/search_job.h"

class QLineEdit;
class QPushButton;

class CExtensionDialog : public QDialog {
  Q_OBJECT

 public:
  // `messages` shows the prompt's boxes (its own when null). The flow has
  // prepared `search` before.
  CExtensionDialog(SearchJob& search, platform::UserMessages* messages, QWidget* parent);
  ~CExtensionDialog() override;

 public Q_SLOTS:
  void accept() override;
  void reject() override;

 private:
  void OnSearchTick();
  void EnableEntry(bool enabled);

  enum class PromptPhase { Open, Searching, Finished };

  QPushButton* m_ok;
  QPushButton* m_cancel;
  QLineEdit* m_edit;
  std::unique_ptr<platform::UserMessages> m_ownMessages;
  platform::UserMessages& m_messages;
  QTimer m_searchTimer;
  int m_ticks = 0;
  PromptPhase m_promptPhase = PromptPhase::Open;
  SearchJob& m_search;
};
