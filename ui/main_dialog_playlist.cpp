// The main window's playlist buttons: creation and addition (folder,
// extension prompt, search, result) and the playlist window.
#include <QFile>
#include <QPushButton>

#include "playback/continuous_play.h"
#include "store/build_flows.h"
#include "store/presence_flags.h"
#include "store/search_worker.h"
#include "store/store_texts.h"
#include "ui/add_confirm_dlg.h"
#include "ui/extension_dlg.h"
#include "ui/folder_chooser.h"
#include "ui/main_dialog.h"
#include "ui/playlist_dlg.h"

// The search's outcome stays in g_searchStatus. A folder too long to scan
// is refused before the prompt, as a failed search.
bool CMainDialog::RunExtensionPrompt(const QString& folder, bool addition) {
  if (!PrepareSearch(QFile::encodeName(folder).constData(), addition)) {
    g_searchStatus = SEARCH_FAILED;
    return false;
  }
  CExtensionDialog prompt(ChildMessages(), this);
  prompt.exec();
  return true;
}

void CMainDialog::OnCreatePlaylist() {
  QString folder = ChooseFolder(this, TEXT_BROWSE_CREATE);
  if (folder.isEmpty()) return;
  RunExtensionPrompt(folder, false);
  if (!ReportCreation(g_searchStatus.load(), m_messages)) return;
  g_playlistPresent = 1;
  m_createPlaylistButton->setEnabled(false);
  m_showPlaylistButton->setEnabled(true);
  m_addButton->setEnabled(true);
  m_showPlaylistButton->setFocus();
  ApplyStartRule(true);
}

// Changes no button: the playlist was there already.
void CMainDialog::OnAddToPlaylist() {
  QString folder = ChooseFolder(this, TEXT_BROWSE_ADD);
  if (folder.isEmpty()) return;
  if (!RunExtensionPrompt(folder, true)) {
    m_messages.Show(platform::Failure(TEXT_ADD_FAILED));
    return;
  }
  if (g_searchStatus.load() != SEARCH_SUCCEEDED) return;
  CAddConfirmDialog confirm(this);
  confirm.exec();
  if (g_searchStatus.load() == SEARCH_SUCCEEDED) AppendAndReport(m_messages);
}

// A song played from the playlist window held continuous play until now.
void CMainDialog::OnShowPlaylist() {
  CPlaylistDialog playlist(m_playback, ChildMessages(), this);
  playlist.exec();
  g_playHold = 0;
}
