// A picture control: paints itself at its own size and the screen's pixel
// ratio, so it stays crisp at any scale. Clickable, for the banner.
#pragma once

#include <QWidget>
#include <functional>

class QPainter;

using PictureDrawer = std::function<void(QPainter&, const QRectF&)>;

class PictureStatic : public QWidget {
  Q_OBJECT

 public:
  PictureStatic(PictureDrawer drawer, QWidget* parent);

 Q_SIGNALS:
  // Released over the picture after a press on it.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  PictureDrawer drawer_;
};
