#include "ui/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "ui/main_dialog_template.h"
#include "ui/picture_static.h"
#include "ui/pictures.h"
#include "ui/ui_texts.h"

namespace {

// The box asks for the proportional face of the window's font.
QStringList ProportionalFamilies() { return {"IPAPGothic", "VL PGothic", "Noto Sans CJK JP"}; }

QLabel* MakeText(const char* text, const DluRect& rect, const DialogUnits& units, QWidget* box) {
  auto* label = new QLabel(QString::fromUtf8(text), box);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(units.ToPixels(rect));
  return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  QFont face = font();
  face.setFamilies(ProportionalFamilies());
  face.setPointSize(TEMPLATE_POINT_SIZE);
  setFont(face);
  DialogUnits units(face);
  setWindowTitle(QString::fromUtf8(ABOUT_CAPTION));
  setFixedSize(units.ToPixels(ABOUT_WIDTH_DLU, ABOUT_HEIGHT_DLU));
  auto* icon = new PictureStatic(DrawProgramIcon, this);
  icon->setGeometry(units.ToPixels(RECT_ABOUT_ICON));
  MakeText(ABOUT_VERSION, RECT_ABOUT_VERSION, units, this)->setObjectName("version");
  MakeText(ABOUT_NOTICE, RECT_ABOUT_NOTICE, units, this);
  auto* ok = new QPushButton(QString::fromUtf8(TEXT_OK), this);
  ok->setGeometry(units.ToPixels(RECT_ABOUT_OK));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
