// A decimal number read into a long double, correctly rounded to its 64-bit
// mantissa and with "." as the separator whatever the locale says. Not
// std::from_chars: libstdc++'s refuses a subnormal result, and MinGW's reads
// only a double's 53 bits (a literal then rounds differently to a six-byte
// real). Each platform has its file; both read the C library's strtold.
#pragma once

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace orv {

// As std::from_chars in the general format: the value, or
// errc::invalid_argument, or errc::result_out_of_range when it is beyond a
// long double or below its smallest subnormal (value unchanged).
std::from_chars_result ReadDecimal(const char* first, const char* last, long double& value);

// What strtold is shown of a text: a decimal number's characters only (no
// hexadecimal, "inf", blank or leading "+"), empty when it does not begin
// with a digit or a point after an optional "-".
inline std::string DecimalText(const char* first, const char* last) {
  const char* p = first < last && *first == '-' ? first + 1 : first;
  if (p == last || !(*p == '.' || (*p >= '0' && *p <= '9'))) return {};
  while (p < last && std::strchr("0123456789.eE+-", *p)) ++p;
  return std::string(first, p);
}

// strtold's reading of DecimalText `text` (copied from `first`), stopped at
// `end` with errno as it left it, told as ReadDecimal tells it.
inline std::from_chars_result DecimalRead(const char* first, const std::string& text, const char* end,
                                          long double read, long double& value) {
  const char* stop = first + (end - text.c_str());
  if (stop == first) return {first, std::errc::invalid_argument};
  if (errno == ERANGE && (read == 0 || std::isinf(read))) return {stop, std::errc::result_out_of_range};
  value = read;
  return {stop, std::errc()};
}

}  // namespace orv
