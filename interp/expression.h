// Shared by the evaluators, the statement handlers and the line compiler.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

struct SplitExpression {
  std::string_view left, op, right;
};

// Finds the one binary operator of an expression: the first of "-+*/" outside
// parentheses, else the first "%". Without one, left is the whole text.
SplitExpression SplitOperator(std::string_view text);

// A whole number of at most 18 digits with an optional sign.
std::optional<int64_t> SmallInteger(std::string_view s);
// How a condition orders two values (negative, 0, positive): numbers by
// value, other texts right-aligned over the longer length, byte by byte.
int CompareValues(std::string_view left, std::string_view right);
// The comparison operator of a condition's text and its length; npos when
// the text holds none.
size_t FindComparison(std::string_view text, size_t& length);

// `new` as the first word of an expression: an object creation.
bool BeginsWithNew(std::string_view expression);
// The text of a double-quoted literal (its first character is the quote);
// nullopt when it does not end with a quote. The value scanner reduces the
// first doubled quote inside it to one.
std::optional<std::string> QuotedText(std::string_view literal, bool reduceFirstPair);

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
