// Dialog units turned into pixels as the platform's dialogs do: a quarter
// of the font's average character width across, an eighth of its height
// down.
#pragma once

#include <QFont>
#include <QRect>

class QPushButton;
class QWidget;

// A control's place in dialog units: x, y, width, height.
struct DluRect {
  int x;
  int y;
  int width;
  int height;
};

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  QRect ToPixels(const DluRect& rect) const;
  QSize ToPixels(int width, int height) const;

 private:
  int baseX_;
  int baseY_;
};

// A push button with `text` (UTF-8) placed at `rect` of a template; `name`,
// when given, is its object name.
QPushButton* MakeButton(const char* text, const DluRect& rect, const DialogUnits& units,
                        QWidget* parent, const char* name = nullptr);
