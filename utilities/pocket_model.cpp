#include "utilities/pocket_model.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "common/decimal.h"

namespace orv {

namespace {

constexpr const char* kNotFloat = " n'est pas une valeur flottante correcte";
constexpr const char* kZeroDivide = "Division flottante par zéro";
constexpr const char* kInvalidOperation = "Opération flottante incorrecte";
constexpr const char* kOverflow = "Débordement flottant";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view s, size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Checks the syntax and rewrites the text with '.' so that the C library can
// convert it whatever the process locale says.
std::optional<std::string> NormalisedNumber(std::string_view s, std::string_view sep) {
  std::string out;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
  size_t end = SkipDigits(s, i);
  size_t digits = end - i;
  out.append(s.substr(i, end - i));
  i = end;
  if (!sep.empty() && s.substr(i, sep.size()) == sep) {
    i += sep.size();
    end = SkipDigits(s, i);
    digits += end - i;
    out += '.';
    out.append(s.substr(i, end - i));
    i = end;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    out += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
    end = SkipDigits(s, i);
    if (end == i) return std::nullopt;
    out.append(s.substr(i, end - i));
    i = end;
  }
  if (i != s.size()) return std::nullopt;
  return out;
}


std::string NotFloat(const std::string& text) { return "'" + text + "'" + kNotFloat; }

// The outcome of one arithmetic step, or the message of its floating fault.
struct Outcome {
  long double value = 0;
  const char* fault = nullptr;
};

Outcome Checked(long double r) {
  if (std::isnan(r)) return {0, kInvalidOperation};
  if (std::isinf(r)) return {0, kOverflow};
  return {r, nullptr};
}

Outcome Apply(char op, long double a, long double b) {
  switch (op) {
    case '+': return Checked(a + b);
    case '-': return Checked(a - b);
    case '*': return Checked(a * b);
    case '/':
      if (b == 0) return {0, a == 0 ? kInvalidOperation : kZeroDivide};
      return Checked(a / b);
    default: return {a, nullptr};
  }
}

}  // namespace

PocketKey DigitKey(int digit) {
  return static_cast<PocketKey>(static_cast<int>(PocketKey::Digit0) + digit);
}

std::optional<PocketKey> PocketKeyForChar(char32_t c) {
  if (c >= U'0' && c <= U'9') return DigitKey(static_cast<int>(c - U'0'));
  switch (c) {
    case U',': case U'.': return PocketKey::Comma;
    case U'+': return PocketKey::Plus;
    case U'-': return PocketKey::Minus;
    case U'*': return PocketKey::Times;
    case U'/': return PocketKey::Divide;
    case U'=': return PocketKey::Equals;
    case U'C': case U'c': return PocketKey::Clear;
    case U'S': case U's': return PocketKey::SquareRoot;
    case U'X': case U'x': return PocketKey::Reciprocal;
    default: return std::nullopt;
  }
}

std::optional<long double> ReadPocketNumber(std::string_view text,
                                            std::string_view decimalSeparator) {
  const auto normalised = NormalisedNumber(TrimBlanks(text), decimalSeparator);
  if (!normalised) return std::nullopt;
  // from_chars takes no "+" sign.
  std::string_view number = *normalised;
  if (number.starts_with('+')) number.remove_prefix(1);
  long double v = 0;
  const auto read = ReadDecimal(number.data(), number.data() + number.size(), v);
  // Too small is zero; too large is no number.
  if (read.ec == std::errc::result_out_of_range) {
    if (number.find("e-") == std::string_view::npos) return std::nullopt;
    return number.starts_with('-') ? -0.0L : 0.0L;
  }
  if (read.ec != std::errc() || read.ptr != number.data() + number.size()) return std::nullopt;
  return v;
}

std::string PocketGeneralFormat(long double value, std::string_view decimalSeparator) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
  // sci is [-]d.dddddddddddddde[+-]xx
  const bool negative = sci.front() == '-';
  const size_t ePos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, ePos))
    if (IsDigit(c)) digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                  exponent);

  std::string out = negative ? "-" : "";
  if (exponent >= -4 && exponent < 15) {
    if (exponent < 0) {
      out += "0";
      out += decimalSeparator;
      out.append(static_cast<size_t>(-exponent - 1), '0');
      out += digits;
      return out;
    }
    const size_t intLength = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intLength) {
      out += digits;
      out.append(intLength - digits.size(), '0');
      return out;
    }
    out += digits.substr(0, intLength);
    out += decimalSeparator;
    out += digits.substr(intLength);
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += 'E';
  out += std::to_string(exponent);
  return out;
}

PocketModel::PocketModel(std::string decimalSeparator) : separator_(std::move(decimalSeparator)) {}

void PocketModel::Clear() {
  display_.clear();
  accumulator_ = 0;
  operand_ = 0;
  hasAccumulator_ = false;
  pendingOp_ = 0;
}

std::optional<std::string> PocketModel::Press(PocketKey key) {
  switch (key) {
    case PocketKey::Comma: display_ += separator_; return std::nullopt;
    case PocketKey::Equals: return Evaluate();
    case PocketKey::Plus: return Operator('+');
    case PocketKey::Minus: return Operator('-');
    case PocketKey::Times: return Operator('*');
    case PocketKey::Divide: return Operator('/');
    case PocketKey::Reciprocal:
    case PocketKey::SquareRoot: return Unary(key);
    case PocketKey::Clear: Clear(); return std::nullopt;
    default:
      AppendDigit(static_cast<char>('0' + static_cast<int>(key)));
      return std::nullopt;
  }
}

void PocketModel::AppendDigit(char digit) {
  if (newEntry_) display_.clear();
  display_ += digit;
  newEntry_ = false;
}

std::optional<std::string> PocketModel::ReadOperand() {
  const auto v = ReadPocketNumber(display_, separator_);
  if (!v) return NotFloat(display_);
  operand_ = *v;
  return std::nullopt;
}

std::optional<std::string> PocketModel::Evaluate() {
  if (!hasAccumulator_) {
    // The first number of a computation: an unreadable display is dropped
    // without a message.
    const auto v = ReadPocketNumber(display_, separator_);
    if (!v) {
      display_.clear();
      return std::nullopt;
    }
    accumulator_ = *v;
    hasAccumulator_ = true;
    newEntry_ = true;
    return std::nullopt;
  }
  if (auto error = ReadOperand()) return error;
  const Outcome r = Apply(pendingOp_, accumulator_, operand_);
  if (r.fault) return r.fault;
  accumulator_ = r.value;
  // The whole result is shown so that the next operand read from the display
  // is the value the user sees.
  display_ = PocketGeneralFormat(accumulator_, separator_);
  newEntry_ = true;
  return std::nullopt;
}

std::optional<std::string> PocketModel::Operator(char op) {
  auto error = Evaluate();
  if (!error) pendingOp_ = op;
  return error;
}

std::optional<std::string> PocketModel::Unary(PocketKey key) {
  if (auto error = ReadOperand()) return error;
  Outcome r;
  if (key == PocketKey::Reciprocal)
    r = Apply('/', 1, operand_);
  else
    r = operand_ < 0 ? Outcome{0, kInvalidOperation} : Outcome{std::sqrt(operand_), nullptr};
  if (r.fault) return r.fault;
  display_ = PocketGeneralFormat(r.value, separator_);
  accumulator_ = r.value;
  hasAccumulator_ = true;
  newEntry_ = true;
  return std::nullopt;
}

}  // namespace orv
