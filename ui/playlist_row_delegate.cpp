#include "ui/playlist_row_delegate.h"

#include <QPainter>

#include "store/playlist_colours.h"
#include "store/playlist_row.h"
#include "ui/playlist_dialog_template.h"
#include "ui/playlist_row_model.h"

void PlaylistRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  uint32_t value = index.data(ROW_VALUE_ROLE).toUInt();
  bool header = value < FIRST_ENTRY_ROW_VALUE;
  uint16_t state = header ? 0 : table_.entries[value - FIRST_ENTRY_ROW_VALUE].state;
  RowColours colours =
      PlaylistRowColours(header, state, option.state.testFlag(QStyle::State_Selected));
  painter->save();
  painter->fillRect(option.rect, QColor::fromRgb(colours.background));
  painter->setPen(QColor::fromRgb(colours.text));
  painter->setClipRect(option.rect);
  // The font's line is a pixel taller than the row: its bottom sits on the
  // row's, so underscores and descenders stay whole and only the empty
  // leading above is cut.
  painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QSize PlaylistRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {LIST_HORIZONTAL_EXTENT_PX, PLAYLIST_ROW_HEIGHT_PX};
}
