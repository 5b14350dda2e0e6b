#include "ui/picture_static.h"

#include <QMouseEvent>
#include <QPainter>

PictureStatic::PictureStatic(PictureDrawer drawer, QWidget* parent)
    : QWidget(parent), drawer_(std::move(drawer)) {
  setFocusPolicy(Qt::NoFocus);
}

void PictureStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  drawer_(painter, QRectF(rect()));
}

void PictureStatic::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Q_EMIT clicked();
  }
}
