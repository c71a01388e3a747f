// Control flow: the two stacks, conditionals, loops and procedures. A jump
// sets CurrentLine to the line before the one to execute next, because the
// run loop advances after every statement that succeeded.
#include <algorithm>

#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/text.h"

namespace orv {

bool TForm3::PushReturn(int32_t value) {
  if (ReturnTop >= kReturnItems) {
    Fail("Pile saturée"_cp);
    return false;
  }
  ReturnStack[ReturnTop++] = value;
  return true;
}

bool TForm3::PopReturn(int32_t& value) {
  if (ReturnTop == 0) {
    Fail("Pile vide");
    return false;
  }
  value = ReturnStack[--ReturnTop];
  return true;
}

bool TForm3::PushControl(int32_t line, std::string_view closer) {
  if (ControlTop >= kControlEntries) {
    Fail("Pile saturée"_cp);
    return false;
  }
  ControlEntry& entry = ControlStack[ControlTop++];
  entry.Line = line;
  entry.Closer.assign(closer);
  entry.BraceDepth = BraceDepth;
  return true;
}

void TForm3::PopControl() {
  if (ControlTop > 0) --ControlTop;
}

// --- if / else ---------------------------------------------------------------

void TForm3::IfStatement(std::string_view a) {
  const bool holds = EvalCondition(TrimView(a));
  if (RunState > 0) return Fail("Erreur de syntaxe");
  if (!holds) SkipFalseThen();
}

// The text decides whether an else follows: a then-part ending with ";" has
// none. Blanks after the ";" are not seen: they would silently send the run
// looking for an else that belongs to another if.
void TForm3::SkipFalseThen() {
  LineList& lines = *lines_;
  std::string scratch;
  const std::string_view next = TrimView(ProgramLineView(lines, CurrentLine + 1, scratch));
  if (next != "{") {
    if (next.ends_with(';')) ++CurrentLine;
    else FindElse(lines, CurrentLine);
    return;
  }
  int32_t end = CurrentLine;
  if (!BlockEnd(lines, end)) return;
  CurrentLine = end;
  if (!TrimView(ProgramLineView(lines, end, scratch)).ends_with(';')) FindElse(lines, CurrentLine);
}

void TForm3::ElseStatement() {
  LineList& lines = *lines_;
  std::string scratch;
  if (TrimView(ProgramLineView(lines, CurrentLine + 1, scratch)) != "{") {
    ++CurrentLine;
    return;
  }
  int32_t end = CurrentLine;
  if (BlockEnd(lines, end)) CurrentLine = end;
}

// --- for / next ----------------------------------------------------------------

std::optional<int32_t> ForLimit(int32_t initial, int32_t limit, int adjust, int32_t step) {
  const int64_t adjusted = int64_t{limit} + adjust;
  if ((step > 0 && initial > adjusted) || (step < 0 && initial < adjusted)) return std::nullopt;
  return static_cast<int32_t>(std::clamp<int64_t>(adjusted, INT32_MIN, INT32_MAX));
}

bool TForm3::ParseForStep(std::string_view increment, std::string_view var, int32_t& step) {
  const std::optional<StepForm> form = ForStepForm(increment, var);
  if (!form) return false;
  std::optional<int32_t> k = ParseInt32(form->amount);
  if (!k) {
    const int index = SymbolIndex(form->amount);
    if (index == 0 || SymbolTable[index - 1].Kind != 'I') return false;
    const int32_t slot = SymbolTable[index - 1].Slot;
    if (!CheckSlot('I', slot)) return false;
    k = IntStore[slot];
  }
  step = form->sign > 0 ? *k : WrapSub(0, *k);
  return true;
}

void TForm3::ForStatement(std::string_view a) {
  if (a.size() < 2 || a.front() != '(' || a.back() != ')') return Fail("Erreur de syntaxe");
  const std::optional<ForHeader> header = SplitForHeader(a.substr(1, a.size() - 2));
  if (!header) return Fail("erreur de syntaxe");
  std::string var(header->var);
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(var, kind, slot)) return Fail("Variable inconnue");
  if (kind != 'I') return Fail("Type de variable incorrect");

  std::string initial(header->initial);
  if (!ScanValue(initial)) return;
  // The lookup has dropped a leading '*' from var: the condition is read past
  // the name as it was found.
  const ForCondition condition = ReadForCondition(header->condition, var);
  if (condition.op.empty()) return Fail("Erreur de syntaxe");
  const std::string_view op = condition.op;
  std::string limitText(condition.limit);
  if (!ScanValue(limitText)) return;
  int32_t step = 0;
  if (!ParseForStep(header->increment, var, step)) return Fail("Erreur de syntaxe");
  const auto written = ParseInt32(limitText);
  if (!written) return Fail("Types de données incompatibles"_cp);

  StoreValue(initial, 'I', slot);
  if (RunState > 0) return;
  int32_t end = CurrentLine;
  // A loop whose condition is false from the start skips its body.
  const auto limit = ForLimit(IntStore[slot], *written, op == "<" ? -1 : op == ">" ? 1 : 0, step);
  if (!limit) {
    if (BlockEnd(*lines_, end)) CurrentLine = end;
    return;
  }
  if (!BlockEnd(*lines_, end)) return;
  if (!PushReturn(CurrentLine) || !PushReturn(slot) || !PushReturn(*limit) || !PushReturn(step))
    return;
  PushControl(end + 1, "next");
}

void TForm3::NextStatement() {
  int32_t step = 0, limit = 0, slot = 0, forLine = 0;
  if (!PopReturn(step) || !PopReturn(limit) || !PopReturn(slot) || !PopReturn(forLine)) return;
  if (!CheckSlot('I', slot)) return;
  const int32_t value = WrapAdd(IntStore[slot], step);
  IntStore[slot] = value;
  if ((step > 0 && value > limit) || (step < 0 && value < limit)) {
    PopControl();
    return;
  }
  CurrentLine = forLine;
  PushReturn(forLine);
  PushReturn(slot);
  PushReturn(limit);
  PushReturn(step);
}

// --- while / wend, do / while ----------------------------------------------------

void TForm3::WhileStatement(std::string_view a) {
  const bool holds = EvalCondition(TrimView(a));
  if (RunState > 0) return Fail("Erreur de syntaxe");
  int32_t end = CurrentLine;
  if (!BlockEnd(*lines_, end)) return;
  if (!holds) {
    CurrentLine = end;
    return;
  }
  if (PushReturn(CurrentLine)) PushControl(end + 1, "wend");
}

void TForm3::WendStatement() {
  int32_t whileLine = 0;
  if (!PopReturn(whileLine)) return;
  CurrentLine = LineBefore(whileLine);
  PopControl();
}

void TForm3::DoStatement() {
  if (!PushReturn(CurrentLine)) return;
  if (!PushControl(kDoLine, "until")) return;
  DoPending = true;
}

// The closing while of a do loop: the loop repeats until its condition holds.
void TForm3::DoWhileStatement(std::string_view a) {
  int32_t doLine = 0;
  if (!PopReturn(doLine)) return;
  const bool holds = EvalCondition(TrimView(a));
  if (RunState > 0) return;
  if (!holds) {
    CurrentLine = doLine;
    PushReturn(doLine);
    return;
  }
  DoPending = false;
  PopControl();
}

// --- break, procedures -------------------------------------------------------------

// Leaves a loop's records; the block depth goes back to where the loop began.
void TForm3::UnwindLoop(const ControlEntry& entry) {
  int32_t item = 0;
  const int items = entry.Closer == "next" ? 4 : 1;
  for (int i = 0; i < items; ++i)
    if (!PopReturn(item)) return;
  if (entry.Closer == "until") DoPending = false;
  BraceDepth = entry.BraceDepth;
  PopControl();
}

void TForm3::BreakStatement() {
  const ControlEntry* top = TopControl();
  if (!top || (top->Closer != "next" && top->Closer != "wend" && top->Closer != "until"))
    return Fail("break sans for ou while ou do");
  const ControlEntry entry = *top;
  UnwindLoop(entry);
  if (RunState > 0) return;
  if (entry.Closer != "until") {
    CurrentLine = entry.Line - 1;
    return;
  }
  LineList& lines = *lines_;
  std::string scratch;
  for (int32_t i = CurrentLine; i < lines.Count(); ++i)
    if (TrimView(ProgramLineView(lines, i, scratch)).starts_with("while")) {
      CurrentLine = i;
      return;
    }
}

void TForm3::CallStatement(std::string_view a) {
  std::string name = Trim(a);
  char kind = 0;
  int32_t header = 0;
  if (!ChercheEtiq(name, kind, header) || kind != 'P') return Fail("Procedure non trouvée"_cp);
  const int32_t callLine = CurrentLine;
  if (!PushReturn(callLine)) return;
  int32_t end = header;
  CurrentLine = header;
  if (!BlockEnd(*lines_, end)) return;
  // A call too deep is reported where it was made.
  if (!PushControl(end + 1, "endsub")) CurrentLine = callLine;
}

void TForm3::EndSubStatement() {
  int32_t callLine = 0;
  if (!PopReturn(callLine)) return;
  CurrentLine = callLine;
  PopControl();
}

// return leaves the loops of the procedure's body first, then the procedure.
void TForm3::ReturnStatement() {
  int procedure = ControlTop;
  while (procedure > 0 && ControlStack[procedure - 1].Closer != "endsub") --procedure;
  if (procedure == 0) return Fail("Pile vide");
  while (ControlTop > procedure) {
    UnwindLoop(ControlStack[ControlTop - 1]);
    if (RunState > 0) return;
  }
  const int32_t depth = ControlStack[ControlTop - 1].BraceDepth;
  EndSubStatement();
  if (RunState == kRunning) BraceDepth = depth;
}

}  // namespace orv
