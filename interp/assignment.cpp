// Assignment, increment and the new File statement.
#include "interp/Unit3.h"
#include "interp/expression.h"
#include "interp/text.h"

namespace orv {

void TForm3::AssignStatement(std::string_view l2) {
  const size_t equals = l2.find('=');
  const std::string_view expressionText =
      equals == std::string_view::npos ? std::string_view() : TrimView(Tail(l2, equals + 1));
  if (equals != std::string_view::npos && BeginsWithNew(expressionText)) return;

  std::string target = Trim(l2.substr(0, equals == std::string_view::npos ? 0 : equals));
  int64_t offset = 0;
  if (const Reference element = SplitReference(target); element.indexed) {
    if (!element.closed) return Fail("Erreur de syntaxe");
    const auto index = Indice(element.index);
    if (!index) return;
    offset = *index;
    target.erase(element.name.size());
  }
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(target, kind, slot)) return Fail("Identificateur " + target + " inconnu");

  // x = ; would otherwise store the value of nothing, 0 for a number.
  if (expressionText.empty() && Contains("SCIRF", kind)) return Fail("Expression vide");
  std::string expression(expressionText);
  bool ok = true;
  switch (kind) {
    case 'S': case 'C': ok = StringExpression(expression); break;
    case 'I': ok = IntExpression(expression); break;
    case 'R': ok = FloatExpression(expression); break;
    case 'F': {
      // f = File(nom) names the file as f = new File(nom) does.
      std::string_view operand = expression;
      if (operand.starts_with("File(")) operand.remove_prefix(5);
      std::string name(DropLast(operand));
      if (StringOperand(name) && RunState == kRunning && CheckSlot('F', slot)) {
        CloseFileSlot(FileStore[slot]);
        FileStore[slot].Name = name;
      }
      return;
    }
    default: return;  // labels and procedures
  }
  if (ok && RunState == kRunning) StoreValue(expression, kind, int64_t{slot} + offset);
}

void TForm3::IncrementStatement(std::string_view l2) {
  std::string name(l2.substr(0, l2.size() - 2));
  const std::string_view op = l2.substr(l2.size() - 2);
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(name, kind, slot) || (op != "++" && op != "--")) return StopSilently("variable inconnue");
  if (kind != 'I') return Fail("Variable non integer");
  if (!CheckSlot('I', slot)) return;
  IntStore[slot] = op == "++" ? WrapAdd(IntStore[slot], 1) : WrapSub(IntStore[slot], 1);
}

void TForm3::NewFileStatement(std::string_view l) {
  std::string_view t = TrimView(l);
  t = t.substr(0, t.size() >= 2 ? t.size() - 2 : 0);
  const size_t equals = t.find('=');
  if (equals == std::string_view::npos) return Fail("Erreur de syntaxe");
  std::string name = Trim(t.substr(0, equals));
  std::string fileName = Trim(Tail(t, t.find('(') + 1));
  if (!StringOperand(fileName)) return;
  fileName = Trim(fileName);
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(name, kind, slot) || kind != 'F') return Fail("Variable fichier attendue");
  if (!CheckSlot('F', slot)) return;
  CloseFileSlot(FileStore[slot]);
  FileStore[slot].Name = fileName;
}

}  // namespace orv
