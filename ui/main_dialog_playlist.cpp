// The main window's playlist buttons: creation and addition (folder,
// extension prompt, search, result) and the playlist window.
#include <QFile>
#include <QPushButton>

#include "store/build_flows.h"
#include "store/store_texts.h"
#include "ui/add_confirm_dlg.h"
#include "ui/extension_dlg.h"
#include "ui/main_dialog.h"
#include "ui/playlist_dlg.h"

// The search's outcome stays in the job's status. A folder too long to scan
// is refused before the prompt, as a failed search.
bool CMainDialog::RunExtensionPrompt(const QString& folder, bool addition) {
  if (!m_owners.search.Prepare(QFile::encodeName(folder).constData(), addition)) return false;
  CExtensionDialog prompt(m_owners.search, ChildMessages(), this);
  prompt.exec();
  return true;
}

void CMainDialog::OnCreatePlaylist() {
  QString folder = m_chooseFolder(this, QString::fromUtf8(TEXT_BROWSE_CREATE));
  if (folder.isEmpty()) return;
  RunExtensionPrompt(folder, false);
  if (!ReportCreation(m_owners.search.Status(), m_messages)) return;
  m_owners.playlist.playlistPresent = true;
  m_createPlaylistButton->setEnabled(false);
  m_showPlaylistButton->setEnabled(true);
  m_addButton->setEnabled(true);
  m_showPlaylistButton->setFocus();
  ApplyStartRule(true);
}

// Changes no button: the playlist was there already.
void CMainDialog::OnAddToPlaylist() {
  QString folder = m_chooseFolder(this, QString::fromUtf8(TEXT_BROWSE_ADD));
  if (folder.isEmpty()) return;
  if (!RunExtensionPrompt(folder, true)) {
    m_messages.Show(platform::Failure(TEXT_ADD_FAILED));
    return;
  }
  SearchJob& search = m_owners.search;
  if (search.Status() != SearchStatus::Succeeded) return;
  CAddConfirmDialog confirm(search.ScanResult(), this);
  if (confirm.exec() == QDialog::Accepted) AppendAndReport(search, m_messages);
}

// A song played from the playlist window held continuous play until now.
void CMainDialog::OnShowPlaylist() {
  CPlaylistDialog playlist(m_owners, m_playback, ChildMessages(), this);
  playlist.exec();
  m_owners.continuous.Resume();
}
