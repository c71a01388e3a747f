#include "utilities/calendar_model.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <chrono>
#include <vector>

namespace orv {
namespace {

namespace chr = std::chrono;

TEST(Gregorian, LeapYears) {
  const std::vector<std::pair<int, bool>> cases = {{1900, false}, {1996, true}, {1999, false},
                                                   {2000, true},  {2004, true}, {2100, false},
                                                   {2400, true},  {1, false},   {4, true}};
  for (const auto& [year, leap] : cases) EXPECT_EQ(IsLeapYear(year), leap) << year;
}

// The standard library's civil calendar is the independent reference.
TEST(Gregorian, MonthLengthsAndWeekdaysMatchTheCivilCalendar) {
  for (int y = kFirstCalendarYear; y <= kLastCalendarYear; y += (y < 2200 ? 1 : 37)) {
    for (int m = 1; m <= 12; ++m) {
      const chr::year_month_day_last last{chr::year{y} / chr::month{static_cast<unsigned>(m)} / chr::last};
      ASSERT_EQ(DaysInMonth(y, m), static_cast<int>(static_cast<unsigned>(last.day()))) << y << "-" << m;
      for (int d : {1, 13, DaysInMonth(y, m)}) {
        const chr::weekday wd{chr::sys_days{chr::year{y} / m / d}};
        ASSERT_EQ(DayOfWeek(y, m, d), static_cast<int>(wd.c_encoding())) << y << "-" << m << "-" << d;
      }
    }
  }
}

struct StepCase {
  int year, month, day;
  bool next;
  int newYear, newMonth, newDay;
};

class CalendarStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(CalendarStep, MovesOneMonthAndClampsTheDay) {
  const StepCase& c = GetParam();
  CalendarModel calendar(c.year, c.month, c.day);
  c.next ? calendar.NextMonth() : calendar.PreviousMonth();
  EXPECT_EQ(calendar.Year(), c.newYear);
  EXPECT_EQ(calendar.Month(), c.newMonth);
  EXPECT_EQ(calendar.Day(), c.newDay);
}

constexpr bool kNext = true, kPrevious = false;

INSTANTIATE_TEST_SUITE_P(
    Months, CalendarStep,
    ::testing::Values(StepCase{1999, 3, 31, kPrevious, 1999, 2, 28},
                      StepCase{2000, 3, 31, kPrevious, 2000, 2, 29},
                      StepCase{2000, 1, 31, kNext, 2000, 2, 29},
                      StepCase{1900, 1, 31, kNext, 1900, 2, 28},
                      StepCase{1998, 5, 31, kPrevious, 1998, 4, 30},
                      StepCase{1998, 10, 20, kNext, 1998, 11, 20},
                      StepCase{1998, 12, 31, kNext, 1999, 1, 31},
                      StepCase{1999, 1, 15, kPrevious, 1998, 12, 15},
                      StepCase{1, 1, 1, kPrevious, 1, 1, 1},
                      StepCase{9999, 12, 31, kNext, 9999, 12, 31}),
    [](const auto& info) { return orv::test::CaseName(info.index, {std::to_string(info.param.year) + "_" + std::to_string(info.param.month) + "_" + std::to_string(info.param.day), info.param.next ? "suivant" : "precedent"}); });

TEST(CalendarModel, ShorterDayIsKeptOnTheFollowingSteps) {
  CalendarModel calendar(2000, 1, 31);
  calendar.NextMonth();
  calendar.NextMonth();
  EXPECT_EQ(calendar.Month(), 3);
  EXPECT_EQ(calendar.Day(), 29);
}

TEST(CalendarModel, ConstructionClampsToARealDate) {
  CalendarModel calendar(1999, 2, 31);
  EXPECT_EQ(calendar.Day(), 28);
}

TEST(CalendarGrid, FirstDayStandsUnderItsWeekday) {
  CalendarModel sundayStart(1998, 2, 1);  // 1 February 1998 was a Sunday
  EXPECT_EQ(sundayStart.DayAt(0, 0), 1);
  EXPECT_EQ(sundayStart.DayAt(3, 6), 28);
  EXPECT_EQ(sundayStart.DayAt(4, 0), 0);

  CalendarModel saturdayStart(1998, 8, 1);  // 1 August 1998 was a Saturday
  EXPECT_EQ(saturdayStart.DayAt(0, 5), 0);
  EXPECT_EQ(saturdayStart.DayAt(0, 6), 1);
  EXPECT_EQ(saturdayStart.DayAt(5, 1), 31);  // a month on six rows
  EXPECT_EQ(saturdayStart.DayAt(5, 2), 0);
  EXPECT_EQ(saturdayStart.DayAt(6, 0), 0);
  EXPECT_EQ(saturdayStart.DayAt(-1, 0), 0);
}

TEST(CalendarGrid, EveryDayOfEveryMonthHasExactlyOneCell) {
  for (int y = 1998; y <= 2030; ++y) {
    for (int m = 1; m <= 12; ++m) {
      CalendarModel calendar(y, m, 1);
      std::vector<int> seen(32, 0);
      for (int row = 0; row < kWeekRows; ++row)
        for (int column = 0; column < 7; ++column)
          if (const int d = calendar.DayAt(row, column)) {
            ++seen[d];
            ASSERT_EQ(calendar.RowOf(d), row);
            ASSERT_EQ(calendar.ColumnOf(d), column);
            ASSERT_EQ(column, DayOfWeek(y, m, d));
          }
      for (int d = 1; d <= 31; ++d)
        ASSERT_EQ(seen[d], d <= DaysInMonth(y, m) ? 1 : 0) << y << "-" << m << "-" << d;
    }
  }
}

TEST(CalendarModel, ChoosingADay) {
  CalendarModel calendar(1998, 2, 10);
  EXPECT_FALSE(calendar.ChooseDay(0));   // an empty cell
  EXPECT_FALSE(calendar.ChooseDay(29));  // not in February 1998
  EXPECT_FALSE(calendar.ChooseDay(10));  // already chosen
  EXPECT_EQ(calendar.Day(), 10);
  EXPECT_TRUE(calendar.ChooseDay(28));
  EXPECT_EQ(calendar.Day(), 28);
  EXPECT_EQ(calendar.Month(), 2);
  EXPECT_EQ(calendar.Year(), 1998);
}

TEST(CalendarModel, ArrowMovesStayInsideTheMonth) {
  CalendarModel calendar(1998, 10, 1);
  EXPECT_FALSE(calendar.MoveDays(-1));
  EXPECT_FALSE(calendar.MoveDays(-7));
  EXPECT_TRUE(calendar.MoveDays(7));
  EXPECT_EQ(calendar.Day(), 8);
  EXPECT_TRUE(calendar.MoveDays(-1));
  EXPECT_EQ(calendar.Day(), 7);
  calendar.ChooseDay(31);
  EXPECT_FALSE(calendar.MoveDays(1));
  EXPECT_FALSE(calendar.MoveDays(7));
  EXPECT_TRUE(calendar.MoveDays(-7));
  EXPECT_EQ(calendar.Day(), 24);
  EXPECT_EQ(calendar.Month(), 10);
}

}  // namespace
}  // namespace orv
