// TCalendrier, the month calendar: a grid of the days of one month under the
// month's name and year, stepped from month to month with the two "Mois"
// buttons or Page Up and Page Down. It keeps its date from one opening to
// the next. Created once by the main window and shown modally with exec().
#pragma once

#include <QDate>
#include <QDialog>
#include <QLocale>

#include "utilities/calendar_model.h"

class QLabel;
class QPushButton;

namespace orv {

class MonthGrid;

class TCalendrier : public QDialog {
  Q_OBJECT

 public:
  // The calendar starts on `today`, and stays on that date until the user
  // picks another one.
  explicit TCalendrier(QWidget* parent = nullptr, QDate today = QDate::currentDate());

  const CalendarModel& Model() const { return model_; }
  QDate Date() const { return QDate(model_.Year(), model_.Month(), model_.Day()); }

  // "mmmmm  yyyy": the full month name, two blanks and the year.
  static QString TitleText(const QLocale& locale, int year, int month);

  QPushButton* BitBtn1 = nullptr;  // previous month
  QPushButton* BitBtn2 = nullptr;  // next month
  QPushButton* Button1 = nullptr;  // "Fermer"
  QLabel* Label1 = nullptr;        // the title
  MonthGrid* Calendar1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreatePanel();
  void BitBtn1Click();
  void BitBtn2Click();
  void Calendar1Change();

  QLocale locale_;
  CalendarModel model_;
};

}  // namespace orv
