// The run loop and the statement dispatcher.
//
// How a line travels: RunLoop takes CurrentLine; when the control stack's top
// closer (next, wend, endsub) stands at that line, the closer runs instead, as
// if on the line before. Otherwise CachedLine gives the line's classified
// form — the text read without its step or breakpoint marker, normalised,
// sorted into a kind and a statement verb with its argument — kept until the
// text changes or the host is called. A breakpoint stops before its line. A
// statement with a compiled form runs from it (fast_path.cpp); any other,
// or one whose form does not apply, goes through ExecuteLine to its handler,
// which evaluates its text. Then CurrentLine advances, and step mode stops.
#include <new>
#include <stdexcept>

#include "common/markers.h"
#include "interp/Unit3.h"
#include "interp/history.h"
#include "interp/line_compiler.h"
#include "interp/text.h"

namespace orv {
namespace {


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

void TForm3::InitPrg(const std::string& name) { ProgramName = name; }

void TForm3::Exec(LineList& lines, int32_t& resumeLine, int32_t stepMode, int32_t& finalState) {
  // No exception leaves the interpreter. The texts are bounded, so memory
  // runs out only when the machine has little left: the run stops there
  // like on any error, and can be resumed.
  try {
    StartRun(lines, resumeLine, stepMode, finalState);
  } catch (const std::bad_alloc&) {
    OutOfMemory(resumeLine, finalState);
  } catch (const std::length_error&) {
    OutOfMemory(resumeLine, finalState);
  }
}

void TForm3::OutOfMemory(int32_t& resumeLine, int32_t& finalState) {
  recording_ = false;
  history_.reset();  // what it held may be what filled the memory
  RunState = kStopped;
  finalState = kStopped;
  resumeLine = CurrentLine;
  try {
    Fail("Mémoire insuffisante"_cp);
  } catch (const std::bad_alloc&) {
    RunState = kStopped;  // not even the message fits: the stop stays
  }
}

void TForm3::StartRun(LineList& lines, int32_t& resumeLine, int32_t stepMode, int32_t& finalState) {
  lines_ = &lines;
  const bool startsOver = StartsOver(resumeLine);
  if (stepMode == 1) KeepOutcome(resumeLine);
  interrupted_ = false;
  executedLines_ = 0;
  compiledLines_ = 0;
  RunState = kRunning;
  errorReported_ = false;
  stopReason_.clear();
  const bool resuming = resumeLine != 0;
  OutputSurface& screen = Outside().Screen();
  screen.SetTitle("Orv Java - " + ProgramName);
  // A resume continues the output where it stopped and keeps the program's
  // files open; only a fresh run, or one after the end, starts over.
  if (startsOver) {
    PrintX = 0;
    PrintY = 0;
  }
  screen.Show();
  if (!resuming) {
    CloseAll();
    CurrentLine = 0;
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
    mainLine_ = resumeLine;
  }
  CurrentLine = resumeLine;
  if (stepMode == 1) {
    BeginStep(resumeLine, startsOver);
    RunLoop(lines, resumeLine, stepMode, finalState, resuming);
    EndStep();
  } else {
    RunLoop(lines, resumeLine, stepMode, finalState, resuming);
    ForgetHistoryAfterRun(resumeLine, finalState);
  }
}

void TForm3::RunLoop(LineList& lines, int32_t& resumeLine, int32_t stepMode,
                     int32_t& finalState, bool resuming) {
  bool firstLine = true;
  int32_t lastLine = CurrentLine;  // the line executed last, for the stop after a failed close
  lineCount_ = lines.Count();
  lineCountAt_ = host_.Calls();
  do {
    if (PollInterrupt()) {
      interrupted_ = true;
      Fail("Programme interrompu");
      finalState = RunState;
      resumeLine = CurrentLine;
      return;
    }
    lastLine = CurrentLine;
    if (const ControlEntry* top = TopControl(); top && top->Line == CurrentLine) {
      // The closer runs as if it stood on the line before.
      --CurrentLine;
      firstLine = false;
      ++executedLines_;
      RunCloser(*top);
    } else {
      LineInfo* info = CachedLine(lines, CurrentLine);
      if (info->Marked && breakpointsEnabled_ && !(resuming && firstLine)) {
        // A breakpoint stops before its line; resuming there executes it.
        RunState = kStopped;
        finalState = RunState;
        resumeLine = CurrentLine;
        return;
      }
      firstLine = false;
      ++executedLines_;
      RunLine(*info);
    }
    if (RunState == kRunning) {
      // Past the last line the program is over, in step mode as well. So is
      // it after a jump outside the program: a closer in the wrong place may
      // take a for loop's step or limit from the return stack for a line.
      // The line number never wraps.
      if (CurrentLine >= -1 && CurrentLine < INT32_MAX) ++CurrentLine;
      if (lineCountAt_ != host_.Calls()) {
        lineCount_ = lines.Count();
        lineCountAt_ = host_.Calls();
      }
      if (CurrentLine < 0 || CurrentLine > lineCount_ - 1) break;
    }
    if (stepMode == 1 && RunState != kFinished) {
      RunState = kStopped;
      if (const ControlEntry* top = TopControl(); top && top->Line == CurrentLine)
        RunState = kStoppedBeforeCloser;
    }
    if (RunState > 0) {
      if (RunState == kFinished) return Finish(lastLine, true, resumeLine, finalState);
      finalState = RunState;
      resumeLine = CurrentLine;
      return;
    }
  } while (true);
  Finish(lastLine, false, resumeLine, finalState);
}

// The program is over, at the closing brace of main or past its last line.
// What it wrote reaches its files now, and must: a failed close turns the end
// into a stop at the last line. Otherwise a later resume starts the program
// again from its main header, with its variables and nothing else kept.
void TForm3::Finish(int32_t lastLine, bool atClosingBrace, int32_t& resumeLine,
                    int32_t& finalState) {
  ControlTop = 0;
  ReturnTop = 0;
  BraceDepth = 0;
  DoPending = false;
  if (!CloseAllChecked()) {
    // Resumed at the closing brace of main, the run ends there again.
    if (atClosingBrace) BraceDepth = 1;
    finalState = RunState;
    resumeLine = lastLine;
    return;
  }
  RunState = kFinished;
  finalState = kFinished;
  resumeLine = mainLine_;
}

// The classified form of line i, classified again only when its text changed.
inline LineInfo* TForm3::CachedLine(const LineList& lines, int32_t i) {
  // Only the host can change the text during a run: a line compared since
  // the last call to the host still reads the same.
  if (const size_t slot = static_cast<uint32_t>(i) % kLineCacheSlots; i >= 0 && slot < lineCache_.size())
    if (LineInfo& info = lineCache_[slot]; info.Line == i && info.CheckedAt == host_.Calls()) return &info;
  return ClassifiedLine(lines, i);
}

// Lines share the cache's slots by their number modulo its size, so that a
// program of millions of lines keeps a bounded cache; two lines compete for a
// slot only when that many lines lie between them. The run loop uses one
// entry at a time.
LineInfo& TForm3::CacheSlot(int32_t i) {
  const size_t slot = static_cast<size_t>(i) % kLineCacheSlots;
  if (slot >= lineCache_.size()) lineCache_.resize(slot + 1);
  return lineCache_[slot];
}

LineInfo* TForm3::ClassifiedLine(const LineList& lines, int32_t i) {
  std::optional<std::string_view> data = lines.LineView(i);
  std::string copy;
  if (!data) {
    copy = lines.Line(i);
    data = copy;
  }
  const bool marked = !data->empty() && data->front() == kBreakMarker;
  const std::string_view text = marked ? data->substr(1) : *data;
  if (i < 0) {
    scratchLine_.Marked = marked;
    ClassifyLine(std::string(text), scratchLine_);
    return &scratchLine_;
  }
  LineInfo& info = CacheSlot(i);
  if (info.Line != i || info.Marked != marked || info.Text != text) {
    ClassifyLine(std::string(text), info);
    info.Line = i;
    info.Marked = marked;
  }
  info.CheckedAt = host_.Calls();
  return &info;
}

// What ExecLine does with a closer's word, without classifying it again.
void TForm3::RunCloser(const ControlEntry& entry) {
  RunState = kRunning;
  errorReported_ = false;
  stopReason_.clear();
  const std::string_view closer = entry.Closer;
  if (closer == "next") return fastPath_ && FastNext() ? void(++compiledLines_) : NextStatement();
  if (closer == "wend") return fastPath_ && FastWend() ? void(++compiledLines_) : WendStatement();
  if (closer == "endsub") return EndSubStatement();
  std::string text(closer);
  ExecLine(text);
}

// A statement from its compiled form when it has one that applies, otherwise
// from its text.
inline void TForm3::RunLine(LineInfo& info) {
  if (fastPath_ && info.Kind == LineKind::Statement) {
    if (!info.CompileTried) CompileCachedLine(info);
    if (info.Compiled) {
      RunState = kRunning;
      errorReported_ = false;
      stopReason_.clear();
      if (RunCompiled(*info.Compiled)) return void(++compiledLines_);
    }
  }
  ExecuteLine(info);
}

void TForm3::CompileCachedLine(LineInfo& info) {
  info.CompileTried = true;
  info.Compiled = CompileLine(*this, info);
}

void TForm3::ExecLine(std::string& line) {
  LineInfo info;
  ClassifyLine(line, info);
  ExecuteLine(info);
}

void TForm3::ClassifyLine(const std::string& text, LineInfo& info) const {
  info.Text = text;
  info.Kind = LineKind::Nothing;
  info.CompileTried = false;
  info.Compiled.reset();
  info.L = CleanLine(text);
  info.Argument.clear();
  const std::string& l = info.L;
  if (l.empty()) return;
  const std::string_view l2 = DropTrailing(l, ';');
  if (const size_t colon = l.find(':'); colon != std::string::npos && colon + 1 == l.size()) return;
  if (IsMainHeader(l)) {
    info.Kind = LineKind::MainHeader;
    return;
  }
  if (IsDeclaration(l)) return;
  if (l[0] == '{') {
    info.Kind = LineKind::OpenBrace;
    return;
  }
  if (l.starts_with("nop") || l.starts_with("/*") || l.starts_with("//")) return;
  if (l == "endsub") {
    info.Kind = LineKind::EndSub;
    return;
  }
  if (Contains(l, "new") && Contains(l, "File(")) {
    info.Kind = LineKind::NewFile;
    return;
  }
  if (l[0] == '}') {
    info.Kind = LineKind::CloseBrace;
    return;
  }

  info.Kind = LineKind::Statement;
  std::string_view v, a;
  SplitStatement(l, l2, v, a);
  if (a.empty()) {
    if (const int index = SymbolIndex(v); index != 0 && SymbolTable[index - 1].Kind == 'P') {
      info.Verb = StatementVerb::Call;
      info.Argument = std::string(v);
      return;
    }
  }
  static constexpr std::pair<std::string_view, StatementVerb> kVerbs[] = {
      {"CALL", StatementVerb::Call},
      {"System.out.print", StatementVerb::Print},
      {"System.out.println", StatementVerb::PrintLine},
      {"FileOutputStream", StatementVerb::OpenOutput},
      {"FileInputStream", StatementVerb::OpenInput},
      {"close()", StatementVerb::Close},
      {"FPUTS", StatementVerb::Puts},
      {"FGETS", StatementVerb::Gets},
      {"GOTOXY", StatementVerb::GotoXY},
      {"break", StatementVerb::Break},
      {"toString()", StatementVerb::ToString},
      {"toString", StatementVerb::ToString},
      {"if", StatementVerb::If},
      {"else", StatementVerb::Else},
      {"for", StatementVerb::For},
      {"next", StatementVerb::Next},
      {"while", StatementVerb::While},
      {"wend", StatementVerb::Wend},
      {"do", StatementVerb::Do},
      {"delete()", StatementVerb::Delete},
      {"return", StatementVerb::Return},
      {"CHDIR", StatementVerb::ChDir},
      {"RMDIR", StatementVerb::RmDir},
      {"mkdir()", StatementVerb::MkDir},
  };
  for (const auto& [word, verb] : kVerbs) {
    if (v == word) {
      info.Verb = verb;
      info.Argument = std::string(a);
      return;
    }
  }
  info.Verb = Contains(l2, "++") || Contains(l2, "--") ? StatementVerb::Increment : StatementVerb::Assign;
  info.Argument = std::string(l2);
}

void TForm3::ExecuteLine(const LineInfo& info) {
  RunState = kRunning;
  errorReported_ = false;
  stopReason_.clear();
  switch (info.Kind) {
    case LineKind::Nothing: return;
    case LineKind::MainHeader: MainSeen = true; return;
    case LineKind::OpenBrace: ++BraceDepth; return;
    case LineKind::EndSub: return EndSubStatement();
    case LineKind::NewFile: return NewFileStatement(info.L);
    case LineKind::CloseBrace: {
      const int32_t before = BraceDepth--;
      if (before == 1 && MainSeen) RunState = kFinished;
      else if (BraceDepth < 0) Fail("Délimiteur } sans {"_cp);
      return;
    }
    case LineKind::Statement: break;
  }
  const std::string_view a = info.Argument;
  switch (info.Verb) {
    case StatementVerb::Call: return CallStatement(a);
    case StatementVerb::Print: return PrintStatement(a, false);
    case StatementVerb::PrintLine: return PrintStatement(a, true);
    case StatementVerb::OpenOutput: return OpenOutputStatement(a);
    case StatementVerb::OpenInput: return OpenInputStatement(a);
    case StatementVerb::Close: return CloseStatement(a);
    case StatementVerb::Puts: return WriteLineStatement(a);
    case StatementVerb::Gets: return ReadLineStatement(a);
    case StatementVerb::GotoXY: return GotoXYStatement(a);
    case StatementVerb::Break: return BreakStatement();
    case StatementVerb::ToString: return ToStringStatement(a);
    case StatementVerb::If: return IfStatement(a);
    case StatementVerb::Else: return ElseStatement();
    case StatementVerb::For: return ForStatement(a);
    case StatementVerb::Next: return NextStatement();
    case StatementVerb::While: return DoPending ? DoWhileStatement(a) : WhileStatement(a);
    case StatementVerb::Wend: return WendStatement();
    case StatementVerb::Do: return DoStatement();
    case StatementVerb::Delete: return DeleteStatement(a);
    case StatementVerb::Return: return ReturnStatement();
    case StatementVerb::ChDir: return ChangeDirStatement(a);
    case StatementVerb::RmDir: return RemoveDirStatement(a);
    case StatementVerb::MkDir: return MakeDirStatement(a);
    case StatementVerb::Increment: return IncrementStatement(a);
    case StatementVerb::Assign: return AssignStatement(a);
  }
}

}  // namespace orv
