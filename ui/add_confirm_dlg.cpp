#include "ui/add_confirm_dlg.h"

#include <QListWidget>
#include <QPushButton>

#include "store/playlist_row.h"
#include "store/store_texts.h"
#include "ui/playlist_dialog_template.h"
#include "ui/ui_texts.h"

CAddConfirmDialog::CAddConfirmDialog(const PlaylistTable& scanResult, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(TEXT_CONFIRM_ADD_TITLE));
  DialogUnits units(font());
  setFixedSize(units.ToPixels(CONFIRM_WIDTH_DLU, CONFIRM_HEIGHT_DLU));
  auto* ok = new QPushButton(QString::fromUtf8(TEXT_OK), this);
  ok->setGeometry(units.ToPixels(RECT_CONFIRM_OK));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8(TEXT_CANCEL), this);
  cancel->setGeometry(units.ToPixels(RECT_CONFIRM_CANCEL));
  m_list = new QListWidget(this);
  m_list->setObjectName("scanResult");
  m_list->setGeometry(units.ToPixels(RECT_CONFIRM_LIST));
  m_list->setUniformItemSizes(true);
  m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  connect(ok, &QPushButton::clicked, this, &CAddConfirmDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CAddConfirmDialog::reject);
  FillList(scanResult);
}

// In scan order; every row as wide as the horizontal extent, so long rows
// scroll sideways.
void CAddConfirmDialog::FillList(const PlaylistTable& scanResult) {
  QSize rowSize(LIST_HORIZONTAL_EXTENT_PX, m_list->fontMetrics().height());
  auto add = [&](const char* text) {
    auto* item = new QListWidgetItem(QString::fromUtf8(text), m_list);
    item->setSizeHint(rowSize);
  };
  add(PLAYLIST_HEADER_ROW);
  char row[ROW_TEXT_BYTES];
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    const PlaylistEntry& entry = scanResult.entries[slot];
    if (IsEmptySlot(entry)) break;
    FormatPlaylistRow(slot, entry, row, sizeof row);
    add(row);
  }
}
