// The calendar's month grid: a header row of short day names from Sunday and
// six rows of days, every cell visible and sized to fill the widget. Only a
// cell holding a day can be selected, by a click or the arrow keys.
#pragma once

#include <QLocale>
#include <QWidget>

#include "utilities/calendar_model.h"

namespace orv {

class MonthGrid : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRows = kWeekRows + 1;
  static constexpr int kColumns = 7;

  MonthGrid(CalendarModel& model, const QLocale& locale, QWidget* parent = nullptr);

  // Header texts ("dim." ... on French settings) and the text of a cell.
  QString CellText(int row, int column) const;
  QRect CellRect(int row, int column) const;
  // The cell under a point, or false outside the grid.
  bool CellAt(const QPoint& point, int* row, int* column) const;

 signals:
  // The user chose another day of the shown month.
  void DateChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PaintCell(QPainter& painter, int row, int column) const;
  void Choose(bool changed);

  CalendarModel& model_;
  QString dayNames_[kColumns];
};

}  // namespace orv
