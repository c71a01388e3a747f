// The symbol-table listing, the examine-variable evaluation, the arrays'
// cells and the stacks' entries.
#include "interp/debug_views.h"

#include <algorithm>

#include "interp/Unit3.h"
#include "interp/expression.h"
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

// --- Arrays -------------------------------------------------------------------

namespace {

bool IsArray(const Symbol& symbol) {
  return !symbol.Name.empty() && symbol.Name.back() == '[' &&
         (symbol.Kind == 'C' || symbol.Kind == 'I' || symbol.Kind == 'R' || symbol.Kind == 'S');
}

// The first slot after the variables of a kind: where the store hands out next.
int64_t StoreEnd(const TForm3& t, char kind) {
  switch (kind) {
    case 'C': return int64_t{t.CharCount} + 1;
    case 'I': return int64_t{t.IntCount} + 1;
    case 'R': return int64_t{t.RealCount} + 1;
    default: return static_cast<int64_t>(t.StringStore.size());
  }
}

std::string ElementText(const TForm3& t, char kind, int64_t slot) {
  switch (kind) {
    case 'C': return t.CharStore[slot] == 0 ? std::string() : std::string(1, static_cast<char>(t.CharStore[slot]));
    case 'I': return IntText(t.IntStore[slot]);
    case 'R': return FloatText(t.RealStore[slot]);
    default: return t.StringStore[static_cast<size_t>(slot)];
  }
}

}  // namespace

std::vector<ArrayLook> LookAtArrays(const TForm3& t) {
  std::vector<ArrayLook> arrays;
  const std::vector<Symbol>& symbols = t.SymbolTable;
  for (size_t k = 0; k < symbols.size(); ++k) {
    const Symbol& symbol = symbols[k];
    if (!IsArray(symbol)) continue;
    int64_t end = StoreEnd(t, symbol.Kind);
    for (size_t next = k + 1; next < symbols.size(); ++next)
      if (symbols[next].Kind == symbol.Kind) {
        end = symbols[next].Slot;
        break;
      }
    // Never past the store, whatever the table says.
    const int64_t last = symbol.Kind == 'S' ? static_cast<int64_t>(t.StringStore.size()) : int64_t{kStoreSlots} + 1;
    end = std::min(end, last);
    const int64_t first = std::max<int64_t>(symbol.Slot, symbol.Kind == 'S' ? 0 : 1);
    ArrayLook array{symbol.Name.substr(0, symbol.Name.size() - 1), symbol.Kind, {}};
    if (end > first) array.Cells.reserve(static_cast<size_t>(end - first));
    for (int64_t slot = first; slot < end; ++slot) array.Cells.push_back(ElementText(t, symbol.Kind, slot));
    arrays.push_back(std::move(array));
  }
  return arrays;
}

std::vector<std::vector<bool>> ChangedCells(const std::vector<ArrayLook>& now, const std::vector<ArrayLook>& before,
                                            bool firstLook) {
  std::vector<std::vector<bool>> changed;
  changed.reserve(now.size());
  for (const ArrayLook& array : now) {
    std::vector<bool>& flags = changed.emplace_back(array.Cells.size(), false);
    if (firstLook) continue;
    const auto old = std::find_if(before.begin(), before.end(), [&](const ArrayLook& b) {
      return b.Name == array.Name && b.Kind == array.Kind;
    });
    for (size_t i = 0; i < array.Cells.size(); ++i)
      flags[i] = old == before.end() || i >= old->Cells.size() || old->Cells[i] != array.Cells[i];
  }
  return changed;
}

size_t CellChars(const ArrayLook& array) {
  size_t widest = std::to_string(array.Cells.size()).size();
  for (const std::string& cell : array.Cells) widest = std::max(widest, cell.size());
  return std::clamp<size_t>(widest, 1, kMaxCellChars);
}

// --- Stacks ---------------------------------------------------------------------

namespace {

std::string LineWords(int32_t line) { return "ligne " + std::to_string(int64_t{line} + 1); }

// The name of the int variable a for counts with; "?" when none holds the slot.
std::string CounterName(const TForm3& t, int32_t slot) {
  for (const Symbol& symbol : t.SymbolTable)
    if (symbol.Kind == 'I' && symbol.Slot == slot && !symbol.Name.empty() && symbol.Name.back() != '[')
      return symbol.Name;
  return "?";
}

// The first value a for's header gives its variable, as written; empty when
// the line cannot be read.
std::string ForInitial(const LineList* program, int32_t line) {
  if (!program || line < 0 || line >= program->Count()) return std::string();
  std::string scratch;
  const std::string_view text = ProgramLineView(*program, line, scratch);
  const size_t open = text.find('('), close = text.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close <= open) return std::string();
  const std::optional<ForHeader> header = SplitForHeader(text.substr(open + 1, close - open - 1));
  return header ? Trim(header->initial) : std::string();
}

// The procedure whose block ends on the line before `after`: the last one
// declared above it.
std::string ProcedureEndingBefore(const TForm3& t, int32_t after) {
  const Symbol* found = nullptr;
  for (const Symbol& symbol : t.SymbolTable)
    if (symbol.Kind == 'P' && symbol.Slot < after && (!found || symbol.Slot > found->Slot)) found = &symbol;
  return found ? found->Name : std::string("?");
}

}  // namespace

std::vector<StackEntry> StackEntries(const TForm3& t, const LineList* program) {
  std::vector<StackEntry> entries;  // bottom first, reversed at the end
  const int items = std::clamp(t.ReturnTop, 0, kReturnItems);
  const int controls = std::clamp(t.ControlTop, 0, kControlEntries);
  int next = 0;  // the first return item not yet taken
  auto take = [&](int count, int32_t* values) {
    const int got = std::min(count, items - next);
    for (int i = 0; i < got; ++i) values[i] = t.ReturnStack[static_cast<size_t>(next + i)];
    next += got;
    return got == count;
  };
  for (int c = 0; c < controls; ++c) {
    const ControlEntry& control = t.ControlStack[static_cast<size_t>(c)];
    StackEntry entry;
    int32_t values[4] = {};
    if (control.Closer == "next") {
      if (take(4, values)) {
        const std::string initial = ForInitial(program, values[0]);
        entry.Text = "for " + CounterName(t, values[1]) + (initial.empty() ? " jusqu'à "_cp : " de " + initial + " à "_cp) +
                     IntText(values[2]) + ", pas " + IntText(values[3]) + " (" + LineWords(values[0]) + ")";
        entry.Line = values[0];
      } else {
        entry.Text = "for (ligne inconnue)";
      }
    } else if (control.Closer == "wend" || control.Closer == "until") {
      const std::string loop = control.Closer == "wend" ? "while" : "do \x85 while";
      if (take(1, values)) {
        entry.Text = loop + " (" + LineWords(values[0]) + ")";
        entry.Line = values[0];
      } else {
        entry.Text = loop + " (ligne inconnue)";
      }
    } else if (control.Closer == "endsub") {
      entry.Text = "appel de " + ProcedureEndingBefore(t, control.Line);
      if (take(1, values)) {
        entry.Text += " depuis la " + LineWords(values[0]);
        entry.Line = values[0];
      }
    } else {
      entry.Text = control.Closer;
    }
    entries.push_back(std::move(entry));
  }
  for (; next < items; ++next)
    entries.push_back({"valeur restée en pile : "_cp + IntText(t.ReturnStack[static_cast<size_t>(next)]), -1});
  std::reverse(entries.begin(), entries.end());
  return entries;
}

}  // namespace orv
