// The line compiler reads a statement's text the way its handler does, step
// by step and in the same order, and keeps what that reading decides. Both
// cut the text with the same lexical reading (expression.h): numbers, names,
// name[index], operators. Every reading that could end in a message, a
// silent stop or a form it does not know ends the compilation instead: the
// line stays with the text evaluator.
#include "interp/line_compiler.h"

#include "interp/expression.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {
namespace {

constexpr size_t npos = std::string_view::npos;

bool Constant(std::string_view text, ValueTerm& value) {
  value.constant = true;
  value.text = std::string(text);
  value.integer = SmallInteger(text);
  return true;
}

class Compiler {
 public:
  explicit Compiler(const TForm3& interpreter) : f_(interpreter) {}

  bool Statement(const LineInfo& info, CompiledLine& c) const {
    const std::string_view a = info.Argument;
    switch (info.Verb) {
      case StatementVerb::Assign: return Assign(a, c);
      case StatementVerb::Increment: return Increment(a, c);
      case StatementVerb::If: c.form = CompiledLine::Form::If; return Condition(a, c.condition);
      case StatementVerb::While: c.form = CompiledLine::Form::While; return Condition(a, c.condition);
      case StatementVerb::For: return For(a, c);
      case StatementVerb::Print: return Print(a, false, c);
      case StatementVerb::PrintLine: return Print(a, true, c);
      default: return false;
    }
  }

 private:
  // The symbol of exactly this name.
  const Symbol* Lookup(std::string_view name) const {
    const int index = f_.SymbolIndex(name);
    return index ? &f_.SymbolTable[static_cast<size_t>(index - 1)] : nullptr;
  }
  // ChercheEtiq's lookup, without its effects.
  const Symbol* Find(std::string_view text) const { return Lookup(LookupName(text)); }

  static bool InIntStore(int32_t slot) { return slot >= 0 && slot <= kStoreSlots; }

  // TForm3::Indice: an int variable or an integer literal, less 1, as
  // ReadIndex reads it: "*5" is 5, "**i" no index at all.
  bool Index(std::string_view indexText, StoreRef& at) const {
    const IndexText index = ReadIndex(indexText);
    if (const Symbol* symbol = Lookup(index.name)) {
      if (symbol->Kind != 'I' || !InIntStore(symbol->Slot)) return false;
      at.indexSlot = symbol->Slot;
      return true;
    }
    if (!index.number) return false;
    at.offset = int64_t{*index.number} - 1;
    return true;
  }

  // The index of an element: its ']' and an index Indice takes.
  bool ElementIndex(const orv::Reference& element, StoreRef& at) const {
    return element.closed && Index(element.index, at);
  }

  // name or name[index] (ResolveReference), a variable of one of `kinds`.
  bool Reference(std::string_view text, std::string_view kinds, ValueTerm& value) const {
    const orv::Reference reference = SplitReference(text);
    StoreRef at;
    if (reference.indexed && !ElementIndex(reference, at)) return false;
    const Symbol* symbol = Find(reference.name);
    if (!symbol || symbol->Kind == 0 || !Contains(kinds, symbol->Kind)) return false;
    at.slot = symbol->Slot;
    value.constant = false;
    value.kind = symbol->Kind;
    value.at = at;
    return true;
  }

  // ScanValue.
  bool Value(std::string_view text, ValueTerm& value) const {
    if (text.empty() || (text[0] == '\'' && text.size() < 2)) return false;
    if (text[0] == '\'') return Constant(text.substr(1, 1), value);
    if (text[0] == '"') {
      const auto literal = QuotedText(text, true);
      return literal && Constant(*literal, value);
    }
    if (BeginsNumber(text)) return IsNumberText(text) && Constant(text, value);
    return Reference(text, "CSIR", value);
  }

  // StringOperand.
  bool StringOperand(std::string_view text, ValueTerm& value) const {
    if (text.empty() || (text[0] == '\'' && text.size() < 2)) return false;
    if (text[0] == '\'') return Constant(text.substr(1, 1), value);
    if (text[0] == '"') {
      const auto literal = QuotedText(text, false);
      return literal && Constant(*literal, value);
    }
    return Reference(text, "S", value);
  }

  // ScanValue followed by the decimal integer conversion (of the value
  // trimmed or as it stands).
  bool IntValue(std::string_view text, bool trimmed, NumberTerm& number) const {
    ValueTerm value;
    if (!Value(text, value)) return false;
    if (value.constant) {
      const auto k = ParseInt32(trimmed ? TrimView(value.text) : std::string_view(value.text));
      if (!k) return false;
      number.source = NumberTerm::Source::Constant;
      number.value = *k;
      return true;
    }
    if (value.kind != 'I') return false;
    number.source = NumberTerm::Source::Int;
    number.at = value.at;
    return true;
  }

  // ArrayElement, with the operand as the current text.
  bool Element(std::string_view text, char kind, StoreRef& at) const {
    const orv::Reference element = SplitReference(text);
    if (!element.indexed) return false;
    const Symbol* symbol = Find(element.name);
    if (!symbol || symbol->Kind != kind || !ElementIndex(element, at)) return false;
    at.slot = symbol->Slot;
    return true;
  }

  // IntOperand: literal, variable, element or the length of a string.
  bool IntOperand(std::string_view operand, NumberTerm& number) const {
    operand = TrimView(operand);
    number = {};
    if (operand.empty()) return true;
    if (BeginsWholeNumber(operand)) {
      const auto value = ParseInt32(operand);
      if (!value) return false;
      number.value = *value;
      return true;
    }
    if (const Symbol* symbol = Find(operand)) {
      if (symbol->Kind != 'I') return false;
      number.source = NumberTerm::Source::Int;
      number.at.slot = symbol->Slot;
      return true;
    }
    if (operand.starts_with("(int)")) return false;
    if (const size_t dot = operand.find('.'); dot != npos) {
      ValueTerm value;
      if (Tail(operand, dot + 1) != "length()" || !StringOperand(operand.substr(0, dot), value)) return false;
      if (value.constant) {
        number.value = static_cast<int32_t>(value.text.size());
      } else {
        number.source = NumberTerm::Source::StringLength;
        number.at = value.at;
      }
      return true;
    }
    if (Contains(operand, '(')) return false;
    number.source = NumberTerm::Source::Int;
    return Element(operand, 'I', number.at);
  }

  // FloatOperand: literal, variable, element, or a cast of an int.
  bool RealOperand(std::string_view operand, NumberTerm& number) const {
    operand = TrimView(operand);
    number = {};
    if (operand.empty()) return true;
    if (BeginsNumber(operand)) {
      const FloatLiteral literal = ReadFloatLiteral(operand);
      number.real = literal.value;
      return literal.status == FloatLiteral::Status::Ok;
    }
    if (const Symbol* symbol = Find(operand)) {
      if (symbol->Kind != 'R') return false;
      number.source = NumberTerm::Source::Real;
      number.at.slot = symbol->Slot;
      return true;
    }
    if (operand.starts_with("(")) {
      if (const size_t close = operand.find(')'); close != npos) {
        const std::string_view cast = operand.substr(0, close + 1);
        ValueTerm value;
        if ((cast != "(double)" && cast != "(float)") || !Value(Tail(operand, close + 1), value)) return false;
        if (value.constant) {
          const auto decimal = ParseDecimal(value.text);
          const auto real = decimal ? ToReal48(*decimal) : std::nullopt;
          if (!real) return false;
          number.real = *real;
          return true;
        }
        if (value.kind != 'I') return false;  // an int converts exactly
        number.source = NumberTerm::Source::IntAsReal;
        number.at = value.at;
        return true;
      }
    }
    if (Contains(operand, '(')) return false;
    number.source = NumberTerm::Source::Real;
    return Element(operand, 'R', number.at);
  }

  // TakeSubstring of "object,start,end)".
  bool Substring(const std::string& text, TextTerm& term) const {
    const std::string_view t = DropLast(text);
    const size_t comma = t.find(',');
    const std::string_view arguments = comma == npos ? std::string_view() : Tail(t, comma + 1);
    const size_t second = arguments.find(',');
    if (second == npos) return false;
    term.form = TextTerm::Form::Substring;
    return IntValue(arguments.substr(0, second), true, term.start) &&
           IntValue(Tail(arguments, second + 1), true, term.end) && StringOperand(t.substr(0, comma), term.value);
  }

  // TForm3::StringTerm.
  bool Term(std::string_view text, TextTerm& term) const {
    using Form = TextTerm::Form;
    const std::string_view t = TrimView(text);
    term.form = Form::Value;
    if (t.size() >= 2 && t[0] == '\'') return Constant(t.substr(1, 1), term.value);
    if (t.empty() || t[0] == '"' || !HasAccess(t)) return StringOperand(t, term.value);
    if (const std::optional<MethodCall> call = SplitMethod(t)) {
      const std::string_view object = call->object, method = call->method;
      if (method == "toUpperCase()" || method == "toLowerCase()") {
        term.form = method == "toUpperCase()" ? Form::Upper : Form::Lower;
        return StringOperand(object, term.value);
      }
      if (method.starts_with("substring"))
        return Substring(std::string(object) + "," + std::string(Tail(method, 10)), term);
      return false;
    }
    if (Contains(t, '(')) return false;
    term.value.constant = false;
    term.value.kind = 'S';
    return Element(t, 'S', term.value.at);
  }

  // AssignStatement.
  bool Assign(std::string_view l2, CompiledLine& c) const {
    const size_t equals = l2.find('=');
    if (equals == npos) return false;
    const std::string_view expression = TrimView(Tail(l2, equals + 1));
    if (expression.empty() || BeginsWithNew(expression)) return false;
    const orv::Reference target = SplitReference(TrimView(l2.substr(0, equals)));
    if (target.indexed && !ElementIndex(target, c.target)) return false;
    const Symbol* symbol = Find(target.name);
    if (!symbol) return false;
    c.target.slot = symbol->Slot;
    switch (symbol->Kind) {
      case 'I': c.form = CompiledLine::Form::AssignInt; return Numbers(expression, false, c);
      case 'R': c.form = CompiledLine::Form::AssignReal; return Numbers(expression, true, c);
      case 'S': c.form = CompiledLine::Form::AssignString; return Strings(expression, c);
      case 'C': c.form = CompiledLine::Form::AssignChar; return Strings(expression, c);
      default: return false;
    }
  }

  // IntExpression and FloatExpression.
  bool Numbers(std::string_view expression, bool real, CompiledLine& c) const {
    const SplitExpression split = SplitOperator(expression);
    c.op = split.op.empty() ? 0 : split.op[0];
    if (real) return RealOperand(split.left, c.a) && RealOperand(split.right, c.b);
    return IntOperand(split.left, c.a) && IntOperand(split.right, c.b);
  }

  // StringExpression: one term, or two joined by the last "+" outside
  // character literals.
  bool Strings(std::string_view expression, CompiledLine& c) const {
    const size_t plus = FindStringPlus(expression);
    if (plus == npos) return Term(expression, c.s);
    c.op = '+';
    return Term(expression.substr(0, plus), c.s) && Term(Tail(expression, plus + 1), c.t);
  }

  // IncrementStatement.
  bool Increment(std::string_view l2, CompiledLine& c) const {
    if (l2.size() < 2) return false;
    const std::string_view op = l2.substr(l2.size() - 2);
    const Symbol* symbol = Find(l2.substr(0, l2.size() - 2));
    if ((op != "++" && op != "--") || !symbol || symbol->Kind != 'I') return false;
    c.form = CompiledLine::Form::Increment;
    c.target.slot = symbol->Slot;
    c.decrement = op == "--";
    return true;
  }

  // EvalCondition, for one comparison.
  bool Condition(std::string_view text, Comparison& condition) const {
    const std::optional<std::string_view> inside = ConditionInside(TrimView(text));
    if (!inside || ReadFileEndTest(*inside).present) return false;
    text = *inside;
    size_t length = 0;
    const size_t at = FindComparison(text, length);
    if (at == npos) return false;
    using Op = Comparison::Op;
    const std::string_view op = text.substr(at, length);
    condition.op = op == "==" ? Op::Equal
                   : op == "!=" ? Op::Different
                   : op == "<"  ? Op::Below
                   : op == ">"  ? Op::Above
                   : op == "<=" ? Op::BelowOrEqual
                                : Op::AboveOrEqual;
    return Value(TrimView(text.substr(0, at)), condition.left) &&
           Value(TrimView(Tail(text, at + length)), condition.right);
  }

  // ForStatement: the header's variable, values and step.
  bool For(std::string_view a, CompiledLine& c) const {
    if (a.size() < 2 || a.front() != '(' || a.back() != ')') return false;
    const std::optional<ForHeader> header = SplitForHeader(a.substr(1, a.size() - 2));
    if (!header) return false;
    const std::string_view var = LookupName(header->var);  // as ChercheEtiq leaves it
    const Symbol* symbol = Lookup(var);
    if (!symbol || symbol->Kind != 'I' || !InIntStore(symbol->Slot)) return false;
    c.form = CompiledLine::Form::For;
    c.target.slot = symbol->Slot;

    if (!IntValue(header->initial, true, c.a)) return false;
    const ForCondition condition = ReadForCondition(header->condition, var);
    if (condition.op.empty() || !IntValue(condition.limit, false, c.b)) return false;
    c.limitAdjust = condition.op == "<" ? -1 : condition.op == ">" ? 1 : 0;

    const std::optional<StepForm> step = ForStepForm(header->increment, var);
    if (!step) return false;
    if (const auto k = ParseInt32(step->amount)) {
      c.step = step->sign > 0 ? *k : WrapSub(0, *k);
      return true;
    }
    const int index = f_.SymbolIndex(step->amount);
    if (index == 0) return false;
    const Symbol& amount = f_.SymbolTable[static_cast<size_t>(index - 1)];
    if (amount.Kind != 'I' || !InIntStore(amount.Slot)) return false;
    c.stepSlot = amount.Slot;
    c.stepSign = static_cast<int8_t>(step->sign);
    return true;
  }

  // PrintStatement.
  bool Print(std::string_view a, bool newLine, CompiledLine& c) const {
    const std::string_view text = DropLast(TrimView(a));
    c.form = CompiledLine::Form::Print;
    c.newLine = newLine;
    return !text.empty() && Value(text, c.value);
  }

  const TForm3& f_;
};

}  // namespace

std::unique_ptr<CompiledLine> CompileLine(const TForm3& interpreter, const LineInfo& line) {
  if (line.Kind != LineKind::Statement) return nullptr;
  auto compiled = std::make_unique<CompiledLine>();
  if (!Compiler(interpreter).Statement(line, *compiled)) return nullptr;
  return compiled;
}

}  // namespace orv
