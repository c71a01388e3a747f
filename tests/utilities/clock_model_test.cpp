#include "utilities/clock_model.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace orv {
namespace {

struct StepCase {
  const char* time;
  const char* date;
  ClockField field;
  bool up;
  int steps;
  const char* expectedTime;
  const char* expectedDate;
};

class ClockStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(ClockStep, StepsTheFieldInPlace) {
  const StepCase& c = GetParam();
  ClockModel clock;
  clock.Show(c.time, c.date);
  for (int i = 0; i < c.steps; ++i) EXPECT_EQ(clock.Step(c.field, c.up), std::nullopt);
  EXPECT_EQ(clock.TimeText(), c.expectedTime);
  EXPECT_EQ(clock.DateText(), c.expectedDate);
}

constexpr bool kUp = true, kDown = false;
constexpr const char* kDate = "20/10/1998";

INSTANTIATE_TEST_SUITE_P(
    Bounds, ClockStep,
    ::testing::Values(
        StepCase{"23:59:59", kDate, ClockField::Hour, kUp, 1, "24:59:59", kDate},
        StepCase{"23:59:59", kDate, ClockField::Hour, kUp, 2, "24:59:59", kDate},
        StepCase{"09:05:03", kDate, ClockField::Hour, kUp, 1, "10:05:03", kDate},
        StepCase{"01:05:03", kDate, ClockField::Hour, kDown, 3, "00:05:03", kDate},
        StepCase{"10:09:00", kDate, ClockField::Minute, kUp, 1, "10:10:00", kDate},
        StepCase{"10:58:00", kDate, ClockField::Minute, kUp, 3, "10:59:00", kDate},
        StepCase{"10:00:00", kDate, ClockField::Minute, kDown, 1, "10:00:00", kDate},
        StepCase{"10:00:00", "01/10/1998", ClockField::Day, kDown, 1, "10:00:00", "00/10/1998"},
        StepCase{"10:00:00", "30/02/1998", ClockField::Day, kUp, 4, "10:00:00", "31/02/1998"},
        StepCase{"10:00:00", "20/11/1998", ClockField::Month, kUp, 3, "10:00:00", "20/12/1998"},
        StepCase{"10:00:00", "20/01/1998", ClockField::Month, kDown, 2, "10:00:00", "20/00/1998"},
        StepCase{"10:00:00", "20/10/98", ClockField::Year, kUp, 1, "10:00:00", "20/10/1999"},
        StepCase{"10:00:00", "20/10/05", ClockField::Year, kDown, 1, "10:00:00", "20/10/1904"},
        StepCase{"10:00:00", "20/10/1901", ClockField::Year, kDown, 3, "10:00:00", "20/10/1900"},
        StepCase{"10:00:00", "20/10/2098", ClockField::Year, kUp, 3, "10:00:00", "20/10/2099"},
        StepCase{"10:00:00", kDate, ClockField::Year, kDown, 1, "10:00:00", "20/10/1997"},
        StepCase{"10:00:00", kDate, ClockField::None, kUp, 1, "10:00:00", kDate}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.time, info.param.date}); });

struct StepErrorCase {
  const char* time;
  const char* date;
  ClockField field;
  const char* message;
};

class ClockStepError : public ::testing::TestWithParam<StepErrorCase> {};

TEST_P(ClockStepError, ReportsAndKeepsTheText) {
  const StepErrorCase& c = GetParam();
  ClockModel clock;
  clock.Show(c.time, c.date);
  EXPECT_EQ(clock.Step(c.field, kUp), c.message);
  EXPECT_EQ(clock.TimeText(), c.time);
  EXPECT_EQ(clock.DateText(), c.date);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ClockStepError,
    ::testing::Values(
        StepErrorCase{"9:05:03 PM", kDate, ClockField::Hour, "'9:' n'est pas une valeur entière correcte"},
        StepErrorCase{"9:05:03", kDate, ClockField::Minute, "'5:' n'est pas une valeur entière correcte"},
        StepErrorCase{"10:00:00", "3/9/26", ClockField::Day, "'3/' n'est pas une valeur entière correcte"},
        StepErrorCase{"10:00:00", "2026-09-03", ClockField::Year, "'9-03' n'est pas une valeur entière correcte"},
        StepErrorCase{"10:00:00", "", ClockField::Month, "'' n'est pas une valeur entière correcte"},
        StepErrorCase{"", kDate, ClockField::Hour, "'' n'est pas une valeur entière correcte"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.time, info.param.date}); });

TEST(ClockReadInteger, ReadsDigitsWithBlanksAndSign) {
  const std::vector<std::pair<std::string, std::optional<int>>> cases = {
      {"05", 5}, {" 7", 7}, {"1998", 1998}, {"-3", -3}, {"+4", 4}, {"00", 0},
      {"", std::nullopt}, {" ", std::nullopt}, {"9:", std::nullopt}, {"7 ", std::nullopt},
      {"-", std::nullopt}, {"+-1", std::nullopt}, {"1a", std::nullopt}, {"99999999999", std::nullopt}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadClockInteger(text), value) << "'" << text << "'";
}

// Runs each test under a fixed time zone so the conversion to universal time
// can be checked whatever the machine's zone is.
class ClockZone : public ::testing::Test {
 protected:
  void UseZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
  void SetUp() override {
    const char* old = std::getenv("TZ");
    if (old) saved_ = old;
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");  // Paris rules, no zone database needed
  }
  void TearDown() override {
    if (saved_) setenv("TZ", saved_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  static std::int64_t Utc(int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    return timegm(&tm);
  }

  // A fake system clock: records what it was asked and answers `refusal`.
  std::vector<std::int64_t> calls;
  int refusal = 0;
  ClockSetter Setter() {
    return [this](std::int64_t seconds) {
      calls.push_back(seconds);
      return refusal;
    };
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(ClockZone, LocalTimeFollowsDaylightSaving) {
  EXPECT_EQ(LocalToUtc({1998, 10, 20, 10, 30, 0}), Utc(1998, 10, 20, 8, 30, 0));  // summer time
  EXPECT_EQ(LocalToUtc({1998, 12, 20, 10, 30, 0}), Utc(1998, 12, 20, 9, 30, 0));  // winter time
  EXPECT_EQ(LocalToUtc({2000, 2, 29, 0, 0, 0}), Utc(2000, 2, 28, 23, 0, 0));
  UseZone("UTC0");
  EXPECT_EQ(LocalToUtc({1998, 10, 20, 10, 30, 0}), Utc(1998, 10, 20, 10, 30, 0));
}

TEST_F(ClockZone, ImpossibleLocalTimesAreRefused) {
  const std::vector<LocalDateTime> impossible = {
      {1998, 10, 0, 10, 0, 0},  {1998, 0, 20, 10, 0, 0},  {1998, 13, 20, 10, 0, 0},
      {1998, 4, 31, 10, 0, 0},  {1999, 2, 29, 10, 0, 0},  {1998, 10, 20, 24, 0, 0},
      {1998, 10, 20, -1, 0, 0}, {1998, 10, 20, 10, 60, 0}, {1998, 10, 20, 10, 0, 60},
      {1999, 3, 28, 2, 30, 0}};  // skipped when summer time begins
  for (const auto& t : impossible)
    EXPECT_EQ(LocalToUtc(t), std::nullopt) << t.day << "/" << t.month << "/" << t.year << " " << t.hour;
}

TEST_F(ClockZone, SetFreezesThenWritesTheShownLocalTime) {
  ClockModel clock;
  clock.Show("10:30:00", "20/10/1998");
  SetOutcome first = clock.PressSet(Setter());
  EXPECT_TRUE(clock.SetMode());
  EXPECT_FALSE(first.resumeDisplay);
  EXPECT_TRUE(calls.empty());

  SetOutcome second = clock.PressSet(Setter());
  EXPECT_FALSE(clock.SetMode());
  EXPECT_TRUE(second.resumeDisplay);
  EXPECT_EQ(second.message, std::nullopt);
  EXPECT_EQ(calls, std::vector<std::int64_t>{Utc(1998, 10, 20, 8, 30, 0)});
}

TEST_F(ClockZone, TwoDigitYearsCountFrom1900) {
  ClockModel clock;
  clock.Show("10:30:15", "20/12/98");
  clock.PressSet(Setter());
  clock.PressSet(Setter());
  EXPECT_EQ(calls, std::vector<std::int64_t>{Utc(1998, 12, 20, 9, 30, 15)});
}

struct RefusalCase {
  const char* time;
  const char* date;
  int refusal;
  bool reachesSetter;
  const char* message;
};

class ClockRefusal : public ClockZone, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ClockRefusal, SaysTheClockWasNotChanged) {
  const RefusalCase& c = GetParam();
  refusal = c.refusal;
  ClockModel clock;
  clock.Show(c.time, c.date);
  clock.PressSet(Setter());
  const SetOutcome outcome = clock.PressSet(Setter());
  EXPECT_EQ(outcome.message, c.message);
  EXPECT_TRUE(outcome.resumeDisplay);
  EXPECT_FALSE(clock.SetMode());
  EXPECT_EQ(calls.size(), c.reachesSetter ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ClockRefusal,
    ::testing::Values(
        RefusalCase{"10:30:00", kDate, EPERM, true,
                    "L'horloge système n'a pas été modifiée : vous n'avez pas le droit de la régler."},
        RefusalCase{"10:30:00", "20/10/1950", EINVAL, true,
                    "L'horloge système n'a pas été modifiée : le système a refusé la valeur indiquée."},
        RefusalCase{"10:30:00", "00/10/1998", 0, false,
                    "L'horloge système n'a pas été modifiée : la date ou l'heure indiquée n'existe pas."},
        RefusalCase{"24:00:00", kDate, 0, false,
                    "L'horloge système n'a pas été modifiée : la date ou l'heure indiquée n'existe pas."},
        RefusalCase{"10:30:00", "31/11/1998", 0, false,
                    "L'horloge système n'a pas été modifiée : la date ou l'heure indiquée n'existe pas."}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.time, info.param.date}); });

TEST_F(ClockZone, UnreadableDisplayStopsBeforeTheClockAndStaysFrozen) {
  ClockModel clock;
  clock.Show("9:30:00", "20/10/1998");
  clock.PressSet(Setter());
  const SetOutcome outcome = clock.PressSet(Setter());
  EXPECT_EQ(outcome.message, "'9:' n'est pas une valeur entière correcte");
  EXPECT_FALSE(outcome.resumeDisplay);
  EXPECT_FALSE(clock.SetMode());
  EXPECT_TRUE(calls.empty());
}

TEST(ClockShown, ReportsTheFirstUnreadableFieldDateFirst) {
  ClockModel clock;
  clock.Show("x0:00:00", "20/1x/1998");
  std::string error;
  EXPECT_EQ(clock.ShownDateTime(&error), std::nullopt);
  EXPECT_EQ(error, "'1x' n'est pas une valeur entière correcte");
}

}  // namespace
}  // namespace orv
