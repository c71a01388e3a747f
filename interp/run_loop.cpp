// The run loop and the statement dispatcher.
#include "interp/Unit3.h"
#include "interp/text.h"

namespace orv {
namespace {

constexpr char kStepMarker = '\x95';
constexpr char kBreakMarker = '\xBB';
constexpr int64_t kInterruptPollMask = 1023;  // poll the host every 1024 lines

// "int", "float", "char", "void" and "class" as whole words.
bool IsDeclaration(std::string_view l) {
  for (std::string_view word : {"int", "float", "char", "void", "class"}) {
    if (l.substr(0, word.size()) != word) continue;
    if (l.size() == word.size()) return true;
    const char next = l[word.size()];
    if (next == ' ' || next == '[' || next == '(') return true;
  }
  return false;
}

// The first "." that stands outside double-quoted literals.
size_t FirstDotOutsideLiterals(std::string_view s) {
  bool inLiteral = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '"') inLiteral = !inLiteral;
    else if (s[i] == '.' && !inLiteral) return i;
  }
  return std::string_view::npos;
}

// Splits a statement into its verb and argument text.
void SplitStatement(std::string_view l, std::string_view l2, std::string_view& v,
                    std::string_view& a) {
  if (Contains(l2, "()")) {
    v = l2;
    a = {};
  } else {
    const size_t k = l.find_first_of("( ");
    if (k == std::string_view::npos) {
      v = DropTrailing(l, ';');
      a = {};
    } else {
      v = l.substr(0, k);
      a = Tail(l, k + 1);
    }
  }
  if (!Contains(l2, '=') && !Contains(l2, '(')) {
    if (const size_t dot = FirstDotOutsideLiterals(l2); dot != std::string_view::npos) {
      v = Tail(l2, dot + 1);
      a = l2.substr(0, dot);
    }
  }
  if (!Contains(l2, '=')) {
    if (const size_t close = l2.find(".close("); close != std::string_view::npos) {
      v = Tail(l2, close + 1);
      a = l2.substr(0, close);
    }
    // X.mkdir() and X.delete() name their folder or file in front of the verb.
    for (std::string_view verb : {".mkdir()", ".delete()"}) {
      if (l2.size() > verb.size() && l2.ends_with(verb)) {
        v = verb.substr(1);
        a = l2.substr(0, l2.size() - verb.size());
      }
    }
  }
  v = TrimView(v);
  a = DropTrailing(TrimView(a), ';');
}

}  // namespace

std::string ProgramLine(const LineList& lines, int32_t i) {
  std::string line = lines.Line(i);
  if (!line.empty() && (line[0] == kStepMarker || line[0] == kBreakMarker)) line.erase(0, 1);
  return line;
}

void TForm3::InitPrg(const std::string& name) { ProgramName = name; }

void TForm3::Exec(LineList& lines, int32_t& resumeLine, int32_t stepMode, int32_t& finalState) {
  lines_ = &lines;
  interrupted_ = false;
  executedLines_ = 0;
  RunState = kRunning;
  errorReported_ = false;
  const bool resuming = resumeLine != 0;
  OutputSurface& screen = host_.Screen();
  screen.SetTitle("Orv Java - " + ProgramName);
  // A resume continues the output where it stopped and keeps the program's
  // files open; only a fresh run starts over.
  if (!resuming) {
    PrintX = 0;
    PrintY = 0;
  }
  screen.Show();
  if (!resuming) {
    CloseAll();
    int32_t failingLine = 0;
    PrePass(lines, failingLine);
    if (RunState > 0) {
      resumeLine = failingLine;
      finalState = RunState;
      return;
    }
    resumeLine = FindMain(lines);
    if (RunState > 0) {
      resumeLine = 0;
      finalState = RunState;
      return;
    }
  }
  CurrentLine = resumeLine;
  RunLoop(lines, resumeLine, stepMode, finalState, resuming);
}

bool TForm3::PollInterrupt() {
  if (lineBudget_ > 0 && executedLines_ >= lineBudget_) return true;
  return executedLines_ > 0 && (executedLines_ & kInterruptPollMask) == 0 &&
         host_.InterruptRequested();
}

void TForm3::RunLoop(LineList& lines, int32_t& resumeLine, int32_t stepMode,
                     int32_t& finalState, bool resuming) {
  bool firstLine = true;
  std::string text;
  do {
    if (PollInterrupt()) {
      interrupted_ = true;
      Fail("Programme interrompu");
      finalState = RunState;
      resumeLine = CurrentLine;
      return;
    }
    text = lines.Line(CurrentLine);
    const bool marked = !text.empty() && text[0] == kBreakMarker;
    if (marked) text.erase(0, 1);
    if (const ControlEntry* top = TopControl(); top && top->Line == CurrentLine) {
      text = top->Closer;
      --CurrentLine;
    } else if (marked && breakpointsEnabled_ && !(resuming && firstLine)) {
      // A breakpoint stops before its line; resuming there executes it.
      RunState = kStopped;
      finalState = RunState;
      resumeLine = CurrentLine;
      return;
    }
    firstLine = false;
    ++executedLines_;
    ExecLine(text);
    if (RunState == kRunning) ++CurrentLine;
    if (stepMode == 1 && RunState != kFinished) {
      RunState = kStopped;
      if (const ControlEntry* top = TopControl(); top && top->Line == CurrentLine)
        RunState = kStoppedBeforeCloser;
    }
    if (RunState > 0) {
      if (RunState == kFinished) return;
      finalState = RunState;
      resumeLine = CurrentLine;
      return;
    }
  } while (CurrentLine <= lines.Count() - 1);
}

void TForm3::ExecLine(std::string& line) {
  RunState = kRunning;
  errorReported_ = false;
  const std::string l = CleanLine(line);
  if (l.empty()) return;
  const std::string_view l2 = DropTrailing(l, ';');
  if (const size_t colon = l.find(':'); colon != std::string::npos && colon + 1 == l.size()) return;
  if (IsMainHeader(l)) {
    MainSeen = true;
    return;
  }
  if (IsDeclaration(l)) return;
  if (l[0] == '{') {
    ++BraceDepth;
    return;
  }
  if (l.starts_with("nop") || l.starts_with("/*") || l.starts_with("//")) return;
  if (l == "endsub") return EndSubStatement();
  if (Contains(l, "new") && Contains(l, "File(")) return NewFileStatement(l);
  if (l[0] == '}') {
    const int32_t before = BraceDepth--;
    if (before == 1 && MainSeen) RunState = kFinished;
    else if (BraceDepth < 0) Fail("Délimiteur } sans {"_cp);
    return;
  }

  std::string_view v, a;
  SplitStatement(l, l2, v, a);
  std::string call;
  if (a.empty()) {
    if (const int index = SymbolIndex(v); index != 0 && SymbolTable[index - 1].Kind == 'P') {
      call = std::string(v);
      a = call;
      v = "CALL";
    }
  }

  if (v == "CALL") return CallStatement(a);
  if (v == "System.out.print") return PrintStatement(a, false);
  if (v == "System.out.println") return PrintStatement(a, true);
  if (v == "FileOutputStream") return OpenOutputStatement(a);
  if (v == "FileInputStream") return OpenInputStatement(a);
  if (v == "close()") return CloseStatement(a);
  if (v == "FPUTS") return WriteLineStatement(a);
  if (v == "FGETS") return ReadLineStatement(a);
  if (v == "GOTOXY") return GotoXYStatement(a);
  if (v == "break") return BreakStatement();
  if (v == "toString()" || v == "toString") return ToStringStatement(a);
  if (v == "if") return IfStatement(a);
  if (v == "else") return ElseStatement();
  if (v == "for") return ForStatement(a);
  if (v == "next") return NextStatement();
  if (v == "while" && !DoPending) return WhileStatement(a);
  if (v == "wend") return WendStatement();
  if (v == "do") return DoStatement();
  if (v == "while" && DoPending) return DoWhileStatement(a);
  if (v == "delete()") return DeleteStatement(a);
  if (v == "return") return ReturnStatement();
  if (v == "CHDIR") return ChangeDirStatement(a);
  if (v == "RMDIR") return RemoveDirStatement(a);
  if (v == "mkdir()") return MakeDirStatement(a);
  if (Contains(l2, "++") || Contains(l2, "--")) return IncrementStatement(l2);
  AssignStatement(l2);
}

}  // namespace orv
