#include "interp/text.h"

#include <charconv>

#include "common/cp1252.h"
#include "common/decimal.h"

namespace orv {

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string_view Tail(std::string_view s, size_t from) {
  if (from >= s.size()) return {};
  return s.substr(from, kMaxPiece);
}

std::string_view DropTrailing(std::string_view s, char c) {
  if (!s.empty() && s.back() == c) s.remove_suffix(1);
  return s;
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::optional<int32_t> ParseInt32(std::string_view s) {
  if (s.empty()) return std::nullopt;
  bool negative = false;
  size_t i = 0;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    i = 1;
  }
  if (i == s.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return std::nullopt;
    value = value * 10 + (s[i] - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(value);
}

namespace {

// Length of the decimal number at the start of s (0 when there is none).
size_t NumberLength(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
    if (expDigits == 0) return 0;
    i = j;
  }
  return i;
}

}  // namespace

std::optional<long double> ParseDecimal(std::string_view s) {
  if (s.empty() || NumberLength(s) != s.size()) return std::nullopt;
  const bool negative = s[0] == '-';
  if (s[0] == '+' || s[0] == '-') s.remove_prefix(1);
  long double value = 0;
  // Locale-independent, unlike strtold.
  const auto result = ReadDecimal(s.data(), s.data() + s.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small underflows to zero; too large is no number we can hold.
    bool allZero = true;
    for (char c : s) {
      if (c == 'e' || c == 'E') break;
      if (IsDigit(c) && c != '0') allZero = false;
    }
    const size_t e = s.find_first_of("eE");
    if (allZero || (e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-'))
      return negative ? -0.0L : 0.0L;
    return std::nullopt;
  }
  if (result.ec != std::errc() || result.ptr != s.data() + s.size()) return std::nullopt;
  return negative ? -value : value;
}

std::string operator""_cp(const char* text, size_t length) {
  return Utf8ToCp1252(std::string_view(text, length));
}

std::string IntText(int32_t value) {
  char buf[16];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t WrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
int32_t WrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
int32_t WrapDiv(int32_t a, int32_t b) {
  if (b == -1) return WrapSub(0, a);  // INT32_MIN / -1 wraps to itself
  return a / b;
}
int32_t WrapRem(int32_t a, int32_t b) {
  if (b == -1) return 0;
  return a % b;
}

std::string WithDecimalPoint(std::string_view s) {
  std::string text(s);
  const size_t comma = text.find(',');
  if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos ||
      text.find('.') != std::string::npos || ParseDecimal(text))
    return text;
  text[comma] = '.';
  return ParseDecimal(text) ? text : std::string(s);
}

}  // namespace orv
