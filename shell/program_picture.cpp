// The slate picture, the icon and the bevels.
#include "shell/program_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace orv {
namespace {

const QColor kFrame(139, 90, 43);
const QColor kFrameLight(190, 135, 75);
const QColor kBoard(31, 77, 58);
const QColor kChalk(245, 245, 235);
const QColor kOrange(175, 48, 0);

QFont ChalkFont(int pixels) {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(std::max(pixels, 6));
  font.setBold(true);
  return font;
}

void DrawFrameAndBoard(QPainter& painter, const QRect& target, int frame, QRect& board) {
  painter.fillRect(target, kFrame);
  DrawBevel(painter, target, std::max(1, frame / 3), true, kFrameLight, kFrame.darker(150));
  board = target.adjusted(frame, frame, -frame, -frame);
  painter.fillRect(board, kBoard);
  DrawBevel(painter, board, 1, false, kBoard.lighter(130), kBoard.darker(160));
}

void DrawTallSlate(QPainter& painter, const QRect& target) {
  const int frame = std::max(3, target.width() / 11);
  QRect board;
  DrawFrameAndBoard(painter, target, frame, board);
  const int line = board.height() / 7;
  painter.setFont(ChalkFont(line * 4 / 5));
  painter.setPen(kChalk);
  const QStringList code = {QStringLiteral("{"), QStringLiteral(" i++;"), QStringLiteral(" print"),
                            QStringLiteral("}")};
  for (int i = 0; i < code.size(); ++i)
    painter.drawText(QRect(board.left() + board.width() / 10, board.top() + line / 2 + i * line,
                           board.width(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, code[i]);
  // a chalk stroke under the code and a stick of chalk on the ledge
  painter.setPen(QPen(kOrange.lighter(160), std::max(1, line / 8), Qt::SolidLine, Qt::RoundCap));
  const int y = board.top() + line / 2 + 4 * line + line / 3;
  painter.drawLine(board.left() + board.width() / 10, y, board.right() - board.width() / 6, y);
  painter.fillRect(QRect(board.right() - board.width() / 3, board.bottom() - line / 3, board.width() / 4,
                         std::max(2, line / 4)),
                   kChalk);
}

void DrawSquareSlate(QPainter& painter, const QRect& target) {
  const int frame = std::max(2, target.width() / 9);
  QRect board;
  DrawFrameAndBoard(painter, target, frame, board);
  painter.setFont(ChalkFont(board.height() * 3 / 4));
  painter.setPen(kChalk);
  painter.drawText(board, Qt::AlignCenter, QStringLiteral("{}"));
}

}  // namespace

void DrawProgramPicture(QPainter& painter, const QRect& target) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  if (target.height() > target.width() * 5 / 4) DrawTallSlate(painter, target);
  else DrawSquareSlate(painter, target);
  painter.restore();
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawProgramPicture(painter, pixmap.rect());
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void DrawBevel(QPainter& painter, const QRect& area, int width, bool raised, const QColor& light,
               const QColor& dark) {
  const QColor topLeft = raised ? light : dark;
  const QColor bottomRight = raised ? dark : light;
  for (int i = 0; i < width; ++i) {
    const QRect r = area.adjusted(i, i, -i, -i);
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
}

QFont BoldFont(const QStringList& families, int pixels) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

}  // namespace orv
