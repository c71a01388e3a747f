// Values as text: the value scanner, string operands and string expressions.
#include <algorithm>

#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {

bool TForm3::ResolveReference(std::string_view text, std::string& name, int64_t& offset,
                              std::string& indexText, bool& isArray) {
  offset = 0;
  const Reference reference = SplitReference(text);
  isArray = reference.indexed;
  name = reference.name;
  if (!isArray) return true;
  if (!reference.closed) {
    Fail("Erreur de syntaxe");
    return false;
  }
  indexText = reference.index;
  const auto index = Indice(indexText);
  if (!index) return false;
  offset = *index;
  return true;
}

// A double-quoted literal becomes its text. The value scanner reduces the
// first doubled quote inside it to one; string operands keep them all.
bool TForm3::StringLiteral(std::string& text, bool reduceFirstPair) {
  std::optional<std::string> value = QuotedText(text, reduceFirstPair);
  if (!value) {
    Fail("chaine sans fin");
    return false;
  }
  text = std::move(*value);
  return true;
}

bool TForm3::ScanValue(std::string& text) {
  char kind = 0;
  return ScanValueKind(text, kind);
}

// ScanValue that also tells what the value came from: 'N' a number literal,
// 'T' a char or string literal, otherwise the variable's kind.
bool TForm3::ScanValueKind(std::string& text, char& kind) {
  if (text.empty() || (text[0] == '\'' && text.size() < 2)) {
    Fail("Expression vide");
    return false;
  }
  const char first = text[0];
  if (first == '\'') {
    kind = 'T';
    text = text.substr(1, 1);
    return true;
  }
  if (first == '"') {
    kind = 'T';
    return StringLiteral(text, true);
  }
  if (BeginsNumber(text)) {
    kind = 'N';
    bool ok = true;
    for (char c : text)
      if (!IsNumberCharacter(c)) {  // one message for each
        Fail("Expression incorrecte");
        ok = false;
      }
    return ok;
  }
  std::string name, indexText;
  int64_t offset = 0;
  int32_t slot = 0;
  bool isArray = false;
  if (!ResolveReference(text, name, offset, indexText, isArray)) return false;
  if (!ChercheEtiq(name, kind, slot)) {
    Fail("Identificateur " + name + " inconnu");
    return false;
  }
  long double real = 0;
  int32_t integer = 0;
  std::string value;
  if (!LitValeur(int64_t{slot} + offset, kind, real, integer, value)) return false;
  switch (kind) {
    case 'C': case 'S': text = std::move(value); break;
    case 'I': text = IntText(integer); break;
    case 'R': text = FloatText(real); break;
    default:
      if (isArray) text = indexText;  // files, labels, procedures: the text stays
      break;
  }
  return true;
}

bool TForm3::StringOperand(std::string& text) {
  if (text.empty() || (text[0] == '\'' && text.size() < 2)) {
    Fail("Expression vide");
    return false;
  }
  if (text[0] == '\'') {
    text = text.substr(1, 1);
    return true;
  }
  if (text[0] == '"') return StringLiteral(text, false);
  std::string name, indexText;
  int64_t offset = 0;
  int32_t slot = 0;
  bool isArray = false;
  char kind = 0;
  if (!ResolveReference(text, name, offset, indexText, isArray)) return false;
  if (!ChercheEtiq(name, kind, slot)) {
    Fail("Variable " + name + " n'existe pas");
    return false;
  }
  if (kind != 'S') {
    Fail("ce n'est pas un string");
    return false;
  }
  long double real = 0;
  int32_t integer = 0;
  return LitValeur(int64_t{slot} + offset, kind, real, integer, text);
}

bool TForm3::StringTerm(std::string text, std::string& result) {
  result.clear();
  std::string t = Trim(text);
  if (t.size() >= 2 && t[0] == '\'') {
    result = t.substr(1, 1);
    return true;
  }
  if (t.empty() || t[0] == '"' || !HasAccess(t)) {
    result = std::move(t);
    return StringOperand(result);
  }
  if (const std::optional<MethodCall> call = SplitMethod(t)) {
    std::string object(call->object);
    const std::string method(call->method);
    if (method == "toUpperCase()" || method == "toLowerCase()") {
      if (!StringOperand(object)) return false;
      result = method == "toUpperCase()" ? UpperAscii(object) : LowerAscii(object);
      return true;
    }
    if (method.starts_with("substring")) {
      result = object + "," + std::string(Tail(method, 10));
      return TakeSubstring(result);
    }
    t = std::move(object);
  }
  if (const size_t paren = t.find('('); paren != std::string::npos) {
    const std::string_view function = std::string_view(t).substr(0, paren);
    const std::string argument(Tail(t, paren + 1));
    const bool date = function == "DATESTRING", time = function == "TIMESTRING";
    if (date || time) {
      if (UpperAscii(DropLast(argument)) != (date ? "CURRENTDATE()" : "CURRENTTIME()")) {
        Fail("Variable data/heure incorrecte");
        return false;
      }
      const DateTime now = Outside().Now();
      result = date ? Outside().ShortDate(now) : Outside().TimeText(now);
      return true;
    }
    t = argument;
  }
  if (const Reference element = SplitReference(t); element.indexed) {
    std::string name(element.name);
    char kind = 0;
    int32_t slot = 0;
    if (!ChercheEtiq(name, kind, slot)) {
      Fail("Identificateur inconnu");
      return false;
    }
    if (kind != 'S') {
      Fail("erreur de type");
      return false;
    }
    if (!element.closed) {
      Fail("Erreur de syntaxe");
      return false;
    }
    const auto index = Indice(element.index);
    if (!index) return false;
    long double real = 0;
    int32_t integer = 0;
    return LitValeur(int64_t{slot} + *index, kind, real, integer, result);
  }
  return true;  // an unknown method or function gives the empty text
}

bool TForm3::TakeSubstring(std::string& text) {
  const std::string_view t = DropLast(text);
  const size_t comma = t.find(',');
  std::string object(t.substr(0, comma));
  const std::string_view arguments = comma == std::string_view::npos ? std::string_view() : Tail(t, comma + 1);
  int32_t start = 0, end = 0;
  if (const size_t second = arguments.find(','); second != std::string_view::npos) {
    std::string bounds[2] = {std::string(arguments.substr(0, second)),
                             std::string(Tail(arguments, second + 1))};
    int32_t values[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
      if (!ScanValue(bounds[i])) return false;
      const auto value = ParseInt32(TrimView(bounds[i]));
      if (!value) {
        Fail("Erreur dans expression");
        return false;
      }
      values[i] = *value;
    }
    start = values[0];
    end = values[1];
  }
  if (!StringOperand(object)) return false;
  if (end <= start) {
    text.clear();
    return true;
  }
  const int64_t count = int64_t{end} - start;
  const size_t from = static_cast<size_t>(std::max<int32_t>(start, 0));
  text = from >= object.size() ? std::string() : object.substr(from, static_cast<size_t>(count));
  return true;
}

bool TForm3::StringExpression(std::string& text) {
  const size_t plus = FindStringPlus(text);
  if (plus == std::string::npos) {
    std::string result;
    const bool ok = StringTerm(text, result);
    text = std::move(result);
    return ok;
  }
  std::string left, right;
  const bool leftOk = StringTerm(text.substr(0, plus), left);
  const bool rightOk = StringTerm(std::string(Tail(text, plus + 1)), right);
  if (left.size() + right.size() > kMaxStringLength) {
    Fail("Chaîne trop longue"_cp);
    return false;
  }
  text = left + right;
  return leftOk && rightOk;
}

void TForm3::ToStringStatement(std::string_view a) {
  const std::string_view t = DropLast(a);
  const size_t comma = t.find(',');
  std::string name = Trim(t.substr(0, comma));
  std::string operand;
  if (comma != std::string_view::npos) {
    const std::string_view rest = Tail(t, comma + 1);
    const size_t second = rest.find(',');
    operand = Trim(rest.substr(0, second));
  }
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(name, kind, slot) || kind != 'I') return Fail("Type de donnée incorrect"_cp);
  if (operand.empty()) return Fail("Expression vide");
  if (!StringOperand(operand)) return;
  StoreValue(operand, 'I', slot);
}

}  // namespace orv
