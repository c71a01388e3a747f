// The symbol-table listing and the examine-variable evaluation.
#include "interp/Unit3.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {

std::vector<std::string> TForm3::Stats() const {
  std::vector<std::string> listing;
  int procedures = 0, labels = 0, strings = 0, chars = 0, ints = 0, reals = 0, files = 0;
  for (const Symbol& symbol : SymbolTable) {
    std::string line = symbol.Name + " , ";
    if (symbol.Kind != 0) line += symbol.Kind;
    line += " , " + std::to_string(symbol.Slot);
    listing.push_back(std::move(line));
    switch (symbol.Kind) {
      case 'P': ++procedures; break;
      case 'L': ++labels; break;
      case 'S': ++strings; break;
      case 'C': ++chars; break;
      case 'I': ++ints; break;
      case 'R': ++reals; break;
      case 'F': ++files; break;
      default: break;
    }
  }
  listing.emplace_back(" ");
  listing.emplace_back(79, '-');
  const std::pair<std::string, int> counts[] = {
      {"Void : ", procedures}, {"Etiquettes : ", labels}, {"Var String : ", strings},
      {"Var Char : ", chars},  {"Var Int : ", ints},      {"Var Float : ", reals},
      {"Var File : ", files},  {"Eléments en pile : "_cp, ReturnTop}};
  for (const auto& [label, count] : counts) listing.push_back(label + std::to_string(count));
  return listing;
}

std::string TForm3::Examiner(const std::string& text) {
  RunState = kRunning;
  errorReported_ = false;
  std::string name = text;
  std::string shown = text;
  int64_t offset = 0;
  if (const size_t open = text.find('['); open != std::string::npos) {
    const size_t close = text.find(']', open);
    if (close == std::string::npos) return "Erreur de syntaxe";
    name = text.substr(0, open + 1);
    shown = text.substr(open + 1, close - open - 1);
    const auto index = Indice(shown);
    if (!index) return std::string();
    offset = *index;
  }
  char kind = 0;
  int32_t slot = 0;
  if (!ChercheEtiq(name, kind, slot)) {
    RunState = kRunning;
    return "Variable inconnue";
  }
  long double real = 0;
  int32_t integer = 0;
  std::string value;
  if (!LitValeur(int64_t{slot} + offset, kind, real, integer, value)) return std::string();
  switch (kind) {
    case 'I': return IntText(integer);
    case 'R': return FloatText(real);
    case 'C': case 'S': return value;
    default: return shown;
  }
}

}  // namespace orv
