// A decimal number read into a long double, correctly rounded to its 64-bit
// mantissa and with "." as the separator whatever the locale says. Not
// std::from_chars: libstdc++'s refuses a subnormal result, and MinGW's reads
// only a double's 53 bits (a literal then rounds differently to a six-byte
// real). Each platform has its file; both read the C library's strtold.
#pragma once

#include <charconv>
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

}  // namespace orv
