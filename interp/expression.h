// Shared by the evaluators, the statement handlers and the line compiler:
// the lexical reading of a line's text (expression.cpp), so that the text
// evaluator and the line compiler cut every text at the same places, and the
// few rules of the for loop both run by.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The smallest of these readings are defined here, inline: the text
// evaluator calls them for every operand of every line.

// --- numbers ---------------------------------------------------------------
// What the readers take for a number is decided by its first character: one
// of ".0123456789+-" for a value or a float operand, of "0123456789+-" for an
// int operand (".5" is a name there).
inline bool BeginsNumber(std::string_view text) {
  return !text.empty() && std::string_view(".0123456789+-").find(text[0]) != std::string_view::npos;
}
inline bool BeginsWholeNumber(std::string_view text) {
  return !text.empty() && std::string_view("0123456789+-").find(text[0]) != std::string_view::npos;
}
// The characters the value scanner allows in a number: ".-+0123456789".
inline bool IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'; }
bool IsNumberText(std::string_view text);

// A float operand's literal: its digits before the closing 'f', and what
// they make as a 6-byte real.
struct FloatLiteral {
  enum class Status : uint8_t {
    NoMark,      // no closing 'f'
    NotANumber,  // the digits are no decimal number
    OutOfRange,  // beyond the 6-byte real
    Ok,
  };
  Status status = Status::NoMark;
  std::string_view digits;
  long double value = 0;
};
FloatLiteral ReadFloatLiteral(std::string_view operand);

// A whole number of at most 18 digits with an optional sign.
std::optional<int64_t> SmallInteger(std::string_view s);

// --- literals --------------------------------------------------------------
// The text of a double-quoted literal (its first character is the quote);
// nullopt when it does not end with a quote. The value scanner reduces the
// first doubled quote inside it to one.
std::optional<std::string> QuotedText(std::string_view literal, bool reduceFirstPair);

// --- names -----------------------------------------------------------------
// The characters of a word: ASCII letters, digits and '_'.
inline bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
// The name a lookup searches the symbol table for: the text less one leading
// '*' ("*i" is i, "**i" is "*i", found under no name).
inline std::string_view LookupName(std::string_view text) {
  if (!text.empty() && text[0] == '*') text.remove_prefix(1);
  return text;
}
// `new` as the first word of an expression: an object creation.
bool BeginsWithNew(std::string_view expression);

// name or name[index]: the name of an element keeps its '[' ("t["), the
// index is the text between it and the first ']' after it; what follows the
// ']' is not read.
struct Reference {
  std::string_view name, index;
  bool indexed = false;  // the text holds a '['
  bool closed = false;   // and a ']' after it
};
inline Reference SplitReference(std::string_view text) {
  Reference reference;
  reference.name = text;
  const size_t open = text.find('[');
  if (open == std::string_view::npos) return reference;
  reference.indexed = true;
  reference.name = text.substr(0, open + 1);
  const size_t close = text.find(']', open);
  if (close == std::string_view::npos) return reference;
  reference.closed = true;
  reference.index = text.substr(open + 1, close - open - 1);
  return reference;
}

// An index text: the name a lookup tries first (blanks around the index and
// one leading '*' dropped), and that same text as a number when no int
// variable has that name. Nothing else is an index: "**i", "i+1", "t[1]"
// and "" are none.
struct IndexText {
  std::string_view name;
  std::optional<int32_t> number;
};
IndexText ReadIndex(std::string_view indexText);

// A string term with an access: "[", "." or "(" somewhere in it.
inline bool HasAccess(std::string_view term) { return term.find_first_of("[.(") != std::string_view::npos; }
// object.method: the texts before the first '.' and after it (at most
// kMaxPiece characters), each trimmed; nullopt without a '.'.
struct MethodCall {
  std::string_view object, method;
};
std::optional<MethodCall> SplitMethod(std::string_view term);

// --- operators -------------------------------------------------------------
struct SplitExpression {
  std::string_view left, op, right;
};

// Finds the one binary operator of an expression: the first of "-+*/" outside
// parentheses, else the first "%". Without one, left is the whole text.
SplitExpression SplitOperator(std::string_view text);
// The "+" of a string expression: the last one outside character literals;
// npos when there is none.
inline size_t FindStringPlus(std::string_view text) {
  bool inChar = false;
  size_t plus = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'') inChar = !inChar;
    else if (text[i] == '+' && !inChar) plus = i;
  }
  return plus;
}
// The comparison operator of a condition's text and its length; npos when
// the text holds none.
size_t FindComparison(std::string_view text, size_t& length);

// A condition's text inside its parentheses; nullopt when it does not begin
// with "(" and end with ")".
std::optional<std::string_view> ConditionInside(std::string_view condition);
// The end-of-file test a condition may be, in any case: "FEOF(f)", or
// "!FEOF(f)" and "!=FEOF(f)" negated; `file` is the text after its "(".
struct FileEndTest {
  bool present = false, negated = false;
  std::string_view file;
};
FileEndTest ReadFileEndTest(std::string_view inside);

// How a condition orders two values (negative, 0, positive): numbers by
// value, other texts right-aligned over the longer length, byte by byte.
int CompareValues(std::string_view left, std::string_view right);

// --- for headers -----------------------------------------------------------
// The header inside the parentheses of a for: the variable before the first
// "=", then the initial value, the condition and the increment between
// semicolons, each trimmed (empty when its semicolon is missing). nullopt
// without "=".
struct ForHeader {
  std::string_view var, initial, condition, increment;
};
std::optional<ForHeader> SplitForHeader(std::string_view header);
// The condition of a for header past as many characters as the variable's
// name has: its operator ("<=", ">=", "<" or ">", empty for any other) and
// the limit after it.
struct ForCondition {
  std::string_view op, limit;
};
ForCondition ReadForCondition(std::string_view condition, std::string_view var);

// The increment of a for header as a sign and an amount (a number or an int
// variable's name): ++ and -- are 1 and -1; nullopt for any other form.
struct StepForm {
  int sign = 1;
  std::string amount;
};
std::optional<StepForm> ForStepForm(std::string_view increment, std::string_view var);

// A for loop's limit once "<" n has become "<=" n - 1 (adjust -1) or ">" n
// ">=" n + 1 (adjust +1), worked out in 64 bits: "i < -2147483648" holds for
// no int. nullopt when the loop's condition is false from the start;
// otherwise the limit to keep, clamped to 32 bits, which changes none of the
// closer's comparisons.
std::optional<int32_t> ForLimit(int32_t initial, int32_t limit, int adjust, int32_t step);

// The line before one taken from the return stack, for a jump: without
// wrapping, since a misplaced closer may find any int there.
constexpr int32_t LineBefore(int32_t line) { return line > INT32_MIN ? line - 1 : line; }

}  // namespace orv
