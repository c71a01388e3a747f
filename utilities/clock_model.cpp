#include "utilities/clock_model.h"

#include "common/local_time.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>

#include "utilities/calendar_model.h"

namespace orv {

namespace {

constexpr const char* kClockUnchanged = "L'horloge système n'a pas été modifiée : ";

// Where each field stands, counted from 0, and its upper bound.
struct FieldPlace {
  bool inTime;
  size_t position;
  size_t length;
  int upper;
};

FieldPlace PlaceOf(ClockField field) {
  switch (field) {
    case ClockField::Hour: return {true, 0, 2, 24};
    case ClockField::Minute: return {true, 3, 2, 59};
    case ClockField::Day: return {false, 0, 2, 31};
    case ClockField::Month: return {false, 3, 2, 12};
    default: return {false, 6, 4, 2099};
  }
}

// The characters of a field; fewer, or none, when the text is shorter.
std::string Characters(const std::string& text, size_t position, size_t length) {
  return position < text.size() ? text.substr(position, length) : std::string();
}

int FullYear(int year) { return year < 100 ? year + 1900 : year; }

// Right-aligned in the width, a leading blank written as '0' (5 -> "05").
std::string Padded(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%*d", width, value);
  if (buf[0] == ' ') buf[0] = '0';
  return buf;
}

int NewValue(ClockField field, int v, bool up) {
  if (field == ClockField::Year) {
    const int y = FullYear(v);
    return up ? std::min(y + 1, 2099) : std::max(y - 1, 1900);
  }
  return up ? std::min(v + 1, PlaceOf(field).upper) : std::max(v - 1, 0);
}

// Reads one field for the write; records the message of the first failure.
int ReadField(const std::string& text, size_t position, size_t length, std::string* error) {
  if (!error->empty()) return 0;
  const std::string chars = Characters(text, position, length);
  const auto v = ReadClockInteger(chars);
  if (!v) *error = NotAnInteger(chars);
  return v.value_or(0);
}

std::string RefusalMessage(int errorNumber) {
  if (errorNumber == EPERM || errorNumber == EACCES)
    return std::string(kClockUnchanged) + "vous n'avez pas le droit de la régler.";
  return std::string(kClockUnchanged) + "le système a refusé la valeur indiquée.";
}

}  // namespace

int SetSystemClock(std::int64_t utcSeconds) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(utcSeconds);
  return clock_settime(CLOCK_REALTIME, &ts) == 0 ? 0 : errno;
}

std::optional<std::int64_t> LocalToUtc(const LocalDateTime& local) {
  if (local.month < 1 || local.month > 12 || local.day < 1 ||
      local.day > DaysInMonth(local.year, local.month) || local.hour < 0 || local.hour > 23 ||
      local.minute < 0 || local.minute > 59 || local.second < 0 || local.second > 59)
    return std::nullopt;
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;  // let the zone rules decide whether summer time applies
  const time_t utc = std::mktime(&tm);
  // mktime moves a time inside a daylight-saving gap; such a time does not
  // exist on the local clock.
  std::tm back{};
  if (!ToLocalTime(utc, back) || back.tm_year != local.year - 1900 ||
      back.tm_mon != local.month - 1 || back.tm_mday != local.day ||
      back.tm_hour != local.hour || back.tm_min != local.minute || back.tm_sec != local.second)
    return std::nullopt;
  return static_cast<std::int64_t>(utc);
}

std::optional<int> ReadClockInteger(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  if (first == last || *first < '0' || *first > '9') return std::nullopt;
  int value = 0;
  const auto res = std::from_chars(first, last, value);
  if (res.ec != std::errc() || res.ptr != last) return std::nullopt;
  return negative ? -value : value;
}

std::string NotAnInteger(const std::string& text) {
  return "'" + text + "' n'est pas une valeur entière correcte";
}

void ClockModel::Show(std::string timeText, std::string dateText) {
  time_ = std::move(timeText);
  date_ = std::move(dateText);
}

std::optional<std::string> ClockModel::Step(ClockField field, bool up) {
  if (field == ClockField::None) return std::nullopt;
  const FieldPlace place = PlaceOf(field);
  std::string& text = place.inTime ? time_ : date_;
  const std::string chars = Characters(text, place.position, place.length);
  const auto v = ReadClockInteger(chars);
  if (!v) return NotAnInteger(chars);
  // Only digits, blanks and a sign were read, so the replaced bytes are
  // whole characters whatever the text's encoding.
  const size_t at = std::min(place.position, text.size());
  text.replace(at, chars.size(), Padded(NewValue(field, *v, up), field == ClockField::Year ? 4 : 2));
  return std::nullopt;
}

std::optional<LocalDateTime> ClockModel::ShownDateTime(std::string* error) const {
  std::string failure;
  LocalDateTime t;
  t.year = FullYear(ReadField(date_, 6, 4, &failure));
  t.month = ReadField(date_, 3, 2, &failure);
  t.day = ReadField(date_, 0, 2, &failure);
  t.hour = ReadField(time_, 0, 2, &failure);
  t.minute = ReadField(time_, 3, 2, &failure);
  t.second = ReadField(time_, 6, 2, &failure);
  if (!failure.empty()) {
    if (error) *error = failure;
    return std::nullopt;
  }
  return t;
}

SetOutcome ClockModel::PressSet(const ClockSetter& setter) {
  setMode_ = !setMode_;
  if (setMode_) return {std::nullopt, false};
  std::string error;
  const auto shown = ShownDateTime(&error);
  // An unreadable display stops before the clock is touched and stays frozen.
  if (!shown) return {error, false};
  const auto utc = LocalToUtc(*shown);
  if (!utc) return {std::string(kClockUnchanged) + "la date ou l'heure indiquée n'existe pas.", true};
  if (const int refusal = setter ? setter(*utc) : EPERM) return {RefusalMessage(refusal), true};
  return {std::nullopt, true};
}

}  // namespace orv
