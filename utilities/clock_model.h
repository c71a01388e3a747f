// The desk clock's editing rules. The clock shows its time as hh:mm:ss and
// its date as dd/mm/yyyy (or dd/mm/yy) and edits them by character position;
// writing converts the shown local date and time to universal time with the
// system's time zone rules and hands it to an injectable clock setter.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orv {

enum class ClockField { None, Hour, Minute, Day, Month, Year };

// Sets the system clock to a count of seconds since 1970-01-01 00:00 UTC.
// Returns 0, or the errno of the refusal.
using ClockSetter = std::function<int(std::int64_t utcSeconds)>;

// The real setter: clock_settime(CLOCK_REALTIME).
int SetSystemClock(std::int64_t utcSeconds);

struct LocalDateTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

// Universal time of a local date and time under the process's time zone
// rules (daylight saving included); nothing for an impossible value (day 00,
// hour 24, 31 April) or a local time skipped by a daylight-saving change.
std::optional<std::int64_t> LocalToUtc(const LocalDateTime& local);

// The integer a field's characters hold, as the clock reads it: optional
// leading blanks and sign, then decimal digits only.
std::optional<int> ReadClockInteger(const std::string& text);

std::string NotAnInteger(const std::string& text);

// The result of the "Set" key: the French message for the error box, if any,
// and whether the display runs again.
struct SetOutcome {
  std::optional<std::string> message;
  bool resumeDisplay = true;
};

class ClockModel {
 public:
  void Show(std::string timeText, std::string dateText);
  const std::string& TimeText() const { return time_; }
  const std::string& DateText() const { return date_; }

  bool SetMode() const { return setMode_; }
  void LeaveSetMode() { setMode_ = false; }

  // One step of the spin control on a field; nothing happens with no field.
  // Returns the error message when the field's characters are not a number.
  std::optional<std::string> Step(ClockField field, bool up);

  // The "Set" key: freezes the display, or writes the shown values.
  SetOutcome PressSet(const ClockSetter& setter);

  // Reads the shown values (two-digit years count from 1900).
  std::optional<LocalDateTime> ShownDateTime(std::string* error) const;

 private:
  std::string time_;
  std::string date_;
  bool setMode_ = false;
};

}  // namespace orv
