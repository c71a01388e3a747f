#include "utilities/calendar_model.h"

#include <algorithm>

namespace orv {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfWeek(int year, int month, int day) {
  // Sakamoto's method on the proleptic Gregorian calendar.
  static constexpr int kShift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kShift[month - 1] + day) % 7;
}

CalendarModel::CalendarModel(int year, int month, int day)
    : year_(std::clamp(year, kFirstCalendarYear, kLastCalendarYear)),
      month_(std::clamp(month, 1, 12)),
      day_(std::clamp(day, 1, DaysInMonth(year_, month_))) {}

void CalendarModel::PreviousMonth() {
  if (month_ == 1) {
    if (year_ == kFirstCalendarYear) return;
    --year_;
    month_ = 12;
  } else {
    --month_;
  }
  day_ = std::min(day_, DaysInMonth(year_, month_));
}

void CalendarModel::NextMonth() {
  if (month_ == 12) {
    if (year_ == kLastCalendarYear) return;
    ++year_;
    month_ = 1;
  } else {
    ++month_;
  }
  day_ = std::min(day_, DaysInMonth(year_, month_));
}

int CalendarModel::DayAt(int row, int column) const {
  if (row < 0 || row >= kWeekRows || column < 0 || column > 6) return 0;
  const int day = row * 7 + column - Offset() + 1;
  return day >= 1 && day <= DaysInMonth(year_, month_) ? day : 0;
}

int CalendarModel::RowOf(int day) const { return (day - 1 + Offset()) / 7; }
int CalendarModel::ColumnOf(int day) const { return (day - 1 + Offset()) % 7; }

bool CalendarModel::ChooseDay(int day) {
  if (day < 1 || day > DaysInMonth(year_, month_) || day == day_) return false;
  day_ = day;
  return true;
}

bool CalendarModel::MoveDays(int delta) { return delta != 0 && ChooseDay(day_ + delta); }

}  // namespace orv
