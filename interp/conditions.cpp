// Conditions of if, while and the closing while of do.
#include <algorithm>
#include <optional>

#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/text.h"

namespace orv {

std::string RightAligned16(std::string_view value, size_t width) {
  if (value.size() >= width) return std::string(value.substr(value.size() - width));
  return std::string(width - value.size(), ' ') + std::string(value);
}

// Numbers compare by value; other texts right-aligned over the longer length,
// byte by byte.
int CompareValues(std::string_view left, std::string_view right) {
  if (const auto a = SmallInteger(left), b = SmallInteger(right); a && b)
    return *a < *b ? -1 : (*a > *b ? 1 : 0);
  // Whatever converts as a number is one: .5, 5. and -.5 as much as 0.5.
  if (const auto a = ParseDecimal(left), b = ParseDecimal(right); a && b)
    return *a < *b ? -1 : (*a > *b ? 1 : 0);
  const size_t width = std::max(left.size(), right.size());
  const std::string a = RightAligned16(left, width), b = RightAligned16(right, width);
  for (size_t i = 0; i < width; ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

bool TForm3::EvalCondition(std::string_view text) {
  ClearLookupFailure();
  const std::optional<std::string_view> inside = ConditionInside(text);
  if (!inside) {
    StopSilently("condition sans parenthèses"_cp);
    return false;
  }
  text = *inside;
  if (const FileEndTest test = ReadFileEndTest(text); test.present) {
    const bool atEnd = FileAtEnd(test.file);
    return RunState > 0 ? false : atEnd != test.negated;
  }
  size_t length = 0;
  const size_t at = FindComparison(text, length);
  if (at == std::string_view::npos) {
    Fail("Expression logique incorrecte");
    return false;
  }
  const std::string_view op = text.substr(at, length);
  std::string left = Trim(text.substr(0, at));
  std::string right = Trim(Tail(text, at + length));
  if (!ScanValue(left) || !ScanValue(right)) return false;
  const int order = CompareValues(left, right);
  if (op == "==") return order == 0;
  if (op == "!=") return order != 0;
  if (op == "<") return order < 0;
  if (op == ">") return order > 0;
  if (op == "<=") return order <= 0;
  return order >= 0;
}

}  // namespace orv
