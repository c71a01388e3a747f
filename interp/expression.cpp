// The lexical reading of a line's text: numbers, names, name[index], the
// operators of an expression, of a condition and of a for header. The text
// evaluator and the line compiler both read through these functions, so
// that they cut a text at the same places; what each then does with the
// pieces (a message, or a refusal to compile) stays with it.
#include "interp/expression.h"

#include <algorithm>
#include <vector>

#include "interp/real48.h"
#include "interp/text.h"

namespace orv {

// --- numbers -------------------------------------------------------------------

bool IsNumberText(std::string_view text) { return std::all_of(text.begin(), text.end(), IsNumberCharacter); }

FloatLiteral ReadFloatLiteral(std::string_view operand) {
  FloatLiteral literal;
  if (operand.empty() || operand.back() != 'f') return literal;
  literal.digits = DropLast(operand);
  const auto value = ParseDecimal(literal.digits);
  if (!value) {
    literal.status = FloatLiteral::Status::NotANumber;
    return literal;
  }
  const auto real = ToReal48(*value);
  if (!real) {
    literal.status = FloatLiteral::Status::OutOfRange;
    return literal;
  }
  literal.status = FloatLiteral::Status::Ok;
  literal.value = *real;
  return literal;
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

// --- literals ------------------------------------------------------------------

std::optional<std::string> QuotedText(std::string_view literal, bool reduceFirstPair) {
  std::string rest(Tail(literal, 1));
  if (reduceFirstPair)
    if (const size_t pair = rest.find("\"\""); pair != std::string::npos) rest.erase(pair, 1);
  if (rest.empty() || rest.back() != '"') return std::nullopt;
  rest.pop_back();
  return rest;
}

// --- names ---------------------------------------------------------------------

bool BeginsWithNew(std::string_view expression) {
  if (!expression.starts_with("new")) return false;
  return expression.size() == 3 || !IsNameCharacter(expression[3]);
}

IndexText ReadIndex(std::string_view indexText) {
  IndexText index;
  index.name = LookupName(TrimView(indexText));
  index.number = ParseInt32(index.name);
  return index;
}

std::optional<MethodCall> SplitMethod(std::string_view term) {
  const size_t dot = term.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return MethodCall{TrimView(term.substr(0, dot)), TrimView(Tail(term, dot + 1))};
}

// --- operators -----------------------------------------------------------------

SplitExpression SplitOperator(std::string_view text) {
  text = TrimView(text);
  bool outside = true;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') outside = false;
    else if (c == ')') outside = true;
    else if (outside && (c == '-' || c == '+' || c == '*' || c == '/'))
      return {TrimView(text.substr(0, i)), text.substr(i, 1), TrimView(Tail(text, i + 1))};
  }
  if (const size_t percent = text.find('%'); percent != std::string_view::npos)
    return {TrimView(text.substr(0, percent)), text.substr(percent, 1),
            TrimView(Tail(text, percent + 1))};
  return {text, {}, {}};
}

// "<=", ">=", "!=", "==" anywhere, else the first "<" or ">" outside string
// literals.
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

std::optional<std::string_view> ConditionInside(std::string_view condition) {
  if (condition.empty() || condition.front() != '(') return std::nullopt;
  condition.remove_prefix(1);
  if (condition.empty() || condition.back() != ')') return std::nullopt;
  condition.remove_suffix(1);
  return condition;
}

namespace {

// `text` begins with `prefix`, letters compared without their case (ASCII).
bool BeginsWithUpper(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

FileEndTest ReadFileEndTest(std::string_view inside) {
  FileEndTest test;
  if (BeginsWithUpper(inside, "!FEOF(") || BeginsWithUpper(inside, "!=FEOF(")) {
    test.present = test.negated = true;
    test.file = Tail(inside, inside.find('(') + 1);
  } else if (BeginsWithUpper(inside, "FEOF(")) {
    test.present = true;
    test.file = Tail(inside, 5);
  }
  return test;
}

// --- for headers ---------------------------------------------------------------

std::optional<ForHeader> SplitForHeader(std::string_view header) {
  constexpr size_t npos = std::string_view::npos;
  const size_t equals = header.find('=');
  if (equals == npos) return std::nullopt;
  ForHeader parts;
  parts.var = TrimView(header.substr(0, equals));
  const std::string_view rest = Tail(header, equals + 1);
  const size_t first = rest.find(';');
  const size_t second = first == npos ? first : rest.find(';', first + 1);
  parts.initial = TrimView(rest.substr(0, first));
  if (first != npos) parts.condition = TrimView(rest.substr(first + 1, second - first - 1));
  if (second != npos) parts.increment = TrimView(Tail(rest, second + 1));
  return parts;
}

ForCondition ReadForCondition(std::string_view condition, std::string_view var) {
  condition = TrimView(condition.substr(std::min(var.size(), condition.size())));
  ForCondition read;
  if (condition.starts_with("<=") || condition.starts_with(">=")) read.op = condition.substr(0, 2);
  else if (condition.starts_with("<") || condition.starts_with(">")) read.op = condition.substr(0, 1);
  else return read;
  read.limit = TrimView(condition.substr(read.op.size()));
  return read;
}

namespace {

// The increment of a for header as words and operators. Blanks separate
// tokens but never join one: "i + +" is "i", "+", "+", not "i++".
std::vector<std::string> StepTokens(std::string_view text) {
  std::vector<std::string> tokens;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (IsBlank(c)) {
      ++i;
    } else if (c == '+' || c == '-') {
      const char next = i + 1 < text.size() ? text[i + 1] : '\0';
      const size_t length = next == c || next == '=' ? 2 : 1;
      tokens.emplace_back(text.substr(i, length));
      i += length;
    } else if (c == '=') {
      tokens.emplace_back("=");
      ++i;
    } else {
      const size_t end = text.find_first_of("+-= \t", i);
      tokens.emplace_back(text.substr(i, end - i));
      i = end == std::string_view::npos ? text.size() : end;
    }
  }
  return tokens;
}

}  // namespace

// ++ and -- (either side), += k, -= k, = i + k and = i - k with k an integer
// literal or an int variable.
std::optional<StepForm> ForStepForm(std::string_view increment, std::string_view var) {
  const std::vector<std::string> t = StepTokens(increment);
  const auto is = [&](size_t i, std::string_view what) { return i < t.size() && t[i] == what; };
  if (t.size() == 2 && ((is(0, var) && is(1, "++")) || (is(0, "++") && is(1, var)))) return StepForm{1, "1"};
  if (t.size() == 2 && ((is(0, var) && is(1, "--")) || (is(0, "--") && is(1, var)))) return StepForm{-1, "1"};
  int sign = 0;
  size_t first = 0;  // the first token of the amount
  if (is(0, var) && (is(1, "+=") || is(1, "-="))) sign = t[1] == "+=" ? 1 : -1, first = 2;
  else if (is(0, var) && is(1, "=") && is(2, var) && (is(3, "+") || is(3, "-")))
    sign = t[3] == "+" ? 1 : -1, first = 4;
  if (sign == 0) return std::nullopt;
  // The amount: a name or a number, the number with its own sign.
  if (first + 2 == t.size() && (is(first, "+") || is(first, "-"))) return StepForm{sign, t[first] + t[first + 1]};
  if (first + 1 == t.size()) return StepForm{sign, t[first]};
  return std::nullopt;
}

}  // namespace orv
