// The pre-pass: frame check and declarations, before a fresh run; and the
// block scanners the control-flow statements use.
#include "interp/Unit3.h"
#include "interp/text.h"

namespace orv {
namespace {

// Drops a leading word of six letters together with the character after it.
std::string_view CutWord(std::string_view s, std::string_view word) {
  if (s.substr(0, word.size()) == word) return TrimView(Tail(s, word.size() + 1));
  return s;
}

// The first word (before the first blank) equals `word`.
bool FirstWordIs(std::string_view line, std::string_view word) {
  return line.substr(0, line.find(' ')) == word;
}

// The innermost "{" line that no closing line matches, counting blocks as
// BlockEnd does; -1 when every block is closed. An unclosed block would
// otherwise run on silently to the end of the program.
int32_t UnclosedBlock(const LineList& lines) {
  std::vector<int32_t> open;
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const std::string text = ProgramLine(lines, i);
    const std::string_view trimmed = TrimView(text);
    if (trimmed == "{") open.push_back(i);
    else if (!trimmed.empty() && trimmed[0] == '}' && !open.empty()) open.pop_back();
  }
  return open.empty() ? -1 : open.back();
}

}  // namespace

std::string CleanLine(std::string_view line) {
  std::string s(line);
  for (char& c : s)
    if (c == '\t') c = ' ';
  std::string_view v = TrimView(s);
  v = CutWord(v, "public");
  v = CutWord(v, "static");
  return std::string(v);
}

bool IsMainHeader(std::string_view cleaned) {
  if (cleaned.substr(0, 4) == "void") cleaned = TrimView(Tail(cleaned, 4));
  return cleaned.substr(0, 5) == "main(";
}

void TForm3::PrePass(LineList& lines, int32_t& failingLine) {
  RunState = kRunning;
  errorReported_ = false;
  ResetInterpreter();
  failingLine = 0;
  while (lines.Count() > 0 && TrimView(ProgramLine(lines, 0)).empty()) lines.DeleteLine(0);
  if (lines.Count() == 0) return Fail("Le programme est vide");

  int first = 0;
  while (first < 20 && first < lines.Count() && ProgramLine(lines, first).substr(0, 6) == "import") ++first;
  if (ProgramLine(lines, first).substr(0, 5) != "class") return Fail("Mot réservé class manquant"_cp);

  bool checkSemicolons = true;
  for (int32_t i = 0; i < lines.Count(); ++i) {
    std::string line = CleanLine(ProgramLine(lines, i));
    if (checkSemicolons) {
      const std::string_view v = line;
      if (v.empty() || v == "/*" || v == "//" || v == "{" || v == "}" || v.substr(0, 2) == "do" ||
          v.substr(0, 4) == "main" || v.substr(0, 4) == "void" || v.substr(0, 5) == "class")
        checkSemicolons = false;
      else if (v.back() != ';')
        Fail("Manque ; en fin de ligne");
    }
    if (!line.empty() && line.back() == ';') line.pop_back();
    if (const size_t comment = line.find("/*"); comment != std::string::npos) line.erase(comment);

    const size_t colon = line.find(':');
    if (colon != std::string::npos && colon + 1 == line.size()) DeclareLabel(line, 'L', i);

    if (FirstWordIs(line, "void") && !IsMainHeader(line)) {
      const std::string name = Trim(Tail(line, 5));
      if (!Contains(name, "()")) Fail("Erreur dans la définition de la fonction"_cp);
      DeclareLabel(name, 'P', i);
    }

    if (FirstWordIs(line, "Random")) {
      SeedRandom(Outside().RandomSeed());
      const size_t equals = line.find('=');
      if (equals == std::string::npos) Fail("Déclaration Random incorrecte : il manque = new Random()"_cp);
      else DeclareList(line.substr(0, equals));
    } else {
      static constexpr std::string_view kTypes[] = {"double", "int", "float", "FileOutputStream",
                                                    "FileInputStream", "char", "String", "File"};
      for (std::string_view type : kTypes)
        if (FirstWordIs(line, type)) {
          DeclareList(line);
          break;
        }
    }
    if (RunState > 0) {
      failingLine = i;
      return;
    }
  }
  if (const int32_t unclosed = UnclosedBlock(lines); unclosed >= 0) {
    failingLine = unclosed;
    Fail("Délimiteur { sans }"_cp);
  }
}

void TForm3::DeclareList(std::string_view text) {
  const size_t blank = text.find(' ');
  std::string type = Trim(text.substr(0, blank));
  std::string names = blank == std::string_view::npos ? std::string() : Trim(text.substr(blank));
  for (std::string_view stream : {"FileOutputStream", "FileInputStream"}) {
    if (Contains(names, stream) && Contains(names, '=')) {
      type = "String";
      names = Trim(std::string_view(names).substr(0, names.find('=')));
    }
  }
  if (const size_t open = names.find('['); open != std::string::npos) {
    // name[] = new type[size] becomes name[size]
    const std::string rest(Tail(names, open + 2));
    const size_t next = rest.find('[');
    names = names.substr(0, open) + (next == std::string::npos ? rest : rest.substr(next));
  }
  char kind = 0;
  if (type.starts_with("String")) kind = 'S';
  else if (type.starts_with("File")) kind = 'F';
  else if (type.starts_with("char")) kind = 'C';
  else if (type.starts_with("int")) kind = 'I';
  else if (type.starts_with("float") || type.starts_with("double")) kind = 'R';

  size_t start = 0;
  while (true) {
    const size_t comma = names.find(',', start);
    DeclareVariable(Trim(std::string_view(names).substr(start, comma - start)), kind);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

int32_t TForm3::FindMain(LineList& lines) {
  for (int32_t i = 0; i < lines.Count(); ++i)
    if (IsMainHeader(CleanLine(ProgramLine(lines, i)))) return i;
  Fail("main non trouvé"_cp);
  return 0;
}

bool TForm3::BlockEnd(LineList& lines, int32_t& line) {
  std::string scratch;
  if (TrimView(ProgramLineView(lines, line + 1, scratch)) != "{") {
    line = line + 1;
    return true;
  }
  int depth = 0;
  const int32_t count = lines.Count();
  for (int32_t i = line + 1; i < count; ++i) {
    const std::string_view trimmed = TrimView(ProgramLineView(lines, i, scratch));
    if (trimmed == "{") ++depth;
    else if (!trimmed.empty() && trimmed[0] == '}') --depth;
    if (depth == 0) {
      line = i;
      return true;
    }
  }
  Fail("Fin de bloc non détectée"_cp);
  return false;
}

bool TForm3::FindElse(LineList& lines, int32_t& line) {
  const int32_t count = lines.Count();
  std::string scratch;
  for (int32_t i = line + 1; i < count; ++i)
    if (TrimView(ProgramLineView(lines, i, scratch)) == "else") {
      line = i;
      return true;
    }
  Fail("else manquant");
  return false;
}

}  // namespace orv
