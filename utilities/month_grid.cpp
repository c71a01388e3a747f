#include "utilities/month_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace orv {

namespace {
const QColor kLime(0, 255, 0);
const QColor kHeader(212, 208, 200);
const QColor kLines(0, 128, 0);
const QColor kSelection(0, 0, 128);
}  // namespace

MonthGrid::MonthGrid(CalendarModel& model, const QLocale& locale, QWidget* parent)
    : QWidget(parent), model_(model) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  for (int column = 0; column < kColumns; ++column)  // Qt counts Monday 1 .. Sunday 7
    dayNames_[column] = locale.dayName(column == 0 ? 7 : column, QLocale::ShortFormat);
}

QString MonthGrid::CellText(int row, int column) const {
  if (column < 0 || column >= kColumns) return {};
  if (row == 0) return dayNames_[column];
  const int day = model_.DayAt(row - 1, column);
  return day ? QString::number(day) : QString();
}

// Columns and rows share the widget's size, the spare pixels going to the
// first ones, so that the grid always fills it exactly.
QRect MonthGrid::CellRect(int row, int column) const {
  auto edge = [](int total, int count, int i) { return total * i / count; };
  const int x = edge(width(), kColumns, column), y = edge(height(), kRows, row);
  return QRect(x, y, edge(width(), kColumns, column + 1) - x, edge(height(), kRows, row + 1) - y);
}

bool MonthGrid::CellAt(const QPoint& point, int* row, int* column) const {
  if (!rect().contains(point)) return false;
  *column = qMin(point.x() * kColumns / qMax(width(), 1), kColumns - 1);
  *row = qMin(point.y() * kRows / qMax(height(), 1), kRows - 1);
  return true;
}

void MonthGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < kColumns; ++column) PaintCell(painter, row, column);
}

void MonthGrid::PaintCell(QPainter& painter, int row, int column) const {
  const QRect cell = CellRect(row, column);
  const bool selected =
      row > 0 && model_.DayAt(row - 1, column) == model_.Day();
  painter.fillRect(cell, row == 0 ? kHeader : selected ? kSelection : kLime);
  painter.setPen(kLines);
  painter.drawLine(cell.bottomLeft(), cell.bottomRight());
  painter.drawLine(cell.topRight(), cell.bottomRight());
  QFont font = this->font();
  font.setBold(row == 0);
  painter.setFont(font);
  painter.setPen(selected ? Qt::white : Qt::black);
  painter.drawText(cell, Qt::AlignCenter, CellText(row, column));
  if (selected && hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = cell.adjusted(2, 2, -3, -3);
    option.backgroundColor = kSelection;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void MonthGrid::Choose(bool changed) {
  if (!changed) return;
  update();
  emit DateChanged();
}

void MonthGrid::mousePressEvent(QMouseEvent* event) {
  int row = 0, column = 0;
  if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), &row, &column) ||
      row == 0)
    return;
  // An empty cell holds day 0, which cannot be chosen.
  Choose(model_.ChooseDay(model_.DayAt(row - 1, column)));
}

void MonthGrid::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: Choose(model_.MoveDays(-1)); break;
    case Qt::Key_Right: Choose(model_.MoveDays(1)); break;
    case Qt::Key_Up: Choose(model_.MoveDays(-kColumns)); break;
    case Qt::Key_Down: Choose(model_.MoveDays(kColumns)); break;
    case Qt::Key_Home: Choose(model_.ChooseDay(1)); break;
    case Qt::Key_End: Choose(model_.ChooseDay(DaysInMonth(model_.Year(), model_.Month()))); break;
    default: QWidget::keyPressEvent(event); return;  // Page Up, Page Down, Esc go to the window
  }
  event->accept();
}

}  // namespace orv
