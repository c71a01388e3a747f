// What the debug views show, decided from the interpreter's state alone:
// the elements of each array of the symbol table, and the loops and calls
// held by the two stacks. The windows only draw it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "interp/Unit3.h"

namespace orv {

// One array of the symbol table at one look: every element as the view
// shows it (cp1252 text).
struct ArrayLook {
  std::string Name;  // as declared, without its "["
  char Kind = 0;     // 'C', 'I', 'R' or 'S'
  // Element i + 1: an int as a number, a float as FloatText writes it, a
  // char as its character (nothing for a zero char), a string as its text.
  std::vector<std::string> Cells;
};

// The arrays of the symbol table, in its order. An array's size is the
// room the store gave it: up to the next variable of its kind.
std::vector<ArrayLook> LookAtArrays(const TForm3& t);

// One flag per element of each array of `now`: whether it shows something
// else than at the look `before`. An element or an array the look before
// did not have counts as changed, except at a first look, where nothing is.
std::vector<std::vector<bool>> ChangedCells(const std::vector<ArrayLook>& now, const std::vector<ArrayLook>& before,
                                            bool firstLook);

// The width, in characters, a cell of the array needs for its widest element
// and for its index, within [1, kMaxCellChars]; longer texts are cut when drawn.
inline constexpr size_t kMaxCellChars = 18;
size_t CellChars(const ArrayLook& array);

// One loop or call in progress, as the stack view lists it.
struct StackEntry {
  std::string Text;   // cp1252, e.g. "for i de 1 à 10, pas 1 (ligne 12)"
  int32_t Line = -1;  // the program line it names (0-based, as the line list counts); -1: none
};

// What the control stack and the return stack hold, top first, in words a
// learner reads; lines are counted from 1 as the editor shows them. Each
// control entry takes its items on the return stack (four for a for, one
// for the others) from the bottom up; items left over after an error are
// listed on their own, above. `program` (may be null) gives the text of a
// for's line, for its first value.
std::vector<StackEntry> StackEntries(const TForm3& t, const LineList* program);

}  // namespace orv
