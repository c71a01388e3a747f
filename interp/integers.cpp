// Integer expressions and the integer built-ins.
#include <algorithm>
#include <cmath>

#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {

bool TForm3::IntExpression(std::string& text) {
  ClearLookupFailure();
  const SplitExpression split = SplitOperator(text);
  const int32_t a = IntOperand(split.left);
  if (RunState > 0) return false;
  const int32_t b = IntOperand(split.right);
  if (RunState > 0) return false;
  int32_t result = a;
  if (split.op == "+") result = WrapAdd(a, b);
  else if (split.op == "-") result = WrapSub(a, b);
  else if (split.op == "*") result = WrapMul(a, b);
  else if (split.op == "/" || split.op == "%") {
    if (b == 0) {
      StopSilently("division par zéro"_cp);
      return false;
    }
    result = split.op == "/" ? WrapDiv(a, b) : WrapRem(a, b);
  }
  text = IntText(result);
  return true;
}

bool TForm3::ArrayElement(std::string_view operand, std::string_view current, char wanted,
                          const char* typeMessage, char& kind, int32_t& slot) {
  const Reference element = SplitReference(current);
  if (!Contains(operand, '[') || !element.indexed) {
    Fail("Erreur dans expression");
    return false;
  }
  std::string name(element.name);
  if (!ChercheEtiq(name, kind, slot)) {
    Fail("Identificateur inconnu");
    return false;
  }
  if (kind != wanted) {
    Fail(typeMessage);
    return false;
  }
  if (!element.closed) {
    Fail("Erreur de syntaxe");
    return false;
  }
  const auto index = Indice(element.index);
  if (!index) return false;
  slot = static_cast<int32_t>(std::clamp<int64_t>(int64_t{slot} + *index, -1, INT32_MAX));
  return CheckSlot(kind, slot);
}

int32_t TForm3::IntOperand(std::string_view operand) {
  operand = TrimView(operand);
  if (operand.empty()) return 0;
  if (BeginsWholeNumber(operand)) {
    if (const auto value = ParseInt32(operand)) return *value;
    Fail("'" + std::string(operand) + "' n'est pas une valeur entière correcte"_cp);
    return 0;
  }
  std::string name(operand);
  char kind = 0;
  int32_t slot = 0;
  if (ChercheEtiq(name, kind, slot)) {
    if (kind != 'I') {
      Fail("Type incorrect");
      return 0;
    }
    return CheckSlot('I', slot) ? IntStore[slot] : 0;
  }
  ClearLookupFailure();

  std::string text(operand);
  // (int)3.7: the cast of a literal is not a method call.
  const size_t dot = text.starts_with("(int)") ? std::string::npos : text.find('.');
  if (dot != std::string::npos) {
    const std::string_view after = Tail(text, dot + 1);
    if (after == "nextInt()") return static_cast<int32_t>(std::nearbyint(NextRandom() * 32757.0));
    if (after == "length()") {
      std::string value = text.substr(0, dot);
      return StringOperand(value) ? static_cast<int32_t>(value.size()) : 0;
    }
    text = std::string(after);
  }
  if (text.starts_with("(")) {
    if (const size_t close = text.find(')'); close != std::string::npos) {
      const std::string cast = text.substr(0, close + 1);
      text = std::string(Tail(text, close + 1));
      if (cast == "(int)") return IntCast(text);
    }
  }
  if (const size_t paren = text.find('('); paren != std::string::npos) {
    bool handled = false;
    const int32_t value = IntBuiltin(std::string_view(text).substr(0, paren),
                                     Tail(text, paren + 1), handled);
    if (handled) return value;
    text = std::string(Tail(text, paren + 1));
  }
  int32_t element = 0;
  if (!ArrayElement(operand, text, 'I', "Erreur de type", kind, element)) return 0;
  return IntStore[element];
}

// (int)v: a number is truncated toward zero; a char or a text gives the code
// of its first character.
int32_t TForm3::IntCast(std::string_view argument) {
  std::string value(argument);
  char kind = 0;
  if (!ScanValueKind(value, kind)) return 0;
  if (value.empty()) {
    Fail("Erreur dans nombre " + std::string(argument));
    return 0;
  }
  if (kind == 'N' || kind == 'I' || kind == 'R') {
    const auto number = ParseDecimal(value);
    if (!number || std::fabs(*number) >= 2147483648.0L) {
      Fail("Erreur dans nombre " + std::string(argument));
      return 0;
    }
    return static_cast<int32_t>(std::trunc(*number));
  }
  return static_cast<unsigned char>(value[0]);
}

int32_t TForm3::IntBuiltin(std::string_view name, std::string_view argument, bool& handled) {
  handled = true;
  const std::string_view inner = DropLast(argument);
  if (name == "abs" || name == "ceil") {
    const std::string_view shown = DropLast(TrimView(argument));
    std::string value(shown);
    const bool scanned = ScanValue(value);
    if (name == "abs") {
      const auto number = scanned ? ParseInt32(value) : std::nullopt;
      if (!number) {
        Fail("erreur dans nombre " + std::string(shown));
        return 0;
      }
      return *number < 0 ? WrapSub(0, *number) : *number;
    }
    const auto number = scanned ? ParseDecimal(value) : std::nullopt;
    const auto real = number ? ToReal48(*number) : std::nullopt;
    const long double up = real ? std::ceil(*real) : 0;
    if (!real || up >= 2147483648.0L || up < -2147483648.0L) {
      Fail("erreur dans nombre " + std::string(shown));
      return 0;
    }
    return static_cast<int32_t>(up);
  }
  if (name == "get") {
    const DateTime now = Outside().Now();
    if (inner == "Calendar.DATE") return now.day;
    if (inner == "Calendar.MONTH") return now.month;
    if (inner == "Calendar.YEAR") return now.year;
    if (inner == "Calendar.HOUR") return now.hour;
    if (inner == "Calendar.MINUTE") return now.minute;
    if (inner == "Calendar.SECOND") return now.second;
    return 0;
  }
  if (name == "STRCHR") {
    const size_t comma = inner.find(',');
    if (comma == std::string_view::npos) {
      Fail("Erreur de syntaxe");
      return 0;
    }
    std::string haystack(inner.substr(0, comma));
    std::string needle(Tail(inner, comma + 1));
    const bool ok = StringOperand(haystack);
    if (!StringOperand(needle) || !ok) return 0;
    if (needle.empty()) return 0;
    const size_t at = haystack.find(needle[0]);
    return at == std::string::npos ? 0 : static_cast<int32_t>(at + 1);
  }
  handled = false;
  return 0;
}

// splitmix64: small, fast, and the same sequence from the same seed.
double TForm3::NextRandom() {
  uint64_t z = (randomState_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * 0x1.0p-53;
}

}  // namespace orv
