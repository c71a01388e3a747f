#include "editor/rules/template_text.h"

#include <algorithm>

#include "common/markers.h"

namespace orv {

namespace {

constexpr std::array<std::string_view, kOperatorCount> kOperators = {"==", "<", ">", "<=", ">=", "!="};

constexpr std::array<std::string_view, kKeywordCount> kKeywords = {
    "--", "(double)", "(float)", "(int)", "{", "}", "++", "args[]", "break", "Calendar.DATE",
    "Calendar.HOUR", "Calendar.MINUTE", "Calendar.MONTH", "Calendar.SECOND", "Calendar.YEAR", "char",
    "class", "close()", "delete()", "do", "else", "FileInputStream", "FileOutputStream", "float", "for",
    "if", "import", "int", "length()", "main(String args[])", "Math.abs", "Math.abs()", "Math.ceil",
    "Math.cos", "Math.exp", "Math.log", "Math.sin", "Math.sqrt", "mkdir()", "new", "nextInt()",
    "public", "Random", "return", "static", "substring", "System.out.print", "System.out.println",
    "toLowerCase", "toString()", "toUpperCase", "void()"};

// A value goes in as typed; only a line break in it (which a one-line field
// can still receive by program) becomes a blank, so every piece keeps its
// lines and its caret line.
std::string Value(const std::string& text) {
  std::string value = text;
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return value;
}

std::string Condition(const TConditionFields& fields) {
  return Value(fields.Operand1) + std::string(OperatorText(fields.Operator)) + Value(fields.Operand2);
}

bool HasCondition(const TConditionFields& fields) {
  return !fields.Operand1.empty() && !OperatorText(fields.Operator).empty();
}

// A header line, then a block whose empty middle line takes the caret.
TTemplate Block(std::string header) { return {{std::move(header), "{", "", "}"}, 2, 0}; }

}  // namespace

std::string TTemplate::Text(std::string_view lineBreak) const {
  std::string text;
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (i > 0) text += lineBreak;
    text += Lines[i];
  }
  return text;
}

std::string_view OperatorText(int index) {
  return index >= 0 && index < kOperatorCount ? kOperators[static_cast<size_t>(index)] : std::string_view();
}

TTemplate ForTemplate(const TForFields& fields) {
  if (fields.Counter.empty()) return {};
  const std::string counter = Value(fields.Counter);
  const char* const comparison = fields.Decreasing ? ">=" : "<=";
  const char* const step = fields.Decreasing ? "--" : "++";
  return Block("for (" + counter + "=" + Value(fields.Initial) + "; " + counter + comparison +
               Value(fields.Final) + "; " + counter + step + ")");
}

TTemplate WhileTemplate(const TConditionFields& fields) {
  if (!HasCondition(fields)) return {};
  return Block("while (" + Condition(fields) + ")");
}

TTemplate DoTemplate(const TConditionFields& fields) {
  if (!HasCondition(fields)) return {};
  return {{"do", "{", "", "}", "while (" + Condition(fields) + ");"}, 2, 0};
}

TTemplate IfTemplate(const TConditionFields& fields, bool withElse) {
  if (!HasCondition(fields)) return {};
  TTemplate piece = Block("if (" + Condition(fields) + ")");
  // Without an else the block must close with "};", or a false condition
  // looks for an else that is not there ("else manquant").
  if (withElse) piece.Lines.insert(piece.Lines.end(), {"else", "{", "", "}"});
  else piece.Lines.back() = "};";
  return piece;
}

TTemplate FileTemplate(const std::string& fileVariable, const std::string& fileName, bool writing) {
  const std::string variable = Value(fileVariable);
  const std::string stream = writing ? "outStream" : "inStream";
  const std::string type = writing ? "FileOutputStream" : "FileInputStream";
  return {{"File " + variable + "=new File(\"" + Value(fileName) + "\");",
           "  " + type + " " + stream + "=new " + type + "(" + variable + ");", "", "  " + stream + ".close();"},
          2,
          0};
}

std::string_view Indentation(std::string_view lineStart) {
  return lineStart.substr(0, std::min(lineStart.size(), lineStart.find_first_not_of(" \t")));
}

TTemplate Indented(TTemplate piece, std::string_view indent) {
  if (indent.empty()) return piece;
  for (size_t i = 1; i < piece.Lines.size(); ++i) piece.Lines[i].insert(0, indent);
  if (piece.CaretLine > 0) piece.CaretColumn += static_cast<int>(indent.size());
  return piece;
}

const std::array<std::string_view, kKeywordCount>& Keywords() { return kKeywords; }

std::vector<TProcedureEntry> ProcedureEntries(const std::vector<std::string>& lines) {
  std::vector<TProcedureEntry> entries;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    line = WithoutMarker(line);
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) continue;
    line.remove_prefix(start);
    if (line.size() < 4) continue;
    std::string head(line.substr(0, 4));
    std::transform(head.begin(), head.end(), head.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    if (head == "VOID") entries.push_back({std::string(line), static_cast<int>(i)});
  }
  return entries;
}

}  // namespace orv
