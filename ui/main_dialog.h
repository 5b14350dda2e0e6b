// The main window: the transfer controls, the playlist and folder buttons,
// the banner, and the two timers. Handlers turn clicks into core calls and
// paint what the core returns.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "platform/user_messages.h"
#include "transfer/transfer_tick.h"
#include "ui/copied_row_bridge.h"
#include "ui/folder_chooser.h"
#include "ui/qt_playback_host.h"
#include "ui/window_owners.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class DialogUnits;
class PictureStatic;

class CMainDialog : public QDialog {
  Q_OBJECT

 public:
  // Works on `owners`, which outlive the window; `messages` shows every
  // message box (the window's own when null).
  explicit CMainDialog(WindowOwners& owners, platform::UserMessages* messages = nullptr);
  ~CMainDialog() override;

  // Told of every copy on the worker thread, after the list's row is on
  // its way; for tests that pace a run.
  void SetTransferObserver(const TransferObserver* observer) { m_rows.Chain(observer); }
  // How creation and addition ask for a folder; null: the platform's dialog.
  void SetFolderChooser(FolderChooser chooser);
  // The capacity the start button would use now.
  int32_t SelectedCapacityMb() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 public Q_SLOTS:
  void reject() override;

 private:
  void CreateControls(const DialogUnits& units);
  void CreateViews(const DialogUnits& units);
  void OnInitDialog();
  void ApplyStartRule(bool focus);
  void OnStartTransfer();
  void OnTimer();
  void PaintTick(const TransferTick& tick);
  void AddResultRow(const QString& row);
  void CompleteRun();
  void SetBars(int percent);
  void SetBarColour(uint32_t colour);
  void OnOK();
  void OnCreateFolder();
  void OnShowFolder();
  void OnAbout();
  void OnCreatePlaylist();
  void OnAddToPlaylist();
  void OnShowPlaylist();
  bool RunExtensionPrompt(const QString& folder, bool addition);
  // What the windows opened from here show their boxes with: the
  // injected messages, or null for each window's own.
  platform::UserMessages* ChildMessages() { return m_ownMessages ? nullptr : &m_messages; }

  QProgressBar* m_progressRight;
  QProgressBar* m_progressLeft;
  QComboBox* m_comboCapacity;
  PictureStatic* m_pictures[ANIMATION_PICTURES];
  QListWidget* m_listResults;
  QLineEdit* m_rowField;
  PictureStatic* m_banner;
  QPushButton* m_startButton;
  QPushButton* m_showPlaylistButton;
  QPushButton* m_addButton;
  QPushButton* m_createPlaylistButton;
  QPushButton* m_createFolderButton;
  QPushButton* m_showFolderButton;
  QPushButton* m_exitButton;

  WindowOwners& m_owners;
  TransferJob& m_transfer;
  std::unique_ptr<platform::UserMessages> m_ownMessages;
  platform::UserMessages& m_messages;
  QtPlaybackHost m_playback;
  QTimer m_transferTimer;
  CopiedRowBridge m_rows;
  FolderChooser m_chooseFolder;
  TransferTickState m_tickState{};
  uint32_t m_barColour = 0;
  bool m_closing = false;
};
