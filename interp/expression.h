// Shared by the integer and float evaluators.
#pragma once

#include <string>
#include <string_view>

namespace orv {

struct SplitExpression {
  std::string_view left, op, right;
};

// Finds the one binary operator of an expression: the first of "-+*/" outside
// parentheses, else the first "%". Without one, left is the whole text.
SplitExpression SplitOperator(std::string_view text);

}  // namespace orv
