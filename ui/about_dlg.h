// The About box: the icon, the version and a notice of ownership.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
 public:
  explicit CAboutDlg(QWidget* parent);
};
