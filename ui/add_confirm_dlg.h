// The addition's confirmation: the scan result's rows under the header.
// exec() returns Accepted for OK, Rejected for Cancel (the button, Escape,
// the close box).
#pragma once

#include <QDialog>

#include "store/playlist_entry.h"

class QListWidget;

class CAddConfirmDialog : public QDialog {
  Q_OBJECT

 public:
  CAddConfirmDialog(const PlaylistTable& scanResult, QWidget* parent);

 private:
  void FillList(const PlaylistTable& scanResult);

  QListWidget* m_list;
};
