// A host for interpreter tests: records everything the interpreter shows.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "interp/Unit3.h"
#include "common/cp1252.h"
#include "interp/program_text.h"

namespace orv::testing {

struct Drawn {
  int x, y;
  std::string text;
  bool operator==(const Drawn&) const = default;
};

class FakeSurface : public OutputSurface {
 public:
  void SetTitle(const std::string& t) override { title = t; }
  void Show() override { ++shown; }
  void DrawText(int x, int y, const std::string& t) override {
    drawn.push_back({x, y, t});
    text += t;
  }
  int TextWidth(const std::string& t) override { return 10 * static_cast<int>(t.size()); }
  void NewLine() override { text += '\n'; }
  std::optional<ScreenMark> Mark() override {
    if (!marks) return std::nullopt;
    return ScreenMark{drawn.size(), text.size()};
  }
  void RollBack(const ScreenMark& mark) override {
    drawn.resize(mark.Drawn);
    text.resize(mark.Written);
  }

  std::string title, text;
  bool marks = true;  // the screen can take its drawing back
  int shown = 0;
  std::vector<Drawn> drawn;
};

class FakePrinter : public PrinterSink {
 public:
  int WriteLine(const std::string& t) override {
    lines.push_back(t);
    return 0;
  }
  int Close() override {
    ++closed;
    return 0;
  }
  std::vector<std::string> lines;
  int closed = 0;
};

class FakeHost : public Host {
 public:
  // Kept as UTF-8, so that tests read like the messages they expect.
  void MessageBox(const std::string& t) override { messages.push_back(Cp1252ToUtf8(t)); }
  OutputSurface& Screen() override { return screen; }
  DateTime Now() override { return now; }
  uint64_t RandomSeed() override { return seed; }
  bool ReadKeyboardLine(std::string& line) override {
    if (keyboard.empty()) {
      line.clear();
      return false;
    }
    line = keyboard.front();
    keyboard.pop_front();
    return true;
  }
  PrinterSink* Printer() override { return hasPrinter ? &printer : nullptr; }
  bool InterruptRequested() override { return ++polls >= interruptAfterPolls && interruptAfterPolls > 0; }

  FakeSurface screen;
  std::vector<std::string> messages;
  std::deque<std::string> keyboard;
  DateTime now{2026, 1, 15, 9, 5, 3};
  uint64_t seed = 20260115;
  FakePrinter printer;
  bool hasPrinter = false;
  int polls = 0;
  int interruptAfterPolls = 0;
};

// The usual frame around a test program: class, declarations, main.
inline std::string Program(const std::string& declarations, const std::string& body) {
  return "import java.util.*;\nclass Essai\n{\n" + declarations +
         " public static void main(String args[])\n {\n" + body + " }\n}\n";
}

struct RunResult {
  std::string out;
  std::vector<std::string> messages;
  int32_t finalState = 0;
  int32_t resumeLine = 0;
};

// Runs a whole program once, fresh, step mode off; with the fast path
// unless told otherwise.
class Session {
 public:
  explicit Session(const std::string& text, bool fastPath = true) : lines(text), interpreter(host) {
    interpreter.SetFastPath(fastPath);
    interpreter.InitPrg("Essai.java");
  }
  RunResult Run(int32_t resume = 0, int32_t stepMode = 0) {
    resumeLine = resume;
    int32_t finalState = 0;
    const size_t before = host.messages.size();
    const size_t outBefore = host.screen.text.size();
    interpreter.Exec(lines, resumeLine, stepMode, finalState);
    RunResult r;
    r.out = host.screen.text.substr(outBefore);
    r.messages.assign(host.messages.begin() + static_cast<long>(before), host.messages.end());
    r.finalState = finalState;
    r.resumeLine = resumeLine;
    return r;
  }
  // Resumes after every stop until the program ends; at most `calls` calls.
  RunResult Resume(RunResult r, int32_t stepMode, int calls = 1000) {
    for (int n = 0; n < calls && (r.finalState == kStopped || r.finalState == kStoppedBeforeCloser); ++n)
      r = Run(r.resumeLine, stepMode);
    return r;
  }
  int32_t Int(const std::string& name) {
    const int i = interpreter.SymbolIndex(name);
    return i ? interpreter.IntStore[interpreter.SymbolTable[i - 1].Slot] : -999999;
  }
  std::string Str(const std::string& name) {
    const int i = interpreter.SymbolIndex(name);
    return i ? interpreter.StringStore[interpreter.SymbolTable[i - 1].Slot] : "<absent>";
  }

  FakeHost host;
  VectorLineList lines;
  TForm3 interpreter;
  int32_t resumeLine = 0;
};

inline RunResult RunProgram(const std::string& declarations, const std::string& body, bool fastPath = true) {
  return Session(Program(declarations, body), fastPath).Run();
}

// Runs `check` with the fast path, then from the text alone; `mode` names
// the run in failure messages. Every result a test expects must come from
// both: the text evaluator is the reference the compiled lines follow.
inline void InBothModes(const std::function<void(bool fastPath, const char* mode)>& check) {
  for (const bool fastPath : {true, false}) check(fastPath, fastPath ? "[fast path] " : "[text] ");
}

// One body run inside the usual frame, with what it must print and show.
struct Case {
  const char* body;
  const char* out;
  std::vector<std::string> messages;
};

// Each case runs with the fast path and from the text alone: both must give
// what the case says.
inline void CheckCases(const std::string& declarations, const std::vector<Case>& cases) {
  for (const Case& c : cases)
    InBothModes([&](bool fastPath, const char* mode) {
      const RunResult r = RunProgram(declarations, c.body, fastPath);
      EXPECT_EQ(r.out, c.out) << mode << c.body;
      EXPECT_EQ(r.messages, c.messages) << mode << c.body;
    });
}

}  // namespace orv::testing
