// The program's pictures, drawn with vectors at whatever size they get:
// the icon, the banner, the four arrows and the burst of the run's
// animation.
#pragma once

#include <QIcon>
#include <QRectF>

class QPainter;

inline constexpr int ARROW_PICTURES = 4;

void DrawProgramIcon(QPainter& painter, const QRectF& box);
// Invites a click: the name and a play sign on a night-blue band.
void DrawBanner(QPainter& painter, const QRectF& box);
// A red arrow to the right; `stage` 0 to 3 adds speed lines behind it.
void DrawArrow(QPainter& painter, const QRectF& box, int stage);
void DrawBurst(QPainter& painter, const QRectF& box);

// The icon, drawn at whatever size a desktop asks for.
QIcon ProgramIcon();
