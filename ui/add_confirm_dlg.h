// The addition's confirmation: the scan result's rows under the header.
// OK sets g_searchStatus to 1, Cancel (the button, Escape, the close box)
// to 2.
#pragma once

#include <QDialog>

class QListWidget;

class CAddConfirmDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CAddConfirmDialog(QWidget* parent);

 public Q_SLOTS:
  void accept() override;
  void reject() override;

 private:
  void FillList();

  QListWidget* m_list;
};
