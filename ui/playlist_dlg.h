// The playlist window: every song of kPlayLst.dat in file order or sorted,
// the share not yet sent as a bar and a line of figures, the three edits,
// play on double-click and the start-up marker. Works on the playlist's
// working table.
#pragma once

#include <QDialog>
#include <memory>

#include "platform/user_messages.h"
#include "store/maintenance_flows.h"
#include "ui/window_owners.h"

class QCheckBox;
class QLabel;
class QListView;
class QProgressBar;
class DialogUnits;
class PlaybackHost;
class PlaylistRowModel;

class CPlaylistDialog : public QDialog, public PlaylistView {
  Q_OBJECT

 public:
  // Works on `owners`; `player` opens double-clicked songs; `messages`
  // shows the window's boxes (its own when null).
  CPlaylistDialog(WindowOwners& owners, PlaybackHost& player, platform::UserMessages* messages,
                  QWidget* parent);
  ~CPlaylistDialog() override;

  // Reload, both lists rebuilt, the bar and the line recomputed.
  void RefreshLists();
  uint32_t ReadSelectedSlots(uint32_t* selected) override;
  void Refresh() override { RefreshLists(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls(const DialogUnits& units, RowSorter& sorter);
  QListView* MakeList(const char* name, PlaylistRowModel* model, const DialogUnits& units);
  QListView* ShownList() const;
  void ShowView();
  void ShowRemaining();
  void SetBarColour(uint32_t colour);
  void OnSwitchView();
  void OnPlayRow(QListView* list);
  void OnStartUpCheck(bool checked);

  QCheckBox* m_checkStartUp;
  QListView* m_listSorted;
  QListView* m_listFileOrder;
  QLabel* m_staticStats;
  QProgressBar* m_progressRemaining;
  PlaylistRowModel* m_sortedRows;
  PlaylistRowModel* m_fileOrderRows;

  Playlist& m_playlist;
  ContinuousPlay& m_continuous;
  PlaybackHost& m_player;
  std::unique_ptr<platform::UserMessages> m_ownMessages;
  platform::UserMessages& m_messages;
  uint32_t m_barColour = 0;
  bool m_barColoured = false;
  // The sorted list on show; file order whenever the window opens.
  bool m_sortedView = false;
};
