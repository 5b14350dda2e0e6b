// The extension prompt of playlist creation and addition. OK takes the
// extension and starts the search; the prompt then stays open as the wait
// window, its title moving, until the search has its outcome in
// g_searchStatus. The event loop keeps running all the while.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "platform/user_messages.h"
#include "store/search_thread.h"

class QLineEdit;
class QPushButton;

// 0 prompt open, 1 search running, 2 search finished.
extern int g_promptPhase;

class CExtensionDialog : public QDialog {
  Q_OBJECT

 public:
  // `messages` shows the prompt's boxes (its own when null). The flow has
  // run PrepareSearch before.
  explicit CExtensionDialog(platform::UserMessages* messages, QWidget* parent);
  ~CExtensionDialog() override;

 public Q_SLOTS:
  void accept() override;
  void reject() override;

 private:
  void OnSearchTick();
  void EnableEntry(bool enabled);

  QPushButton* m_ok;
  QPushButton* m_cancel;
  QLineEdit* m_edit;
  std::unique_ptr<platform::UserMessages> m_ownMessages;
  platform::UserMessages& m_messages;
  QTimer m_searchTimer;
  int m_ticks = 0;
  SearchThread m_search;
};
