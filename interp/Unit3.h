// The interpreter. It runs the program text of a line list directly, one
// source line at a time, keeping every value as text while it evaluates.
// Everything outside it (windows, clock, keyboard, printer) is reached through
// the Host interfaces, so the same core runs in the environment, the
// command-line runner and the tests.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interp/compiled_line.h"
#include "interp/host.h"
#include "interp/program_text.h"

namespace orv {

inline constexpr int kMaxSymbols = 200;
inline constexpr size_t kMaxNameLength = 20;
inline constexpr int kStoreSlots = 2000;  // chars, ints and reals
inline constexpr int kFileSlots = 30;
inline constexpr int kControlEntries = 30;
inline constexpr int kReturnItems = 100;
inline constexpr int kDoLine = -99;  // a do loop's entry never matches a line
// Bounds that keep a runaway program from exhausting memory.
inline constexpr size_t kMaxStringItems = 1'000'000;
inline constexpr size_t kMaxStringLength = 16 * 1024 * 1024;
// What the history of step mode keeps at most: lines, and bytes.
inline constexpr size_t kHistoryLines = 100'000;
inline constexpr size_t kHistoryBytes = size_t{64} << 20;

// RunState codes.
inline constexpr int32_t kRunning = 0;
inline constexpr int32_t kStopped = 1;
inline constexpr int32_t kStoppedBeforeCloser = 998;
inline constexpr int32_t kFinished = 999;

class RunHistory;
struct StepRecord;

struct Symbol {
  std::string Name;
  char Kind = 0;  // 'C' 'F' 'I' 'L' 'P' 'R' 'S', or 0 (no storage)
  int32_t Slot = 0;
};

struct ControlEntry {
  int32_t Line = 0;
  std::string Closer;      // "next", "wend", "until" or "endsub"
  int32_t BraceDepth = 0;  // depth when pushed; break and return go back to it
};

enum class FileMode { Closed, Input, Output };

// What a source line is, decided from its text alone (and the procedure names
// of the symbol table, which only a fresh run changes).
enum class LineKind : uint8_t { Nothing, MainHeader, OpenBrace, EndSub, NewFile, CloseBrace, Statement };
enum class StatementVerb : uint8_t {
  Call, Print, PrintLine, OpenOutput, OpenInput, Close, Puts, Gets, GotoXY, Break, ToString,
  If, Else, For, Next, While, Wend, Do, Delete, Return, ChDir, RmDir, MkDir, Increment, Assign
};

struct LineInfo {
  std::string Text;  // the working text this was decided from
  LineKind Kind = LineKind::Nothing;
  StatementVerb Verb = StatementVerb::Assign;
  std::string L;          // the normalised line
  std::string Argument;   // the dispatcher's argument text A (or L2 for
                          // increment and assignment)
  bool Marked = false;    // the line carries a breakpoint marker
  int32_t Line = -1;      // the line held in this cache slot; -1: none yet
  // The compiled form, made at the line's first run with the fast path on;
  // none when the statement is not one the compiler knows.
  bool CompileTried = false;
  std::unique_ptr<CompiledLine> Compiled;
  uint64_t CheckedAt = 0;  // the host call count when the text was last compared
};

struct FileSlot {
  std::string Name;  // associated by the new File statement
  FileMode Mode = FileMode::Closed;
  std::FILE* Handle = nullptr;
};

class TForm3 {
 public:
  explicit TForm3(Host& host);
  ~TForm3();
  TForm3(const TForm3&) = delete;
  TForm3& operator=(const TForm3&) = delete;

  // --- Run (run_loop.cpp; the files' closing in files.cpp) ------------------
  void InitPrg(const std::string& name);
  // resumeLine 0 asks for a fresh run; any other value resumes there. On a
  // stop, finalState receives 1 or 998 and resumeLine the line to go on
  // with. When the program ends, its files are closed and checked: then
  // finalState is 999 and resumeLine the main header, where a resume starts
  // the program again with its variables kept; or, when a close failed, the
  // run stops ("Erreur E/S N") with finalState 1 at the last line executed.
  void Exec(LineList& lines, int32_t& resumeLine, int32_t stepMode, int32_t& finalState);
  // Whether a run from resumeLine writes its output from the top again: a
  // fresh run, or a resume once the program has finished.
  bool StartsOver(int32_t resumeLine) const { return resumeLine == 0 || RunState == kFinished; }
  // Closes every file of the program and the printer; returns the I/O result
  // (0, or the error number of the first close that failed).
  int CloseAll();
  // CloseAll, a failure shown as "Erreur E/S N" with RunState := 1; false then.
  bool CloseAllChecked();

  // Lines whose first character is the breakpoint marker stop a run (the
  // environment); the runner ignores markers.
  void SetBreakpointsEnabled(bool enabled) { breakpointsEnabled_ = enabled; }
  // After this many executed lines the run is interrupted (0: no limit).
  void SetLineBudget(int64_t lines) { lineBudget_ = lines; }
  // True when the last Exec stopped because of an interrupt.
  bool Interrupted() const { return interrupted_; }
  // Why the last Exec stopped: the first message of the failing statement,
  // or for a silent stop a short reason ("division par zéro"); empty for a
  // stop in step mode, at a breakpoint, and for a finished program.
  const std::string& StopReason() const { return stopReason_; }
  // True when the last line executed reported an error or stopped silently.
  bool ErrorReported() const { return errorReported_; }
  // Keyboard lines are drawn on the output screen once typed, followed by a
  // new line, as a transcript of the dialogue (the environment).
  void SetEchoKeyboard(bool echo) { echoKeyboard_ = echo; }
  int64_t ExecutedLines() const { return executedLines_; }
  // The fast path runs the common statements from their compiled form
  // (on by default); off, every line is evaluated from its text, the
  // reference for every result.
  void SetFastPath(bool enabled) { fastPath_ = enabled; }
  bool FastPath() const { return fastPath_; }
  // How many of the lines the last Exec executed ran from a compiled form.
  int64_t CompiledLinesRun() const { return compiledLines_; }

  // --- Step back (history.cpp) -----------------------------------------------
  // In step mode each executed line is kept, from the start of the run, in a
  // history of what it changed; a run that is not in step mode keeps none
  // (and nothing before it can be taken back). StepBack takes the last line
  // back: every value, the stacks, the print position, the random numbers
  // and the screen's drawing are as before it ran, and resumeLine and
  // finalState as the call before it left them, so that the next Exec runs
  // the line again. False when nothing can be taken back. Either way `note`
  // is the status line's text: where the run now stands and how far back it
  // can go, or why it cannot ("Retour impossible avant la ligne 12 : lecture
  // au clavier").
  bool StepBack(int32_t& resumeLine, int32_t& finalState, std::string& note);
  size_t StepsBack() const;  // how many lines StepBack can take back now
  // At most `lines` lines, `bytes` bytes of history (100,000 and 64 MiB).
  void SetHistoryLimits(size_t lines, size_t bytes);

  // --- Debug views (debug_views.cpp) ---------------------------------------
  // The symbol-table listing, one text per line.
  std::vector<std::string> Stats() const;
  // Evaluates the examine dialog's text; the result field's text.
  std::string Examiner(const std::string& text);

  // --- Symbol table and stores (symbols.cpp) -------------------------------
  int SymbolIndex(std::string_view name) const;  // 1-based, 0 if absent
  // Finds a name (a leading "*" is removed from it). RunState := 1 when it is
  // unknown, 0 when found (an error already reported in the statement stays).
  bool ChercheEtiq(std::string& name, char& kind, int32_t& slot);
  // Reads one slot; false (with "Indice hors limites") outside the store.
  bool LitValeur(int64_t slot, char kind, long double& real, int32_t& integer, std::string& text);
  // Writes one slot from its text form.
  void StoreValue(std::string_view text, char kind, int64_t slot);
  // The zero-based element offset of an index text; nullopt on error.
  std::optional<int64_t> Indice(std::string_view indexText);
  void Garbage();
  void ResetInterpreter();

  // --- Pre-pass (prepass.cpp) ------------------------------------------------
  void PrePass(LineList& lines, int32_t& failingLine);
  int32_t FindMain(LineList& lines);
  bool BlockEnd(LineList& lines, int32_t& line);
  bool FindElse(LineList& lines, int32_t& line);
  void DeclareList(std::string_view text);
  void DeclareVariable(std::string name, char kind);
  void DeclareLabel(std::string_view name, char kind, int32_t line);

  // --- Evaluators, each rewriting its text, false on error (values.cpp,
  // integers.cpp, floats.cpp, conditions.cpp; FileAtEnd in files.cpp) -------
  bool ScanValue(std::string& text);
  bool StringOperand(std::string& text);
  bool StringTerm(std::string text, std::string& result);
  bool StringExpression(std::string& text);
  bool TakeSubstring(std::string& text);
  bool IntExpression(std::string& text);
  int32_t IntOperand(std::string_view text);
  bool FloatExpression(std::string& text);
  long double FloatOperand(std::string_view text);
  bool EvalCondition(std::string_view text);
  bool FileAtEnd(std::string_view text);

  // --- Statement handlers: dispatch in run_loop.cpp; output.cpp,
  // assignment.cpp, files.cpp, control.cpp; ToStringStatement in values.cpp
  void ExecLine(std::string& line);
  // The classification of ExecLine, without executing anything.
  void ClassifyLine(const std::string& text, LineInfo& info) const;
  void ExecuteLine(const LineInfo& info);
  void PrintStatement(std::string_view a, bool newLine);
  // Draws a text at the print position and moves the position on.
  void DrawOutput(const std::string& text, bool newLine);
  void GotoXYStatement(std::string_view a);
  void ToStringStatement(std::string_view a);
  void AssignStatement(std::string_view l2);
  void IncrementStatement(std::string_view l2);
  void NewFileStatement(std::string_view l);
  void OpenInputStatement(std::string_view a) { OpenStatement(a, FileMode::Input); }
  void OpenOutputStatement(std::string_view a) { OpenStatement(a, FileMode::Output); }
  void ReadLineStatement(std::string_view a);
  void WriteLineStatement(std::string_view a);
  void CloseStatement(std::string_view a);
  void ChangeDirStatement(std::string_view a);
  void RemoveDirStatement(std::string_view a);
  void MakeDirStatement(std::string_view a);
  void DeleteStatement(std::string_view a);
  void IfStatement(std::string_view a);
  void ElseStatement();
  void ForStatement(std::string_view a);
  void NextStatement();
  void WhileStatement(std::string_view a);
  void WendStatement();
  void DoStatement();
  void DoWhileStatement(std::string_view a);
  void BreakStatement();
  void CallStatement(std::string_view a);
  void ReturnStatement();
  void EndSubStatement();

  // --- Stacks (control.cpp) -------------------------------------------------
  bool PushReturn(int32_t value);
  bool PopReturn(int32_t& value);
  bool PushControl(int32_t line, std::string_view closer);
  void PopControl();
  const ControlEntry* TopControl() const {
    return ControlTop > 0 ? &ControlStack[static_cast<size_t>(ControlTop - 1)] : nullptr;
  }

  // --- State (public: the debug views and the tests read it) -------------------------
  int32_t RunState = kRunning;
  int32_t CurrentLine = 0;
  int32_t BraceDepth = 0;
  bool MainSeen = false;
  bool DoPending = false;
  std::string ProgramName;
  int32_t PrintX = 0;
  int32_t PrintY = 0;

  std::vector<Symbol> SymbolTable;
  std::array<uint8_t, kStoreSlots + 1> CharStore{};
  std::array<int32_t, kStoreSlots + 1> IntStore{};
  std::array<long double, kStoreSlots + 1> RealStore{};
  std::vector<std::string> StringStore;
  std::array<FileSlot, kFileSlots + 1> FileStore{};
  int CharCount = 0, IntCount = 0, RealCount = 0, FileCount = 0;

  std::array<ControlEntry, kControlEntries> ControlStack{};
  int ControlTop = 0;
  std::array<int32_t, kReturnItems> ReturnStack{};
  int ReturnTop = 0;

  bool PrinterOpen = false;  // the PRN: slot
  int IoStatus = 0;          // pending I/O error, 0 = none

 private:
  void Fail(std::string_view message);  // message box, RunState := 1
  void StopSilently(std::string_view reason);  // RunState := 1 without a message
  void ClearLookupFailure();            // RunState back to 0 unless an error was reported
  bool Allocate(char kind, int32_t size, int32_t& first);
  void ZeroSlot(char kind, int32_t slot);
  bool CheckSlot(char kind, int64_t slot);
  bool ResolveReference(std::string_view text, std::string& name, int64_t& offset,
                        std::string& indexText, bool& isArray);
  bool ScanValueKind(std::string& text, char& kind);
  bool StringLiteral(std::string& text, bool reduceFirstPair);
  int32_t IntCast(std::string_view argument);
  int32_t IntBuiltin(std::string_view name, std::string_view argument, bool& handled);
  long double MathFunction(std::string_view name, std::string_view argument, bool& handled);
  bool ArrayElement(std::string_view operand, std::string_view current, char wanted,
                    const char* typeMessage, char& kind, int32_t& slot);
  void OpenStatement(std::string_view a, FileMode mode);
  bool OpenFileSlot(FileSlot& file, FileMode mode);
  int CloseFileSlot(FileSlot& file);
  bool ReadFileLine(FileSlot& file, std::string& line);
  int TakeIoStatus();
  std::optional<std::string> FolderOperand(std::string_view a, bool fileVariables);
  void FolderStatement(std::string_view a, bool fileVariables, int (*operation)(const std::string&),
                       const std::string& before, const std::string& after);
  bool ParseForStep(std::string_view increment, std::string_view var, int32_t& step);
  void UnwindLoop(const ControlEntry& entry);
  void SkipFalseThen();
  void StartRun(LineList& lines, int32_t& resumeLine, int32_t stepMode, int32_t& finalState);
  void RunLoop(LineList& lines, int32_t& resumeLine, int32_t stepMode, int32_t& finalState,
               bool resuming);
  void Finish(int32_t lastLine, bool atClosingBrace, int32_t& resumeLine, int32_t& finalState);
  void OutOfMemory(int32_t& resumeLine, int32_t& finalState);
  bool PollInterrupt() {
    if (lineBudget_ > 0 && executedLines_ >= lineBudget_) return true;
    return executedLines_ > 0 && (executedLines_ & kInterruptPollMask) == 0 && Outside().InterruptRequested();
  }
  static constexpr int64_t kInterruptPollMask = 1023;  // poll the host every 1024 lines
  // The history (history.cpp). Lines that reach outside the interpreter
  // mark themselves untakeable; the other writes are found by comparison,
  // except the strings', kept as they are overwritten.
  template <typename Visit>
  void OutcomeFields(StepRecord& record, Visit visit);
  template <typename Visit>
  void FrameFields(StepRecord& record, Visit visit);
  void KeepOutcome(int32_t resumeLine);
  void BeginStep(int32_t resumeLine, bool startsOver);
  void EndStep();
  void ForgetHistoryAfterRun(int32_t resumeLine, int32_t finalState);
  void Untakeable(const char* why) {
    if (!untakeable_) untakeable_ = why;
  }
  void KeepOldString(int64_t slot);
  void NoteDrawing();
  RunHistory& History();  // made at first use, with the limits
  std::unique_ptr<RunHistory> history_;
  size_t historyLines_ = kHistoryLines, historyBytes_ = kHistoryBytes;
  bool recording_ = false;             // a line of step mode is running
  const char* untakeable_ = nullptr;   // why the running line cannot be taken back (UTF-8)
  double NextRandom();
  void SeedRandom(uint64_t seed) { randomState_ = seed; }

  // Every call out to the host goes through Outside(): the host may run code
  // of its own (an event loop) that changes the program text, so the lines
  // cached before the call are checked against the text again. The host is
  // held where nothing but that counting call reaches it.
  class CountedHost {
   public:
    explicit CountedHost(Host& host) : host_(host) {}
    Host& Call() {
      ++calls_;
      return host_;
    }
    uint64_t Calls() const { return calls_; }

   private:
    Host& host_;
    uint64_t calls_ = 0;
  };
  Host& Outside() { return host_.Call(); }
  CountedHost host_;
  int32_t lineCount_ = 0;     // the line list's count, as of lineCountAt_
  uint64_t lineCountAt_ = 0;
  LineList* lines_ = nullptr;
  // Classified lines by index; an entry is used only while its line still
  // reads the same (compared again after every call to the host), so the
  // result is that of classifying every time.
  std::vector<LineInfo> lineCache_;
  LineInfo scratchLine_;
  LineInfo* CachedLine(const LineList& lines, int32_t i);
  LineInfo* ClassifiedLine(const LineList& lines, int32_t i);
  LineInfo& CacheSlot(int32_t i);
  static constexpr size_t kLineCacheSlots = size_t{1} << 16;
  void CompileCachedLine(LineInfo& info);
  void RunCloser(const ControlEntry& entry);
  void RunLine(LineInfo& info);

  // --- Fast path (fast_path.cpp; compiled in line_compiler.cpp): each
  // returns false, having changed nothing, when the text evaluator must take
  // the statement.
  bool RunCompiled(CompiledLine& line);
  // A jump worked out from the text (the end of a block, the line after a
  // false if), kept for as long as the text cannot have changed.
  bool KnownJump(const CompiledLine& line, int32_t& to) const {
    return line.jumpAt == host_.Calls() && line.jumpFrom == CurrentLine && (to = line.jumpTo, true);
  }
  void KeepJump(CompiledLine& line, int32_t from, int32_t to, uint64_t calls) const {
    if (calls != host_.Calls() || RunState != kRunning) return;  // a message, or the host ran
    line.jumpFrom = from;
    line.jumpTo = to;
    line.jumpAt = calls;
  }
  bool FastBlockEnd(CompiledLine& line, int32_t& end);
  bool FastNext();
  bool FastWend();
  bool FastAssign(const CompiledLine& line);
  bool FastStringAssign(const CompiledLine& line);
  bool FastCondition(const Comparison& condition, bool& holds);
  bool FastFor(CompiledLine& line);
  bool FastWhile(CompiledLine& line);
  bool FastPrint(const CompiledLine& line);
  bool IntValue(const NumberTerm& term, int32_t& value) const;
  bool RealValue(const NumberTerm& term, long double& value) const;
  bool StringValue(const TextTerm& term, std::string_view& value, std::string& scratch) const;
  bool TextValue(const ValueTerm& term, std::string_view& value, std::string& scratch) const;
  bool StoredSlot(const StoreRef& at, char kind, int64_t& slot) const;
  std::string fastLeft_, fastRight_, fastResult_;  // scratch texts of the fast path

  bool errorReported_ = false;
  bool fastPath_ = true;
  bool breakpointsEnabled_ = true;
  int64_t lineBudget_ = 0;
  int64_t executedLines_ = 0;
  int64_t compiledLines_ = 0;
  bool interrupted_ = false;
  bool echoKeyboard_ = false;
  std::string stopReason_;
  int32_t mainLine_ = 0;  // the main header of the last fresh run
  uint64_t randomState_ = 0x2545F4914F6CDD1DULL;  // fixed start: same sequence each start
};

// Normalises a source line as the run loop and the pre-pass see it.
std::string CleanLine(std::string_view line);
// The main header: after a leading "void" the text begins with "main(".
bool IsMainHeader(std::string_view cleaned);
// The comparison form of a condition side: the text right-aligned in `width`.
std::string RightAligned16(std::string_view value, size_t width = 16);

}  // namespace orv
