// Symbol table and the typed value stores.
#include <algorithm>

#include "interp/Unit3.h"
#include "interp/history.h"
#include "interp/expression.h"
#include "interp/real48.h"
#include "interp/text.h"

namespace orv {

TForm3::TForm3(Host& host) : host_(host) { ResetInterpreter(); }

TForm3::~TForm3() { CloseAll(); }

void TForm3::Fail(std::string_view message) {
  Outside().MessageBox(std::string(message));
  if (stopReason_.empty()) stopReason_ = message;
  RunState = kStopped;
  errorReported_ = true;
}

void TForm3::StopSilently(std::string_view reason) {
  if (stopReason_.empty()) stopReason_ = reason;
  RunState = kStopped;
  errorReported_ = true;
}

void TForm3::ClearLookupFailure() { RunState = errorReported_ ? kStopped : kRunning; }

void TForm3::ResetInterpreter() {
  SymbolTable.clear();
  lineCache_.clear();  // procedure names decide calls
  CharCount = IntCount = RealCount = FileCount = 0;
  ControlTop = 0;
  ReturnTop = 0;
  BraceDepth = 0;
  DoPending = false;
  Garbage();
  StringStore.assign(1, " ");  // item 0 is a placeholder
  history_.reset();            // nothing of the old program can be taken back
}

void TForm3::Garbage() {
  StringStore.clear();
  StringStore.shrink_to_fit();
}

int TForm3::SymbolIndex(std::string_view name) const {
  for (size_t i = 0; i < SymbolTable.size(); ++i)
    if (SymbolTable[i].Name == name) return static_cast<int>(i) + 1;
  return 0;
}

bool TForm3::ChercheEtiq(std::string& name, char& kind, int32_t& slot) {
  slot = -1;
  RunState = kStopped;
  name.erase(0, name.size() - LookupName(name).size());
  const int index = SymbolIndex(name);
  if (index == 0) return false;
  kind = SymbolTable[index - 1].Kind;
  slot = SymbolTable[index - 1].Slot;
  ClearLookupFailure();
  return true;
}

bool TForm3::CheckSlot(char kind, int64_t slot) {
  int64_t last = -1;
  switch (kind) {
    case 'C': case 'I': case 'R': last = kStoreSlots; break;
    case 'F': last = kFileSlots; break;
    case 'S': last = static_cast<int64_t>(StringStore.size()) - 1; break;
    default: return true;  // kinds without storage read and write nothing
  }
  if (slot >= 0 && slot <= last) return true;
  Fail("Indice hors limites");
  return false;
}

bool TForm3::LitValeur(int64_t slot, char kind, long double& real, int32_t& integer,
                       std::string& text) {
  if (!CheckSlot(kind, slot)) return false;
  switch (kind) {
    case 'C': text.assign(1, static_cast<char>(CharStore[slot])); break;
    case 'I': integer = IntStore[slot]; break;
    case 'R': real = RealStore[slot]; break;
    case 'S': text = StringStore[slot]; break;
    default: break;
  }
  return true;
}

void TForm3::StoreValue(std::string_view text, char kind, int64_t slot) {
  if (!CheckSlot(kind, slot)) return;
  switch (kind) {
    case 'C':
      if (text.empty()) return Fail("Erreur de conversion");
      CharStore[slot] = static_cast<uint8_t>(text[0]);
      break;
    case 'I': {
      const auto value = ParseInt32(TrimView(text));
      if (!value) return Fail("Erreur de conversion");
      IntStore[slot] = *value;
      break;
    }
    case 'R': {
      const auto value = ParseDecimal(TrimView(text));
      const auto real = value ? ToReal48(*value) : std::nullopt;
      if (!real) return Fail("Erreur de conversion");
      RealStore[slot] = *real;
      break;
    }
    case 'S':
      if (recording_) KeepOldString(slot);
      StringStore[slot] = std::string(text);
      break;
    default: break;  // files, labels and procedures store nothing
  }
}

// Blanks around the index are not part of it: t[ i ] is t[i]. The offset is
// computed in 64 bits, so the index -2147483648 stays below every slot.
std::optional<int64_t> TForm3::Indice(std::string_view indexText) {
  std::string name = Trim(indexText);
  char kind = 0;
  int32_t slot = 0;
  if (ChercheEtiq(name, kind, slot)) {
    if (kind != 'I') {
      Fail("Indice de type incorrect");
      return std::nullopt;
    }
    if (!CheckSlot('I', slot)) return std::nullopt;
    return int64_t{IntStore[slot]} - 1;
  }
  ClearLookupFailure();
  const auto value = ReadIndex(indexText).number;
  if (!value) {
    Fail("Erreur dans indice");
    return std::nullopt;
  }
  return int64_t{*value} - 1;
}

void TForm3::ZeroSlot(char kind, int32_t slot) {
  switch (kind) {
    case 'C': CharStore[slot] = 0; break;
    case 'I': IntStore[slot] = 0; break;
    case 'R': RealStore[slot] = 0; break;
    case 'F': CloseFileSlot(FileStore[slot]); FileStore[slot].Name.clear(); break;
    default: break;
  }
}

bool TForm3::Allocate(char kind, int32_t size, int32_t& first) {
  int* count = nullptr;
  int limit = kStoreSlots;
  switch (kind) {
    case 'C': count = &CharCount; break;
    case 'I': count = &IntCount; break;
    case 'R': count = &RealCount; break;
    case 'F': count = &FileCount; limit = kFileSlots; break;
    case 'S':
      if (StringStore.size() + static_cast<size_t>(size) > kMaxStringItems) {
        Fail("Trop de variables");
        return false;
      }
      first = static_cast<int32_t>(StringStore.size());
      StringStore.insert(StringStore.end(), static_cast<size_t>(size), " ");
      return true;
    default:
      first = 0;  // labels and procedures get their line from the pre-pass
      return true;
  }
  if (static_cast<int64_t>(*count) + size > limit) {
    Fail("Trop de variables");
    return false;
  }
  first = *count + 1;
  // Every slot of a new variable starts from its zero value, so that a
  // program gives the same results on every run.
  for (int32_t i = 0; i < std::max<int32_t>(size, 1) && first + i <= limit; ++i)
    ZeroSlot(kind, first + i);
  *count += size;
  return true;
}

void TForm3::DeclareVariable(std::string name, char kind) {
  if (!name.empty() && name[0] == '*') name.erase(0, 1);
  if (name.size() > kMaxNameLength) return Fail("Nom trop long (20 maxi)");
  if (name.empty()) return;
  if (!IsAsciiLetter(name[0]) && !IsDigit(name[0])) return Fail("Caractère non valide (a-z)"_cp);
  name = Trim(name);
  if (name.empty()) return;
  int32_t size = 1;
  if (const size_t open = name.find('['); open != std::string::npos) {
    const size_t close = name.find(']', open);
    const std::string_view sizeText =
        close == std::string::npos ? std::string_view() : std::string_view(name).substr(open + 1, close - open - 1);
    const auto parsed = ParseInt32(sizeText);
    // A negative size would hand out slots that belong to other variables.
    if (!parsed || *parsed < 0) return Fail("Erreur de syntaxe");
    size = *parsed;
    name.erase(kind == 'C' ? open : open + 1);
  }
  if (SymbolIndex(name) != 0) return Fail("Symbole déjà défini"_cp);
  if (SymbolTable.size() >= kMaxSymbols) return Fail("Table des symboles saturée"_cp);
  int32_t first = 0;
  if (!Allocate(kind, size, first)) return;
  SymbolTable.push_back({name.substr(0, kMaxNameLength), kind, first});
  lineCache_.clear();  // classified and compiled lines read the table
}

void TForm3::DeclareLabel(std::string_view name, char kind, int32_t line) {
  if (name.size() > kMaxNameLength) return Fail("Nom trop long (20 maxi)");
  if (name.empty() || !IsAsciiLetter(name[0])) return Fail("Caractère non valide (A-Z,a-z)"_cp);
  if (SymbolIndex(name) != 0) return Fail("Identificateur dupliqué"_cp);
  if (SymbolTable.size() >= kMaxSymbols) return Fail("Table des symboles saturée"_cp);
  SymbolTable.push_back({std::string(name), kind, line});
  lineCache_.clear();
}

}  // namespace orv
