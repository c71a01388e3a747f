// The fast path: statements run from their compiled form. Each step does what
// the text evaluator does with the line's text, on the same values, and gives
// up, before it has changed anything, wherever the text evaluator would show
// a message or stop (a value outside a store, a division by zero, a float
// overflow, a full stack, a string too long): the text evaluator then runs
// the line from the start, and reports.
#include <charconv>
#include <cmath>

#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {
namespace {

void IntoText(int32_t value, std::string& out) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.assign(buffer, result.ptr);
}

bool Holds(Comparison::Op op, int order) {
  switch (op) {
    case Comparison::Op::Equal: return order == 0;
    case Comparison::Op::Different: return order != 0;
    case Comparison::Op::Below: return order < 0;
    case Comparison::Op::Above: return order > 0;
    case Comparison::Op::BelowOrEqual: return order <= 0;
    case Comparison::Op::AboveOrEqual: return order >= 0;
  }
  return false;
}

}  // namespace

// The slot a reference names now; false outside the store (where LitValeur
// and StoreValue report "Indice hors limites").
bool TForm3::StoredSlot(const StoreRef& at, char kind, int64_t& slot) const {
  int64_t s = int64_t{at.slot} + at.offset;
  if (at.indexSlot >= 0) s += int64_t{IntStore[static_cast<size_t>(at.indexSlot)]} - 1;
  const int64_t last = kind == 'S' ? static_cast<int64_t>(StringStore.size()) - 1 : kStoreSlots;
  if (s < 0 || s > last) return false;
  slot = s;
  return true;
}

bool TForm3::IntValue(const NumberTerm& term, int32_t& value) const {
  int64_t slot = 0;
  switch (term.source) {
    case NumberTerm::Source::Constant: value = term.value; return true;
    case NumberTerm::Source::Int:
      if (!StoredSlot(term.at, 'I', slot)) return false;
      value = IntStore[static_cast<size_t>(slot)];
      return true;
    case NumberTerm::Source::StringLength:
      if (!StoredSlot(term.at, 'S', slot)) return false;
      value = static_cast<int32_t>(StringStore[static_cast<size_t>(slot)].size());
      return true;
    default: return false;
  }
}

bool TForm3::RealValue(const NumberTerm& term, long double& value) const {
  int64_t slot = 0;
  switch (term.source) {
    case NumberTerm::Source::Constant: value = term.real; return true;
    case NumberTerm::Source::Real:
      if (!StoredSlot(term.at, 'R', slot)) return false;
      value = RealStore[static_cast<size_t>(slot)];
      return true;
    case NumberTerm::Source::IntAsReal:
      if (!StoredSlot(term.at, 'I', slot)) return false;
      value = IntStore[static_cast<size_t>(slot)];
      return true;
    default: return false;
  }
}

// A value as the value scanner gives it.
bool TForm3::TextValue(const ValueTerm& term, std::string_view& value, std::string& scratch) const {
  if (term.constant) {
    value = term.text;
    return true;
  }
  int64_t slot = 0;
  if (!StoredSlot(term.at, term.kind, slot)) return false;
  const auto s = static_cast<size_t>(slot);
  switch (term.kind) {
    case 'I': IntoText(IntStore[s], scratch); break;
    case 'R': scratch = FloatText(RealStore[s]); break;
    case 'C': scratch.assign(1, static_cast<char>(CharStore[s])); break;
    case 'S': value = StringStore[s]; return true;
    default: return false;
  }
  value = scratch;
  return true;
}

bool TForm3::StringValue(const TextTerm& term, std::string_view& value, std::string& scratch) const {
  int32_t start = 0, end = 0;
  if (term.form == TextTerm::Form::Substring && (!IntValue(term.start, start) || !IntValue(term.end, end)))
    return false;
  std::string_view object;
  if (!TextValue(term.value, object, scratch)) return false;
  switch (term.form) {
    case TextTerm::Form::Value: value = object; return true;
    case TextTerm::Form::Upper: scratch = UpperAscii(object); break;
    case TextTerm::Form::Lower: scratch = LowerAscii(object); break;
    case TextTerm::Form::Substring: {
      value = {};
      const auto from = static_cast<size_t>(std::max<int32_t>(start, 0));
      if (end > start && from < object.size())
        value = object.substr(from, static_cast<size_t>(int64_t{end} - start));
      return true;
    }
  }
  value = scratch;
  return true;
}

bool TForm3::FastCondition(const Comparison& condition, bool& holds) {
  const ValueTerm& left = condition.left;
  const ValueTerm& right = condition.right;
  // Two whole numbers compare by value, as CompareValues compares them.
  int64_t slot = 0;
  std::optional<int64_t> a = left.integer, b = right.integer;
  if (!left.constant && left.kind == 'I') {
    if (!StoredSlot(left.at, 'I', slot)) return false;
    a = IntStore[static_cast<size_t>(slot)];
  }
  if (!right.constant && right.kind == 'I') {
    if (!StoredSlot(right.at, 'I', slot)) return false;
    b = IntStore[static_cast<size_t>(slot)];
  }
  if (a && b && (left.constant || left.kind == 'I') && (right.constant || right.kind == 'I')) {
    holds = Holds(condition.op, *a < *b ? -1 : (*a > *b ? 1 : 0));
    return true;
  }
  std::string_view x, y;
  if (!TextValue(left, x, fastLeft_) || !TextValue(right, y, fastRight_)) return false;
  holds = Holds(condition.op, CompareValues(x, y));
  return true;
}

bool TForm3::FastAssign(const CompiledLine& line) {
  int64_t slot = 0;
  if (line.form == CompiledLine::Form::AssignInt) {
    int32_t a = 0, b = 0, result = 0;
    if (!IntValue(line.a, a) || !IntValue(line.b, b)) return false;
    switch (line.op) {
      case '+': result = WrapAdd(a, b); break;
      case '-': result = WrapSub(a, b); break;
      case '*': result = WrapMul(a, b); break;
      case '/': if (b == 0) return false; result = WrapDiv(a, b); break;
      case '%': if (b == 0) return false; result = WrapRem(a, b); break;
      default: result = a; break;
    }
    if (!StoredSlot(line.target, 'I', slot)) return false;
    IntStore[static_cast<size_t>(slot)] = result;
    return true;
  }
  long double a = 0, b = 0, result = 0;
  if (!RealValue(line.a, a) || !RealValue(line.b, b)) return false;
  switch (line.op) {
    case '+': result = a + b; break;
    case '-': result = a - b; break;
    case '*': result = a * b; break;
    case '/': if (b == 0) return false; result = a / b; break;
    case '%': if (b == 0) return false; result = std::fmod(a, b); break;
    default: result = a; break;
  }
  // The text evaluator writes the 6-byte value with 15 digits and reads it
  // back, which gives the same value again.
  const auto rounded = ToReal48(result);
  if (!rounded || !StoredSlot(line.target, 'R', slot)) return false;
  RealStore[static_cast<size_t>(slot)] = *rounded;
  return true;
}

bool TForm3::FastStringAssign(const CompiledLine& line) {
  std::string_view left, right;
  if (!StringValue(line.s, left, fastLeft_)) return false;
  if (line.op == '+' && !StringValue(line.t, right, fastRight_)) return false;
  if (left.size() + right.size() > kMaxStringLength) return false;
  int64_t slot = 0;
  if (line.form == CompiledLine::Form::AssignChar) {
    if (!StoredSlot(line.target, 'C', slot) || (left.empty() && right.empty())) return false;
    CharStore[static_cast<size_t>(slot)] = static_cast<uint8_t>(left.empty() ? right[0] : left[0]);
    return true;
  }
  if (!StoredSlot(line.target, 'S', slot)) return false;
  // The values may be views of the target itself.
  fastResult_.assign(left);
  fastResult_.append(right);
  if (recording_) KeepOldString(slot);
  StringStore[static_cast<size_t>(slot)].swap(fastResult_);
  return true;
}

// BlockEnd from the line being executed, worked out again only when the
// text may have changed.
bool TForm3::FastBlockEnd(CompiledLine& line, int32_t& end) {
  if (KnownJump(line, end)) return true;
  const uint64_t calls = host_.Calls();
  end = CurrentLine;
  if (!BlockEnd(*lines_, end)) return false;
  KeepJump(line, CurrentLine, end, calls);
  return true;
}

bool TForm3::FastFor(CompiledLine& line) {
  if (ReturnTop + 4 > kReturnItems || ControlTop >= kControlEntries) return false;
  int32_t initial = 0, limit = 0;
  if (!IntValue(line.a, initial) || !IntValue(line.b, limit)) return false;
  int32_t step = line.step;
  if (line.stepSlot >= 0) {
    const int32_t amount = IntStore[static_cast<size_t>(line.stepSlot)];
    step = line.stepSign > 0 ? amount : WrapSub(0, amount);
  }
  const int32_t slot = line.target.slot;
  IntStore[static_cast<size_t>(slot)] = initial;
  int32_t end = CurrentLine;
  const auto kept = ForLimit(initial, limit, line.limitAdjust, step);
  if (!kept) {
    if (FastBlockEnd(line, end)) CurrentLine = end;
    return true;
  }
  if (!FastBlockEnd(line, end)) return true;
  ReturnStack[static_cast<size_t>(ReturnTop++)] = CurrentLine;
  ReturnStack[static_cast<size_t>(ReturnTop++)] = slot;
  ReturnStack[static_cast<size_t>(ReturnTop++)] = *kept;
  ReturnStack[static_cast<size_t>(ReturnTop++)] = step;
  PushControl(end + 1, "next");
  return true;
}

bool TForm3::FastWhile(CompiledLine& line) {
  bool holds = false;
  if (DoPending) {  // the closing while of a do loop
    if (ReturnTop == 0 || !FastCondition(line.condition, holds)) return false;
    if (!holds) {
      CurrentLine = ReturnStack[static_cast<size_t>(ReturnTop - 1)];
      return true;
    }
    --ReturnTop;
    DoPending = false;
    PopControl();
    return true;
  }
  if (ReturnTop >= kReturnItems || ControlTop >= kControlEntries) return false;
  if (!FastCondition(line.condition, holds)) return false;
  int32_t end = CurrentLine;
  if (!FastBlockEnd(line, end)) return true;
  if (!holds) {
    CurrentLine = end;
    return true;
  }
  ReturnStack[static_cast<size_t>(ReturnTop++)] = CurrentLine;
  PushControl(end + 1, "wend");
  return true;
}

bool TForm3::FastPrint(const CompiledLine& line) {
  const ValueTerm& value = line.value;
  if (value.constant) {
    DrawOutput(value.text, line.newLine);
    return true;
  }
  int64_t slot = 0;
  if (value.kind == 'S') {
    if (!StoredSlot(value.at, 'S', slot)) return false;
    DrawOutput(StringStore[static_cast<size_t>(slot)], line.newLine);
    return true;
  }
  std::string_view text;
  if (!TextValue(value, text, fastLeft_)) return false;
  DrawOutput(fastLeft_, line.newLine);
  return true;
}

// The closer of a for loop: the same as popping its four items, adding the
// step and pushing them back.
bool TForm3::FastNext() {
  if (ReturnTop < 4) return false;
  const auto top = static_cast<size_t>(ReturnTop);
  const int32_t step = ReturnStack[top - 1], limit = ReturnStack[top - 2];
  const int32_t slot = ReturnStack[top - 3], forLine = ReturnStack[top - 4];
  if (slot < 0 || slot > kStoreSlots) return false;
  const int32_t value = WrapAdd(IntStore[static_cast<size_t>(slot)], step);
  IntStore[static_cast<size_t>(slot)] = value;
  if ((step > 0 && value > limit) || (step < 0 && value < limit)) {
    ReturnTop -= 4;
    PopControl();
    return true;
  }
  CurrentLine = forLine;
  return true;
}

bool TForm3::FastWend() {
  if (ReturnTop == 0) return false;
  CurrentLine = LineBefore(ReturnStack[static_cast<size_t>(--ReturnTop)]);
  PopControl();
  return true;
}

bool TForm3::RunCompiled(CompiledLine& line) {
  using Form = CompiledLine::Form;
  switch (line.form) {
    case Form::AssignInt:
    case Form::AssignReal: return FastAssign(line);
    case Form::AssignString:
    case Form::AssignChar: return FastStringAssign(line);
    case Form::Increment: {
      int64_t slot = 0;
      if (!StoredSlot(line.target, 'I', slot)) return false;
      int32_t& value = IntStore[static_cast<size_t>(slot)];
      value = line.decrement ? WrapSub(value, 1) : WrapAdd(value, 1);
      return true;
    }
    case Form::If: {
      bool holds = false;
      if (!FastCondition(line.condition, holds)) return false;
      if (holds) return true;
      if (int32_t to = 0; KnownJump(line, to)) {
        CurrentLine = to;
        return true;
      }
      const uint64_t calls = host_.Calls();
      const int32_t from = CurrentLine;
      SkipFalseThen();
      KeepJump(line, from, CurrentLine, calls);
      return true;
    }
    case Form::While: return FastWhile(line);
    case Form::For: return FastFor(line);
    case Form::Print: return FastPrint(line);
  }
  return false;
}

}  // namespace orv
