// Runs a program with the fast path and with the text evaluator alone, and
// records everything each run shows and leaves behind, so that the two can
// be compared: the proof that the compiled forms change no result. Used by
// the random-program test and the fuzz target (no test framework here).
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "interp/Unit3.h"
#include "interp/program_text.h"

namespace orv::testing {

struct ModeRun {
  int32_t stepMode = 0;
  int64_t lineBudget = 0;   // executed lines per call (0: no limit)
  int interruptAtPoll = 0;  // the host asks for an interrupt at this poll (0: never)
  int resumes = 40;         // calls after the first, while the run stops
  bool breakpoints = true;
  int keyboardLines = 50;   // lines the keyboard gives before its end
  bool skipFailingLine = false;  // resume after an error at the next line
  int editEvery = 0;  // every so many host calls, and between calls, a line of the text changes
};

// A text as the record keeps it: a long one by its length and a hash.
inline std::string Kept(const std::string& text) {
  if (text.size() <= 200) return text;
  return "<" + std::to_string(text.size()) + " bytes #" + std::to_string(std::hash<std::string>()(text)) + ">";
}

// The host of a recorded run: every drawing, message, poll and keyboard
// read becomes a line of the record.
class RecordingHost : public Host, public OutputSurface {
 public:
  RecordingHost(std::vector<std::string>& record, const ModeRun& run) : record_(record), run_(run) {}
  void MessageBox(const std::string& text) override {
    record_.push_back("message " + Kept(text));
    Edit();
  }
  OutputSurface& Screen() override { return *this; }
  DateTime Now() override { return {2026, 1, 15, 9, 5, 3}; }
  uint64_t RandomSeed() override { return 20260115; }
  bool ReadKeyboardLine(std::string& line) override {
    ++reads_;
    line = reads_ % 3 ? std::to_string(reads_ * 7 - 20) : "texte";
    record_.push_back("keyboard " + line);
    return reads_ <= run_.keyboardLines;
  }
  bool InterruptRequested() override {
    Edit();
    ++polls_;
    return run_.interruptAtPoll > 0 && polls_ >= run_.interruptAtPoll;
  }
  void SetTitle(const std::string& title) override { record_.push_back("title " + title); }
  void Show() override {}
  void DrawText(int x, int y, const std::string& text) override {
    record_.push_back("draw " + std::to_string(x) + "," + std::to_string(y) + " " + Kept(text));
    screen.push_back(record_.back());
    Edit();
  }
  int TextWidth(const std::string& text) override { return 9 * static_cast<int>(text.size()); }
  void NewLine() override {
    record_.push_back("newline");
    screen.push_back(record_.back());
  }
  std::optional<ScreenMark> Mark() override { return ScreenMark{screen.size(), 0}; }
  void RollBack(const ScreenMark& mark) override { screen.resize(mark.Drawn); }
  // What the screen shows now, in drawing order: a step back takes its end away.
  std::vector<std::string> screen;

  // As if the user changed the program while the host had the hand: one
  // line takes the text of another.
  void Edit(bool now = false) {
    if (!lines_ || run_.editEvery <= 0 || (++calls_ % run_.editEvery != 0 && !now)) return;
    const int count = lines_->Count();
    if (count == 0) return;
    ++edits_;
    const int to = (edits_ * 7) % count, from = (edits_ * 13 + 5) % count;
    record_.push_back("edit " + std::to_string(to) + " := " + std::to_string(from));
    lines_->SetLine(to, lines_->Line(from));
  }
  VectorLineList* lines_ = nullptr;

 private:
  std::vector<std::string>& record_;
  const ModeRun& run_;
  int reads_ = 0, polls_ = 0, calls_ = 0, edits_ = 0;
};

inline std::string RealBits(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%La", value);
  return buffer;
}

// The interpreter's state after a call, as lines of the record.
inline void RecordState(const TForm3& f, std::vector<std::string>& record) {
  record.push_back("state " + std::to_string(f.RunState) + " line " + std::to_string(f.CurrentLine) +
                   " braces " + std::to_string(f.BraceDepth) + " main " + std::to_string(f.MainSeen) +
                   " do " + std::to_string(f.DoPending) + " print " + std::to_string(f.PrintX) + "," +
                   std::to_string(f.PrintY) + " reason " + f.StopReason() + " reported " +
                   std::to_string(f.ErrorReported()) + " interrupted " + std::to_string(f.Interrupted()) +
                   " executed " + std::to_string(f.ExecutedLines()));
  std::string stacks = "control";
  for (int i = 0; i < f.ControlTop; ++i) {
    const ControlEntry& e = f.ControlStack[static_cast<size_t>(i)];
    stacks += " " + std::to_string(e.Line) + ":" + e.Closer + ":" + std::to_string(e.BraceDepth);
  }
  stacks += " return";
  for (int i = 0; i < f.ReturnTop; ++i) stacks += " " + std::to_string(f.ReturnStack[static_cast<size_t>(i)]);
  record.push_back(stacks);
  std::string values = "values";
  for (size_t i = 0; i < f.IntStore.size(); ++i) {
    if (f.IntStore[i] != 0) values += " i" + std::to_string(i) + "=" + std::to_string(f.IntStore[i]);
    if (f.RealStore[i] != 0) values += " r" + std::to_string(i) + "=" + RealBits(f.RealStore[i]);
    if (f.CharStore[i] != 0) values += " c" + std::to_string(i) + "=" + std::to_string(f.CharStore[i]);
  }
  record.push_back(values);
  for (size_t i = 0; i < f.StringStore.size(); ++i)
    if (f.StringStore[i] != " ") record.push_back("s" + std::to_string(i) + "=" + Kept(f.StringStore[i]));
  for (size_t i = 0; i < f.FileStore.size(); ++i)
    if (!f.FileStore[i].Name.empty() || f.FileStore[i].Mode != FileMode::Closed)
      record.push_back("file" + std::to_string(i) + " " + f.FileStore[i].Name + " " +
                       std::to_string(static_cast<int>(f.FileStore[i].Mode)));
}

struct Recorded {
  std::vector<std::string> record;
  int64_t executed = 0, compiled = 0;  // lines, over all the calls
};

// One program, fresh, then resumed after every stop; the record of it all.
inline Recorded RecordRun(const std::string& program, bool fastPath, const ModeRun& run) {
  Recorded recorded;
  std::vector<std::string>& record = recorded.record;
  VectorLineList lines(program);
  RecordingHost host(record, run);
  host.lines_ = &lines;
  TForm3 interpreter(host);
  interpreter.SetFastPath(fastPath);
  interpreter.SetBreakpointsEnabled(run.breakpoints);
  interpreter.SetLineBudget(run.lineBudget);
  interpreter.InitPrg("Essai.java");
  int32_t resume = 0, state = 0;
  for (int call = 0; call <= run.resumes; ++call) {
    state = 0;
    interpreter.Exec(lines, resume, run.stepMode, state);
    recorded.executed += interpreter.ExecutedLines();
    recorded.compiled += interpreter.CompiledLinesRun();
    record.push_back("exec " + std::to_string(state) + " resume " + std::to_string(resume));
    RecordState(interpreter, record);
    // A finished run could start again from main: the calls go on after stops.
    if ((state != kStopped && state != kStoppedBeforeCloser) || resume == 0) break;
    if (run.skipFailingLine && interpreter.ErrorReported() && !interpreter.Interrupted()) ++resume;
    host.Edit(true);
  }
  for (const std::string& line : interpreter.Stats()) record.push_back("stats " + line);
  for (const char* name : {"i", "t[2]", "s", "r"}) record.push_back("examine " + interpreter.Examiner(name));
  return recorded;
}

// Where two records part, shown with a little of what came before; empty
// when they are the same.
inline std::string FirstDifference(const std::vector<std::string>& fast, const std::vector<std::string>& reference) {
  size_t i = 0;
  while (i < fast.size() && i < reference.size() && fast[i] == reference[i]) ++i;
  if (i == fast.size() && i == reference.size()) return {};
  std::string shown = "after " + std::to_string(i) + " equal record lines:\n";
  for (size_t j = i > 3 ? i - 3 : 0; j < i; ++j) shown += "   both: " + fast[j] + "\n";
  shown += "   fast: " + (i < fast.size() ? fast[i] : std::string("(end)")) + "\n";
  shown += "   text: " + (i < reference.size() ? reference[i] : std::string("(end)")) + "\n";
  return shown;
}

}  // namespace orv::testing
