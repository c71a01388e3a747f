#include "utilities/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace orv {

namespace {

QPixmap Transparent(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void DrawHand(QPainter& p, double turns, double length, double width, const QColor& colour) {
  p.save();
  p.rotate(turns * 360.0);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(0, length * 0.15), QPointF(0, -length));
  p.restore();
}

// Paints a shape given in a 16 x 16 design grid, crisp at 16 and 32 pixels.
QIcon ShapeIcon(const QPolygonF& shape, const QColor& colour) {
  QIcon icon;
  for (int side : {16, 32}) {
    QPixmap pixmap = Transparent(side, side);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    p.setPen(QPen(colour.darker(150), 0.8));
    p.setBrush(colour);
    p.drawPolygon(shape);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QPixmap ClockFacePicture(int side, bool hands, int hour, int minute, int second) {
  QPixmap pixmap = Transparent(side, side);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(side / 2.0, side / 2.0);
  const double r = side / 2.0 - 2;
  QRadialGradient dial(QPointF(-r / 3, -r / 3), r * 1.6);
  dial.setColorAt(0, QColor(250, 250, 240));
  dial.setColorAt(1, QColor(190, 195, 200));
  p.setPen(QPen(QColor(200, 200, 200), 2));
  p.setBrush(dial);
  p.drawEllipse(QPointF(0, 0), r, r);
  for (int i = 0; i < 12; ++i) {
    p.save();
    p.rotate(i * 30.0);
    p.setPen(QPen(QColor(40, 40, 40), i % 3 == 0 ? 2.2 : 1.2));
    p.drawLine(QPointF(0, -r * 0.78), QPointF(0, -r * 0.92));
    p.restore();
  }
  if (hands) {
    const double h = (hour % 12 + minute / 60.0) / 12.0;
    const double m = (minute + second / 60.0) / 60.0;
    DrawHand(p, h, r * 0.5, 3.0, QColor(20, 20, 60));
    DrawHand(p, m, r * 0.75, 2.0, QColor(20, 20, 60));
    DrawHand(p, second / 60.0, r * 0.82, 1.0, QColor(200, 0, 0));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 0, 0));
  p.drawEllipse(QPointF(0, 0), 2.0, 2.0);
  return pixmap;
}

QIcon SpinArrowIcon(bool up, const QColor& colour) {
  const QPolygonF shape = up ? QPolygonF({{2, 11}, {8, 4}, {14, 11}})
                             : QPolygonF({{2, 5}, {8, 12}, {14, 5}});
  return ShapeIcon(shape, colour);
}

QIcon MonthArrowIcon(bool left, const QColor& colour) {
  QPolygonF shape({{1, 8}, {8, 1.5}, {8, 5}, {15, 5}, {15, 11}, {8, 11}, {8, 14.5}});
  if (!left)
    for (QPointF& point : shape) point.setX(16 - point.x());
  return ShapeIcon(shape, colour);
}

}  // namespace orv
