// MinGW's strtold rounds to the full 64 bits but reads the separator of the
// C library's locale: the "." is given to it as that separator.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/decimal.h"

namespace orv {

std::from_chars_result ReadDecimal(const char* first, const char* last, long double& value) {
  std::string text = DecimalText(first, last);
  if (text.empty()) return {first, std::errc::invalid_argument};
  // Windows's separators are one character: the positions stay the same.
  const char* separator = std::localeconv()->decimal_point;
  if (const size_t dot = text.find('.'); dot != std::string::npos && separator && std::strlen(separator) == 1)
    text[dot] = *separator;
  char* end = nullptr;
  errno = 0;
  const long double read = __mingw_strtold(text.c_str(), &end);
  return DecimalRead(first, text, end, read, value);
}

}  // namespace orv
