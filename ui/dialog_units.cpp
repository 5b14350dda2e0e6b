#include "ui/dialog_units.h"

#include <QFontMetrics>
#include <QPushButton>

namespace {

// The platform's average width: the 52 Latin letters, halved with rounding.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLetters = 52;
constexpr int kUnitsPerBaseX = 4;
constexpr int kUnitsPerBaseY = 8;

// Rounded to nearest, as the platform's MulDiv does.
int Scale(int units, int base, int perBase) { return (units * base + perBase / 2) / perBase; }

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  QFontMetrics metrics(font);
  int width = metrics.horizontalAdvance(QString::fromLatin1(kAlphabet));
  baseX_ = (width / (kLetters / 2) + 1) / 2;
  baseY_ = metrics.height();
}

QRect DialogUnits::ToPixels(const DluRect& rect) const {
  return {Scale(rect.x, baseX_, kUnitsPerBaseX), Scale(rect.y, baseY_, kUnitsPerBaseY),
          Scale(rect.width, baseX_, kUnitsPerBaseX), Scale(rect.height, baseY_, kUnitsPerBaseY)};
}

QSize DialogUnits::ToPixels(int width, int height) const {
  return {Scale(width, baseX_, kUnitsPerBaseX), Scale(height, baseY_, kUnitsPerBaseY)};
}

QPushButton* MakeButton(const char* text, const DluRect& rect, const DialogUnits& units,
                        QWidget* parent, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  if (name != nullptr) button->setObjectName(name);
  button->setGeometry(units.ToPixels(rect));
  return button;
}
