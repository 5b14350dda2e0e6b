// kobaru-icon-render SIDE FILE: the window's own icon as a SIDE x SIDE PNG,
// for the desktop's icon theme.
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "ui/pictures.h"

int main(int argc, char** argv) {
  int side = argc == 3 ? std::atoi(argv[1]) : 0;
  if (side <= 0) {
    std::fprintf(stderr, "usage: kobaru-icon-render SIDE FILE\n");
    return 2;
  }
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawProgramIcon(painter, QRectF(0, 0, side, side));
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "kobaru-icon-render: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
