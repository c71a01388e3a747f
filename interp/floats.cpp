// Floating-point expressions: 6-byte reals computed in extended precision.
#include <cmath>

#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {

bool TForm3::FloatExpression(std::string& text) {
  ClearLookupFailure();
  const SplitExpression split = SplitOperator(text);
  const long double a = FloatOperand(split.left);
  if (RunState > 0) return false;
  const long double b = FloatOperand(split.right);
  if (RunState > 0) return false;
  long double result = a;
  if (split.op == "+") result = a + b;
  else if (split.op == "-") result = a - b;
  else if (split.op == "*") result = a * b;
  else if (split.op == "/" || split.op == "%") {
    if (b == 0) {
      StopSilently("division par zéro"_cp);
      return false;
    }
    result = split.op == "/" ? a / b : std::fmod(a, b);  // fmod keeps the sign of a
  }
  const auto rounded = ToReal48(result);
  if (!rounded) {
    StopSilently("débordement flottant"_cp);
    return false;
  }
  text = FloatText(*rounded);
  return true;
}

long double TForm3::FloatOperand(std::string_view operand) {
  operand = TrimView(operand);
  if (operand.empty()) return 0;
  if (BeginsNumber(operand)) {
    const FloatLiteral literal = ReadFloatLiteral(operand);
    switch (literal.status) {
      case FloatLiteral::Status::Ok: return literal.value;
      case FloatLiteral::Status::NoMark: Fail("Manque f dans nombre float"); break;
      case FloatLiteral::Status::NotANumber:
        Fail("'" + std::string(literal.digits) + "' n'est pas une valeur flottante correcte");
        break;
      case FloatLiteral::Status::OutOfRange: Fail("Nombre hors limites"); break;
    }
    return 0;
  }
  std::string name(operand);
  char kind = 0;
  int32_t slot = 0;
  if (ChercheEtiq(name, kind, slot)) {
    if (kind != 'R') {
      Fail("Type incorrect");
      return 0;
    }
    return CheckSlot('R', slot) ? RealStore[slot] : 0;
  }
  ClearLookupFailure();

  std::string text(operand);
  if (text.starts_with("(")) {
    if (const size_t close = text.find(')'); close != std::string::npos) {
      const std::string cast = text.substr(0, close + 1);
      text = std::string(Tail(text, close + 1));
      if (cast == "(double)" || cast == "(float)") {
        std::string value = text;
        if (!ScanValue(value)) return 0;
        const auto number = ParseDecimal(value);
        const auto real = number ? ToReal48(*number) : std::nullopt;
        if (!real) {
          Fail("'" + value + "' n'est pas une valeur flottante correcte");
          return 0;
        }
        return *real;
      }
    }
  }
  if (const size_t paren = text.find('('); paren != std::string::npos) {
    bool handled = false;
    const long double value =
        MathFunction(std::string_view(text).substr(0, paren), Tail(text, paren + 1), handled);
    if (handled) return value;
    text = std::string(Tail(text, paren + 1));
  }
  int32_t element = 0;
  if (!ArrayElement(operand, text, 'R', "Erreur de type", kind, element)) return 0;
  return RealStore[element];
}

long double TForm3::MathFunction(std::string_view name, std::string_view argument, bool& handled) {
  static constexpr std::string_view kNames[] = {"Math.abs", "Math.sqrt", "Math.sin",
                                                "Math.cos", "Math.log",  "Math.exp"};
  handled = false;
  int function = -1;
  for (int i = 0; i < 6; ++i)
    if (name == kNames[i]) function = i;
  if (function < 0) return 0;
  handled = true;
  const std::string shown(DropLast(TrimView(argument)));
  std::string value = shown;
  const bool scanned = ScanValue(value);
  const auto number = scanned ? ParseDecimal(value) : std::nullopt;
  const auto x = number ? ToReal48(*number) : std::nullopt;
  std::optional<long double> result;
  if (x) {
    const long double v = *x;
    const bool hugeAngle = std::fabs(v) >= 0x1p63L;  // beyond the FPU's reduction range
    switch (function) {
      case 0: result = std::fabs(v); break;
      case 1: if (v >= 0) result = std::sqrt(v); break;
      case 2: result = hugeAngle ? 0.0L : std::sin(v); break;
      case 3: result = hugeAngle ? 0.0L : std::cos(v); break;
      case 4: if (v > 0) result = std::log(v); break;
      case 5: result = std::exp(v); break;
    }
  }
  const auto rounded = result ? ToReal48(*result) : std::nullopt;
  if (!rounded) {
    Fail("erreur dans nombre " + shown);
    return 0;
  }
  return *rounded;
}

}  // namespace orv
