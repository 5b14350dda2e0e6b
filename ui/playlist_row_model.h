// The rows of one playlist list as row values only: the header's value,
// then slot + 2 for each entry of the table. A row's text is formatted
// from the table whenever it is asked for. Window thread only.
#pragma once

#include <QAbstractListModel>
#include <cstdint>

#include "store/playlist_entry.h"
#include "store/playlist_row.h"

inline constexpr uint32_t FILE_ORDER_HEADER_VALUE = 0;
inline constexpr uint32_t SORTED_HEADER_VALUE = 1;
inline constexpr int ROW_VALUE_ROLE = Qt::UserRole;

class PlaylistRowModel : public QAbstractListModel {
 public:
  // The sorted list's order comes from `sorter`; file order without one.
  PlaylistRowModel(const PlaylistTable& table, uint32_t headerValue, RowSorter* sorter,
                   QObject* parent);

  // The header, then every leading entry below `entryCount`, in file order
  // or in the sorted list's order.
  void Fill(uint32_t entryCount);
  uint32_t RowValue(int row) const { return values_[row]; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // DisplayRole: the row's text now; ROW_VALUE_ROLE: its value.
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const PlaylistTable& table_;
  uint32_t header_;
  RowSorter* sorter_;
  int count_ = 0;
  uint32_t values_[MAX_ENTRIES + 1];
};
