#include "shell/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orv {
namespace {

constexpr int kSide = 24;

void Page(QPainter& p, QRectF r) {
  QPainterPath path;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - 5, r.top());
  path.lineTo(r.right(), r.top() + 5);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
  p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void Draw(QPainter& p, const QString& button) {
  const QColor ink(40, 40, 40), blue(30, 90, 170), green(20, 140, 60), gold(220, 170, 40);
  p.setPen(QPen(ink, 1.2));
  if (button == "FileNew1Btn") {
    Page(p, QRectF(5, 3, 13, 18));
    p.setPen(QPen(green, 2.2));
    p.drawLine(QPointF(15, 14), QPointF(15, 22));
    p.drawLine(QPointF(11, 18), QPointF(19, 18));
  } else if (button == "OpenBtn") {
    p.setBrush(gold);
    p.drawRect(QRectF(3, 7, 18, 13));
    p.setBrush(gold.lighter(130));
    p.drawPolygon(QPolygonF({QPointF(3, 20), QPointF(7, 11), QPointF(23, 11), QPointF(21, 20)}));
  } else if (button == "SaveBtn") {
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3.5, 10, 7));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7, 14, 10, 7));
  } else if (button == "CutBtn") {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.6));
    p.drawEllipse(QRectF(4, 15, 6, 6));
    p.drawEllipse(QRectF(14, 15, 6, 6));
    p.drawLine(QPointF(9, 15), QPointF(17, 3));
    p.drawLine(QPointF(15, 15), QPointF(7, 3));
  } else if (button == "CopyBtn") {
    Page(p, QRectF(3, 3, 11, 14));
    Page(p, QRectF(9, 8, 11, 14));
  } else if (button == "PasteBtn") {
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(4, 4, 14, 17), 2, 2);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(8, 2, 6, 4));
    Page(p, QRectF(11, 10, 10, 12));
  } else if (button == "ExecButton") {
    p.setBrush(green);
    p.setPen(QPen(green.darker(140), 1.2));
    p.drawPolygon(QPolygonF({QPointF(7, 4), QPointF(20, 12), QPointF(7, 20)}));
  }
}

}  // namespace

QIcon ToolIcon(const QString& button) {
  QPixmap picture(kSide, kSide);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  Draw(painter, button);
  painter.end();
  return QIcon(picture);
}

}  // namespace orv
