// The calculator's state machine: one 80-bit accumulator, immediate execution
// from left to right, and the display text as the source of every operand.
// Plain C++ so that every key sequence can be checked without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

enum class PocketKey {
  Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
  Comma, Equals, Plus, Minus, Times, Divide, Reciprocal, SquareRoot, Clear,
};

inline constexpr int kPocketKeyCount = static_cast<int>(PocketKey::Clear) + 1;

PocketKey DigitKey(int digit);

// The key a typed character stands for, or nothing for unmapped characters.
std::optional<PocketKey> PocketKeyForChar(char32_t c);

// Reads a number written with the given decimal separator: optional blanks
// and sign, digits with at most one separator (at least one digit), an
// optional exponent. Values beyond the 80-bit range are refused; values too
// small for it become 0.
std::optional<long double> ReadPocketNumber(std::string_view text,
                                            std::string_view decimalSeparator);

// At most 15 significant digits, trailing zeros dropped; positional from
// 0.0001 up to below 10^15, otherwise d,dddE-n (no plus sign, no leading
// exponent zeros).
std::string PocketGeneralFormat(long double value, std::string_view decimalSeparator);

class PocketModel {
 public:
  explicit PocketModel(std::string decimalSeparator = ",");

  // Applies one key. On failure the returned French message is for the error
  // box, and the display and the pending computation are as before the key.
  std::optional<std::string> Press(PocketKey key);
  void Clear();

  const std::string& Display() const { return display_; }
  const std::string& DecimalSeparator() const { return separator_; }
  long double Accumulator() const { return accumulator_; }
  long double Operand() const { return operand_; }
  char PendingOp() const { return pendingOp_; }  // 0, '+', '-', '*' or '/'
  bool HasAccumulator() const { return hasAccumulator_; }
  bool NewEntry() const { return newEntry_; }

 private:
  std::optional<std::string> Evaluate();
  std::optional<std::string> Operator(char op);
  std::optional<std::string> Unary(PocketKey key);
  std::optional<std::string> ReadOperand();
  void AppendDigit(char digit);

  std::string separator_;
  std::string display_;
  long double accumulator_ = 0;
  long double operand_ = 0;
  char pendingOp_ = 0;
  bool hasAccumulator_ = false;
  bool newEntry_ = false;
};

}  // namespace orv
