#include "ui/pictures.h"

#include <QFont>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <cmath>

namespace {

// Every picture is drawn on a 100 x 100 grid stretched over its box.
constexpr qreal kGrid = 100.0;
constexpr int kIconSides[] = {16, 32, 48, 64, 128};
constexpr int kBurstPoints = 12;
constexpr qreal kPi = 3.14159265358979;

const QColor kNight(0x0f, 0x17, 0x2a);
const QColor kDeepBlue(0x1e, 0x3a, 0x8a);
const QColor kTeal(0x0e, 0x74, 0x90);
const QColor kSkyBlue(0x3b, 0x82, 0xf6);
const QColor kLightRed(0xf8, 0x71, 0x71);
const QColor kRed(0xdc, 0x26, 0x26);
const QColor kDarkRed(0x7f, 0x1d, 0x1d);
const QColor kYellow(0xfd, 0xe0, 0x47);
const QColor kOrange(0xf9, 0x73, 0x16);
const QColor kPaleCyan(0xa5, 0xf3, 0xfc);

void ToGrid(QPainter& painter, const QRectF& box) {
  painter.translate(box.topLeft());
  painter.scale(box.width() / kGrid, box.height() / kGrid);
}

// The largest square centred in `box`, so round things stay round.
QRectF Square(const QRectF& box) {
  qreal side = qMin(box.width(), box.height());
  return QRectF(box.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
}

QPainterPath NotePath() {
  QPainterPath note;
  note.addEllipse(QPointF(29, 70), 12, 9);
  note.addEllipse(QPointF(65, 62), 12, 9);
  note.addRect(QRectF(36, 20, 6, 50));
  note.addRect(QRectF(72, 12, 6, 50));
  note.moveTo(36, 20);
  note.lineTo(78, 10);
  note.lineTo(78, 22);
  note.lineTo(36, 32);
  note.closeSubpath();
  note.setFillRule(Qt::WindingFill);
  return note;
}

// Pointing right, its tip at the box's right edge.
QPainterPath ArrowPath(qreal left, qreal top, qreal right, qreal bottom) {
  qreal middle = (top + bottom) / 2;
  qreal neck = right - (bottom - top) * 0.55;
  qreal shaft = (bottom - top) * 0.2;
  QPainterPath arrow;
  arrow.moveTo(left, middle - shaft);
  arrow.lineTo(neck, middle - shaft);
  arrow.lineTo(neck, top);
  arrow.lineTo(right, middle);
  arrow.lineTo(neck, bottom);
  arrow.lineTo(neck, middle + shaft);
  arrow.lineTo(left, middle + shaft);
  arrow.closeSubpath();
  return arrow;
}

void DrawRedArrow(QPainter& painter, const QPainterPath& arrow, qreal outline) {
  QLinearGradient body(0, arrow.boundingRect().top(), 0, arrow.boundingRect().bottom());
  body.setColorAt(0, kLightRed);
  body.setColorAt(1, kRed);
  painter.setPen(QPen(Qt::white, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(body);
  painter.drawPath(arrow);
}

QPainterPath StarPath(QPointF centre, qreal outer, qreal inner) {
  QPainterPath star;
  for (int point = 0; point < kBurstPoints * 2; ++point) {
    qreal radius = point % 2 == 0 ? outer : inner;
    qreal angle = kPi * point / kBurstPoints - kPi / 2;
    QPointF at(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    point == 0 ? star.moveTo(at) : star.lineTo(at);
  }
  star.closeSubpath();
  return star;
}

}  // namespace

void DrawProgramIcon(QPainter& painter, const QRectF& box) {
  painter.save();
  ToGrid(painter, Square(box));
  QLinearGradient tile(0, 0, 0, kGrid);
  tile.setColorAt(0, kSkyBlue);
  tile.setColorAt(1, kDeepBlue);
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(2, 2, 96, 96), 20, 20);
  painter.setBrush(Qt::white);
  painter.drawPath(NotePath());
  DrawRedArrow(painter, ArrowPath(50, 72, 96, 96), 3);
  painter.restore();
}

void DrawBanner(QPainter& painter, const QRectF& box) {
  painter.save();
  QLinearGradient band(box.topLeft(), box.topRight());
  band.setColorAt(0, kNight);
  band.setColorAt(0.55, kDeepBlue);
  band.setColorAt(1, kTeal);
  painter.setPen(QPen(kNight, 1));
  painter.setBrush(band);
  painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  // A faint level meter along the bottom.
  qreal h = box.height();
  qreal barWidth = h * 0.12;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 28));
  for (int bar = 0; box.left() + (bar + 1) * barWidth * 1.6 < box.right(); ++bar) {
    qreal level = h * (0.18 + 0.16 * std::fabs(std::sin(bar * 0.9)));
    qreal x = box.left() + barWidth * 0.6 + bar * barWidth * 1.6;
    painter.drawRect(QRectF(x, box.bottom() - level - h * 0.08, barWidth, level));
  }
  QFont name = painter.font();
  name.setPixelSize(qRound(h * 0.46));
  name.setBold(true);
  name.setItalic(true);
  painter.setFont(name);
  painter.setPen(Qt::white);
  QRectF nameBox(box.left() + h * 0.25, box.top(), box.width() * 0.55, h * 0.78);
  painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kobaru MP3"));
  // The play sign and its word, at the right.
  qreal radius = h * 0.22;
  QPointF centre(box.right() - h * 0.4, box.top() + h * 0.5);
  painter.setPen(QPen(kPaleCyan, h * 0.05));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius, radius);
  QPainterPath play;
  play.moveTo(centre + QPointF(-radius * 0.35, -radius * 0.5));
  play.lineTo(centre + QPointF(radius * 0.55, 0));
  play.lineTo(centre + QPointF(-radius * 0.35, radius * 0.5));
  play.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPaleCyan);
  painter.drawPath(play);
  QFont hint = painter.font();
  hint.setPixelSize(qRound(h * 0.24));
  hint.setBold(false);
  hint.setItalic(false);
  painter.setFont(hint);
  painter.setPen(kPaleCyan);
  // Ends left of the play sign, which the run's burst covers.
  QRectF hintBox(box.left(), box.top() + h * 0.64, box.width() - h * 0.75, h * 0.32);
  painter.drawText(hintBox, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("クリックで一曲再生"));
  painter.restore();
}

void DrawArrow(QPainter& painter, const QRectF& box, int stage) {
  painter.save();
  ToGrid(painter, box);
  painter.setPen(QPen(QColor(255, 255, 255, 200), 5, Qt::SolidLine, Qt::RoundCap));
  for (int line = 0; line < stage; ++line) {
    qreal y = 50 + (line - (stage - 1) / 2.0) * 14;
    painter.drawLine(QPointF(4 + line * 4, y), QPointF(30, y));
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 90));
  painter.drawPath(ArrowPath(38, 22, 98, 82).translated(2, 4));
  DrawRedArrow(painter, ArrowPath(36, 18, 96, 78), 4);
  painter.restore();
}

void DrawBurst(QPainter& painter, const QRectF& box) {
  painter.save();
  ToGrid(painter, Square(box));
  QPointF centre(50, 50);
  QRadialGradient fire(centre, 48);
  fire.setColorAt(0, Qt::white);
  fire.setColorAt(0.35, kYellow);
  fire.setColorAt(1, kOrange);
  painter.setPen(QPen(kDarkRed, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(fire);
  painter.drawPath(StarPath(centre, 48, 26));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kRed);
  painter.drawPath(StarPath(centre, 20, 11));
  painter.restore();
}

namespace {

// Draws the icon when and at the size it is asked for: nothing is made at
// start-up, and every size is crisp.
class ProgramIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    DrawProgramIcon(*painter, QRectF(rect));
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
  }
  // What a window list that wants fixed sizes (X11's icon property) gets.
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int side : kIconSides) sizes.append(QSize(side, side));
    return sizes;
  }
  QIconEngine* clone() const override { return new ProgramIconEngine; }
};

}  // namespace

QIcon ProgramIcon() { return QIcon(new ProgramIconEngine); }
