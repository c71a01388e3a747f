// The program's picture and icon, and the bevels of the start-up windows.
// Drawn with QPainter rather than shipped as image files, so they stay sharp
// at any size.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

class QPainter;
class QRect;

namespace orv {

// A school slate with code written in chalk, filling `target`. A tall target
// shows a few lines of code; a square one shows the braces "{ }".
void DrawProgramPicture(QPainter& painter, const QRect& target);

// The window icon of the environment (16 to 64 pixels).
QIcon ProgramIcon();

// A 3-D edge `width` pixels wide just inside `area`: light on the top and
// left and dark on the bottom and right when raised, the other way round
// when lowered.
void DrawBevel(QPainter& painter, const QRect& area, int width, bool raised, const QColor& light,
               const QColor& dark);

// A bold font of `pixels` pixels, the first of `families` that the system
// has (a sans-serif face otherwise).
QFont BoldFont(const QStringList& families, int pixels);

}  // namespace orv
