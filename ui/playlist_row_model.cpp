#include "ui/playlist_row_model.h"

#include "store/store_texts.h"

PlaylistRowModel::PlaylistRowModel(const PlaylistTable& table, uint32_t headerValue,
                                   RowSorter* sorter, QObject* parent)
    : QAbstractListModel(parent),
      table_(table),
      header_(headerValue),
      sorter_(sorter),
      values_{headerValue} {
  count_ = 1;
}

void PlaylistRowModel::Fill(uint32_t entryCount) {
  beginResetModel();
  values_[0] = header_;
  uint32_t rows = 1;
  for (uint32_t slot = 0; slot < entryCount && slot < MAX_ENTRIES; ++slot) {
    if (IsEmptySlot(table_.entries[slot])) break;
    values_[rows++] = slot + FIRST_ENTRY_ROW_VALUE;
  }
  if (sorter_ != nullptr) sorter_->Sort(table_, values_, rows);
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
  FormatPlaylistRow(slot, table_.entries[slot], row, sizeof row);
  return QString::fromUtf8(row);
}
