#include "ui/playlist_row_model.h"

#include "store/playlist_row.h"
#include "store/store_texts.h"
#include "store/table_images.h"

PlaylistRowModel::PlaylistRowModel(uint32_t headerValue, bool sorted, QObject* parent)
    : QAbstractListModel(parent), header_(headerValue), sorted_(sorted), values_{headerValue} {
  count_ = 1;
}

void PlaylistRowModel::Fill(uint32_t entryCount) {
  beginResetModel();
  values_[0] = header_;
  uint32_t rows = 1;
  for (uint32_t slot = 0; slot < entryCount && slot < MAX_ENTRIES; ++slot) {
    if (IsEmptySlot(g_workingTable.entries[slot])) break;
    values_[rows++] = slot + FIRST_ENTRY_ROW_VALUE;
  }
  if (sorted_) SortRowValues(values_, rows);
  count_ = static_cast<int>(rows);
  endResetModel();
}

int PlaylistRowModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

QVariant PlaylistRowModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count_) return {};
  uint32_t value = values_[index.row()];
  if (role == ROW_VALUE_ROLE) return value;
  if (role != Qt::DisplayRole) return {};
  if (value < FIRST_ENTRY_ROW_VALUE) return QString::fromUtf8(PLAYLIST_HEADER_ROW);
  uint32_t slot = value - FIRST_ENTRY_ROW_VALUE;
  char row[ROW_TEXT_BYTES];
  FormatPlaylistRow(slot, g_workingTable.entries[slot], row, sizeof row);
  return QString::fromUtf8(row);
}
