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

// A whole number of at most 18 digits, the common case, read without the
// general decimal conversion.
std::optional<int64_t> SmallInteger(std::string_view s) {
  size_t i = s.empty() || (s[0] != '-' && s[0] != '+') ? 0 : 1;
  if (i == s.size() || s.size() - i > 18) return std::nullopt;
  int64_t value = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return std::nullopt;
    value = value * 10 + (s[i] - '0');
  }
  return s[0] == '-' ? -value : value;
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

// The comparison operator: "<=", ">=", "!=", "==" anywhere, else the first
// "<" or ">" outside string literals.
size_t FindComparison(std::string_view text, size_t& length) {
  for (std::string_view op : {"<=", ">=", "!=", "=="}) {
    if (const size_t at = text.find(op); at != std::string_view::npos) {
      length = 2;
      return at;
    }
  }
  bool inLiteral = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') inLiteral = !inLiteral;
    else if (!inLiteral && (text[i] == '<' || text[i] == '>')) {
      length = 1;
      return i;
    }
  }
  return std::string_view::npos;
}

bool TForm3::EvalCondition(std::string_view text) {
  ClearLookupFailure();
  bool enclosed = true;
  if (!text.empty() && text.front() == '(') text.remove_prefix(1);
  else enclosed = false;
  if (!text.empty() && text.back() == ')') text.remove_suffix(1);
  else enclosed = false;
  if (!enclosed) {
    StopSilently("condition sans parenthèses"_cp);
    return false;
  }
  const std::string upper = UpperAscii(text);
  if (upper.starts_with("!FEOF(") || upper.starts_with("!=FEOF(")) {
    const bool atEnd = FileAtEnd(Tail(text, text.find('(') + 1));
    return RunState > 0 ? false : !atEnd;
  }
  if (upper.starts_with("FEOF(")) {
    const bool atEnd = FileAtEnd(Tail(text, 5));
    return RunState > 0 ? false : atEnd;
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
