// Turns a classified line into its compiled form.
#pragma once

#include <memory>

#include "interp/Unit3.h"

namespace orv {

// The compiled form of a statement line, or nullptr when the line is not one
// of the statements the fast path runs, or would fail however the program's
// values stand: such lines are always left to the text evaluator. Reads the
// symbol table, never the values.
std::unique_ptr<CompiledLine> CompileLine(const TForm3& interpreter, const LineInfo& line);

}  // namespace orv
