// The calendar's date and month grid: Gregorian months, previous and next
// month with the day kept where the new month allows it, and the 6 x 7 layout
// of the days under a header that starts on Sunday.
#pragma once

namespace orv {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 0 for Sunday up to 6 for Saturday.
int DayOfWeek(int year, int month, int day);

inline constexpr int kFirstCalendarYear = 1;
inline constexpr int kLastCalendarYear = 9999;
inline constexpr int kWeekRows = 6;

class CalendarModel {
 public:
  CalendarModel(int year, int month, int day);

  int Year() const { return year_; }
  int Month() const { return month_; }
  int Day() const { return day_; }

  // Both keep the day where the new month has it, otherwise take the new
  // month's last day; they do nothing beyond the years 1 and 9999.
  void PreviousMonth();
  void NextMonth();

  // The day shown in a cell of the day rows (row 0..5, column 0..6 from
  // Sunday), or 0 for an empty cell.
  int DayAt(int row, int column) const;
  // The cell of a day of the shown month.
  int RowOf(int day) const;
  int ColumnOf(int day) const;

  // Makes a day of the shown month the date; false (and no change) for an
  // empty cell's 0, a day outside the month or the day already chosen.
  bool ChooseDay(int day);
  // Moves the date by a number of days inside the shown month; false when
  // that would leave the month.
  bool MoveDays(int delta);

 private:
  int Offset() const { return DayOfWeek(year_, month_, 1); }

  int year_, month_, day_;
};

}  // namespace orv
