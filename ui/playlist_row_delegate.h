// Paints a playlist row from the table at draw time: background and text
// by the entry's state and the selection, no focus rectangle.
#pragma once

#include <QAbstractItemDelegate>

#include "store/playlist_entry.h"

class PlaylistRowDelegate : public QAbstractItemDelegate {
 public:
  PlaylistRowDelegate(const PlaylistTable& table, QObject* parent)
      : QAbstractItemDelegate(parent), table_(table) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // Every row as high as the template's rows and as wide as the extent.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const PlaylistTable& table_;
};
