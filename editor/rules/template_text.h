// The code templates and pickers of the editor window, without any window:
// the pieces of Java text the template dialogs generate (for, while, do, if,
// opening a file), where the caret goes in them, the keyword list and the
// procedure list of a program. Texts are Windows-1252 byte strings.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A generated piece: its lines (the line breaks go between them, none after
// the last) and the caret's place inside it. No lines: nothing to insert.
struct TTemplate {
  std::vector<std::string> Lines;
  int CaretLine = 0;
  int CaretColumn = 0;

  bool Empty() const { return Lines.empty(); }
  std::string Text(std::string_view lineBreak = "\r\n") const;
};

// The operators of the operator choice, by position; -1 is no choice.
constexpr int kOperatorCount = 6;
std::string_view OperatorText(int index);  // "" outside 0..5

struct TForFields {
  std::string Counter, Initial, Final;
  bool Decreasing = false;  // "Décroissant"
};

struct TConditionFields {
  std::string Operand1;
  int Operator = -1;
  std::string Operand2;
};

// Empty without a counter.
TTemplate ForTemplate(const TForFields& fields);
// These three are empty without an operator or a first operand.
TTemplate WhileTemplate(const TConditionFields& fields);
TTemplate DoTemplate(const TConditionFields& fields);
TTemplate IfTemplate(const TConditionFields& fields, bool withElse);
// Opening a file for reading or writing; never empty.
TTemplate FileTemplate(const std::string& fileVariable, const std::string& fileName, bool writing);

// The blanks and tabs that begin a line; for a piece put in at the caret,
// the line's text before the caret.
std::string_view Indentation(std::string_view lineStart);
// The piece as it goes in after `indent`: every line after the first starts
// with the same blanks and tabs, so the whole piece stands where its first
// line does; a caret below the first line moves right with its line.
TTemplate Indented(TTemplate piece, std::string_view indent);

// The keyword picker's entries, in the order it shows them.
constexpr size_t kKeywordCount = 52;
const std::array<std::string_view, kKeywordCount>& Keywords();

// One entry of the procedure picker: the line without its leading blanks and
// tabs, and the index of the line it comes from.
struct TProcedureEntry {
  std::string Text;
  int Line = 0;
  bool operator==(const TProcedureEntry&) const = default;
};

// The lines that, once their leading blanks and tabs are removed, begin with
// "void" in any letter case; a run marker in front of a line is not part of
// the program text and is skipped.
std::vector<TProcedureEntry> ProcedureEntries(const std::vector<std::string>& lines);

}  // namespace orv
