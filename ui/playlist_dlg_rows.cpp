// The playlist window's row actions: reading the selection for an edit,
// playing a double-clicked row, and the start-up marker's check box.
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QListView>
#include <algorithm>

#include "playback/marker_files.h"
#include "playback/playback_host.h"
#include "store/playlist_row.h"
#include "ui/playlist_dlg.h"
#include "ui/playlist_row_model.h"

namespace {

PlaylistRowModel* RowsOf(QListView* list) { return static_cast<PlaylistRowModel*>(list->model()); }

}  // namespace

// The first MAX_ENTRIES selected rows in row order, the header skipped.
uint32_t CPlaylistDialog::ReadSelectedSlots(uint32_t* selected) {
  QListView* list = ShownList();
  int rows[MAX_ENTRIES + 1];
  int count = 0;
  for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) {
    if (count < static_cast<int>(MAX_ENTRIES + 1)) rows[count++] = index.row();
  }
  std::sort(rows, rows + count);
  count = std::min(count, static_cast<int>(MAX_ENTRIES));
  uint32_t slots = 0;
  for (int i = 0; i < count; ++i) {
    if (rows[i] == 0) continue;
    selected[slots++] = RowsOf(list)->RowValue(rows[i]) - FIRST_ENTRY_ROW_VALUE;
  }
  return slots;
}

// The caret row; songs that are missing or whose path was cut are not played.
void CPlaylistDialog::OnPlayRow(QListView* list) {
  QModelIndex caret = list->currentIndex();
  if (!caret.isValid() || caret.row() == 0) return;
  uint32_t value = RowsOf(list)->RowValue(caret.row());
  if (value < FIRST_ENTRY_ROW_VALUE) return;
  const PlaylistEntry& entry = m_playlist.workingTable.entries[value - FIRST_ENTRY_ROW_VALUE];
  if (entry.state == STATE_SOURCE_MISSING || entry.state == STATE_PATH_TOO_LONG) return;
  m_continuous.Hold();
  char path[PATH_LEN + 1] = {};
  std::copy_n(entry.path, PATH_LEN, path);  // the field need not be terminated
  m_player.OpenSong(path);
}

// The box has already toggled; a failure leaves it as the user set it.
void CPlaylistDialog::OnStartUpCheck(bool checked) {
  if (!SetStartUpMarker(checked)) ReportMarkerFailure(m_messages);
}
