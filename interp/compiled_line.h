// The compiled form of a line: what the text evaluator would read from the
// line's text, decided once, for the statements that run most often. It is
// made from the classified line and the symbol table, which only a fresh
// run's pre-pass changes, and lives in the classified-line cache, so it is
// dropped with the line's classification when the text or the table changes.
//
// A compiled line never reports anything itself: whenever its statement
// would show a message, stop silently or leave the store, running it does
// nothing at all and the text evaluator takes the line from the start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// A slot of a store: a variable's, or an array's first slot plus an index
// that is either a literal or an int variable read at run time.
struct StoreRef {
  int32_t slot = 0;
  int32_t indexSlot = -1;  // the int variable holding the index, or -1
  int64_t offset = 0;      // added to the slot (the literal index - 1)
};

// One operand of an int or float expression.
struct NumberTerm {
  enum class Source : uint8_t {
    Constant,      // value or real
    Int,           // IntStore[at]
    Real,          // RealStore[at]
    IntAsReal,     // (float) or (double) of an int
    StringLength,  // the length of StringStore[at]
  };
  Source source = Source::Constant;
  int32_t value = 0;
  long double real = 0;
  StoreRef at;
};

// One value of a string expression, of a condition or of a print: a constant
// text or a stored value of kind 'I', 'R', 'C' or 'S'.
struct ValueTerm {
  bool constant = true;
  char kind = 0;
  std::string text;                  // the constant
  std::optional<int64_t> integer;    // the constant as a small whole number
  StoreRef at;
};

// A string term: a value, a case change of one, or a substring of one.
struct TextTerm {
  enum class Form : uint8_t { Value, Upper, Lower, Substring };
  Form form = Form::Value;
  ValueTerm value;            // a constant or a String ('S') slot
  NumberTerm start, end;      // Substring bounds: Constant or Int
};

// A condition: two values compared as the text evaluator compares them.
struct Comparison {
  enum class Op : uint8_t { Equal, Different, Below, Above, BelowOrEqual, AboveOrEqual };
  Op op = Op::Equal;
  ValueTerm left, right;
};

struct CompiledLine {
  enum class Form : uint8_t {
    AssignInt, AssignReal, AssignString, AssignChar, Increment, If, While, For, Print
  };
  Form form = Form::AssignInt;
  char op = 0;        // the binary operator of an expression, 0 for none
  StoreRef target;    // assignments, increments, the for loop's variable
  NumberTerm a, b;    // int and float operands; for: initial value and limit
  TextTerm s, t;    // string operands (t only with op '+')
  Comparison condition;  // if, while and the closing while of do
  ValueTerm value;       // print
  // for: the step, a constant or an int variable (negated when stepSign < 0)
  int32_t step = 0;
  int32_t stepSlot = -1;
  int8_t stepSign = 1;
  int8_t limitAdjust = 0;  // -1 for "<", +1 for ">"
  bool newLine = false;    // println
  bool decrement = false;  // --
  // The last jump worked out from the text: from line jumpFrom to jumpTo,
  // valid while the host call count stays jumpAt.
  int32_t jumpFrom = INT32_MIN, jumpTo = 0;
  uint64_t jumpAt = 0;
};

}  // namespace orv
