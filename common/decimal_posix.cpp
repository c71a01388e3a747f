#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "common/decimal.h"

namespace orv {

std::from_chars_result ReadDecimal(const char* first, const char* last, long double& value) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  const std::string text = DecimalText(first, last);
  if (text.empty()) return {first, std::errc::invalid_argument};
  char* end = nullptr;
  errno = 0;
  const long double read = strtold_l(text.c_str(), &end, c);
  return DecimalRead(first, text, end, read, value);
}

}  // namespace orv
