// Random programs run with the fast path and with the text evaluator alone
// must give the same record: output, messages, stop lines and reasons,
// executed lines, stacks and every value. The generator writes mostly
// well-formed programs (loops, arrays, int, float and string expressions,
// procedures, if and else) with a share of mistakes and out-of-range
// values, and runs some in step mode, with breakpoints, a line budget, an
// interrupt, or lines of the text changing while the host has the hand.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "interp/text.h"
#include "tests/interp/both_modes.h"

namespace orv::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kPrograms = 400;  // the sanitizers make each run ten times slower
#else
constexpr int kPrograms = 6000;
#endif

class ProgramWriter {
 public:
  explicit ProgramWriter(uint64_t seed) : random_(seed) {}

  std::string Program() {
    lines_.clear();
    Add(0, "import java.util.*;");
    Add(0, "class Essai");
    Add(0, "{");
    Add(1, "static int a, b, c, i, j, k, n, m;");
    Add(1, "static int t[] = new int[6];");
    Add(1, "static float r, q, z;");
    Add(1, "static float u[] = new float[4];");
    Add(1, "static String s, w, x;");
    Add(1, "static String v[] = new String[3];");
    Add(1, "static char d, e;");
    Add(1, "public static void main(String args[])");
    Block(1, 0, false, 6 + Pick(18));
    for (const char* procedure : {"void p1()", "void p2()"}) {
      Add(1, procedure);
      inProcedure_ = true;
      Block(1, 1, false, 1 + Pick(6));
      inProcedure_ = false;
    }
    Add(0, "}");
    if (One(4)) MarkBreakpoints();
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
  }

  ModeRun Run() {
    ModeRun run;
    run.skipFailingLine = !One(4);
    if (One(6)) run.stepMode = 1, run.resumes = 300;
    if (One(5)) run.lineBudget = 20 + Pick(1500);
    else run.lineBudget = 1500;  // loops that never end
    if (One(8)) run.interruptAtPoll = 1 + Pick(3);
    if (One(5)) run.breakpoints = false;
    if (One(6)) run.editEvery = 1 + Pick(20);
    return run;
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<uint64_t>(n)); }
  bool One(int n) { return Pick(n) == 0; }
  std::string From(std::initializer_list<std::string> choices) {
    return *(choices.begin() + Pick(static_cast<int>(choices.size())));
  }

  void Add(int indent, const std::string& text) { lines_.push_back(std::string(indent, ' ') + text); }

  void MarkBreakpoints() {
    for (int n = 1 + Pick(3); n > 0; --n) {
      std::string& line = lines_[static_cast<size_t>(11 + Pick(static_cast<int>(lines_.size()) - 11))];
      line.insert(0, "\xBB");
    }
  }

  // --- Values ------------------------------------------------------------------

  std::string IntVariable() { return From({"a", "b", "c", "i", "j", "k", "n", "m"}); }
  std::string Index() {
    if (One(12)) return From({"0", "7", "-1", "2001", "r", "zz", " 2 "});
    return One(3) ? From({"a", "b", "i", "j"}) : std::to_string(1 + Pick(6));
  }
  std::string IntLiteral() {
    if (One(8)) return From({"2147483647", "2147483648", "0", "007", "+5", "65536", "1000000"});
    return std::to_string(Pick(20));
  }
  std::string IntOperand() {
    switch (Pick(14)) {
      case 0: case 1: case 2: case 3: return IntVariable();
      case 4: case 5: case 6: return IntLiteral();
      case 7: case 8: return "t[" + Index() + "]";
      case 9: return From({"s.length()", "v[2].length()", "\"abc\".length()", "w.length()"});
      case 10: return From({"r", "zz", "3f", "abs(a)", "(int)d", "1.5", "s"});
      default: return IntVariable();
    }
  }
  std::string IntExpression() {
    if (One(12)) return From({"a + b + c", "-" + IntOperand(), "(a + b) * 2", "", "a +"});
    if (One(3)) return IntOperand();
    return IntOperand() + " " + From({"+", "-", "*", "/", "%", "+", "-"}) + " " + IntOperand();
  }

  std::string RealVariable() { return From({"r", "q", "z"}); }
  std::string RealOperand() {
    switch (Pick(12)) {
      case 0: case 1: case 2: case 3: return RealVariable();
      case 4: case 5: return From({"1.5f", "0.1f", "2f", "3.14f", "100.1f", "0.5f", "1e3f", "123456.5f"});
      case 6: return "u[" + Index() + "]";
      case 7: return From({"(float)a", "(double)t[2]", "(float)3", "(double)i", "(float) a"});
      case 8: return From({"Math.sqrt(r)", "Math.abs(q)", "3", "2.5F", "a", "1e39f"});
      default: return RealVariable();
    }
  }
  std::string RealExpression() {
    if (One(4)) return RealOperand();
    return RealOperand() + " " + From({"+", "-", "*", "/", "%", "*"}) + " " + RealOperand();
  }

  std::string StringVariable() { return From({"s", "w", "x"}); }
  std::string Bound() { return One(3) ? From({"a", "b", "i", "n"}) : std::to_string(Pick(7)); }
  std::string StringTerm() {
    switch (Pick(12)) {
      case 0: case 1: return StringVariable();
      case 2: case 3: return From({"\"abc\"", "\"\"", "\"x y\"", "\"Été\"", "\"a\"\"b\""});
      case 4: return From({"'z'", "'+'", "'ab'"});
      case 5: return "v[" + Index() + "]";
      case 6: case 7: return StringVariable() + ".substring(" + Bound() + "," + Bound() + ")";
      case 8: return StringVariable() + From({".toUpperCase()", ".toLowerCase()", ".length()", ".trim()"});
      case 9: return From({"a", "5", "zz", "s.substring(1, 3)", "DATESTRING(CURRENTDATE())"});
      default: return StringVariable();
    }
  }
  std::string StringExpression() { return One(2) ? StringTerm() : StringTerm() + " + " + StringTerm(); }

  // Any single value, as a print or a condition takes it.
  std::string Value() {
    switch (Pick(10)) {
      case 0: case 1: return IntVariable();
      case 2: return IntLiteral();
      case 3: return RealVariable();
      case 4: return StringVariable();
      case 5: return From({"'q'", "\"mot\"", "\"\"", ".5", "-3", "5.0"});
      case 6: return "t[" + Index() + "]";
      case 7: return One(2) ? "u[" + Index() + "]" : "v[" + Index() + "]";
      case 8: return From({"d", "e", "zz", "a+1", "12a", ""});
      default: return IntVariable();
    }
  }
  std::string Condition() {
    if (One(20)) return From({"a > b", "(a)", "(a < b && c < d)", "(FEOF(zz))"});
    const std::string left = One(3) ? Value() : IntVariable();
    const std::string right = One(3) ? Value() : IntLiteral();
    return "(" + left + " " + From({"<", ">", "<=", ">=", "==", "!="}) + " " + right + ")";
  }

  // --- Statements ----------------------------------------------------------------

  // A block in braces; the closing line ends with ";" when asked.
  void Block(int indent, int depth, bool semicolon, int statements) {
    Add(indent, "{");
    for (int n = 0; n < statements; ++n) Statement(indent + 1, depth);
    Add(indent, semicolon ? "};" : "}");
  }

  void Simple(int indent, bool semicolon) {
    const std::string end = semicolon ? ";" : "";
    switch (Pick(17)) {
      case 0: case 1: case 2:
        Add(indent, (One(4) ? "t[" + Index() + "]" : IntVariable()) + " = " + IntExpression() + end);
        break;
      case 3: case 4:
        Add(indent, (One(4) ? "u[" + Index() + "]" : RealVariable()) + " = " + RealExpression() + end);
        break;
      case 5: case 6:
        Add(indent, (One(4) ? "v[" + Index() + "]" : StringVariable()) + " = " + StringExpression() + end);
        break;
      case 7: Add(indent, From({"d", "e"}) + " = " + StringTerm() + end); break;
      case 8: case 9:
        Add(indent, (One(10) ? From({"r", "t[1]", "zz", "a "}) : IntVariable()) + From({"++", "--"}) + end);
        break;
      case 10: case 11:
        Add(indent, From({"System.out.print(", "System.out.println("}) + Value() + ")" + end);
        break;
      case 14:  // values at the edges of the int range
        Add(indent, "a = " + From({"2147483647 + 1", "2147483647", "-2147483647", "0 - 1", "0"}) + ";");
        Add(indent, "b = " + From({"0 - 1", "2147483647 + 1", "1", "0", "-2"}) + ";");
        Add(indent, "c = a " + From({"+", "-", "*", "/", "%"}) + " b" + end);
        break;
      case 12:
        if (!inProcedure_ && One(3)) Add(indent, From({"p1()", "p2()"}) + end);
        else Add(indent, IntVariable() + " = " + IntExpression() + end);
        break;
      case 13:
        Add(indent, From({"toString(a,s)", "GOTOXY(2,3)", "FGETS(System.in, a)", "FGETS(System.in, s)",
                          "x += 1", "zz = 3", "a = ", "foo()", "nop"}) + end);
        break;
      default: Add(indent, IntVariable() + " = " + IntExpression() + end); break;
    }
  }

  void Statement(int indent, int depth) {
    const bool nest = depth < 3;
    switch (Pick(nest ? 12 : 6)) {
      case 6: case 7: return If(indent, depth);
      case 8: return While(indent, depth);
      case 9: return For(indent, depth);
      case 10: return inDo_ ? For(indent, depth) : Do(indent, depth);
      case 11:
        if (loops_ > 0 && One(2)) {
          Add(indent, "if " + Condition());
          Add(indent + 1, "break;");
          return;
        }
        if (inProcedure_ && One(2)) return Add(indent, "return;");
        return If(indent, depth);
      default: return Simple(indent, true);
    }
  }

  void ThenOrElsePart(int indent, int depth, bool semicolon) {
    if (One(2)) Simple(indent + 1, semicolon);
    else Block(indent, depth + 1, semicolon, 1 + Pick(3));
  }

  void If(int indent, int depth) {
    Add(indent, "if " + Condition());
    const bool withElse = One(2);
    // A then-part followed by else must not end with ";" (now and then it does).
    ThenOrElsePart(indent, depth, withElse ? One(15) : true);
    if (!withElse) return;
    Add(indent, "else");
    ThenOrElsePart(indent, depth, true);
  }

  std::string Counter(int depth) { return depth % 2 ? "m" : "n"; }

  void While(int indent, int depth) {
    if (inDo_) return For(indent, depth);  // a do loop holds no while loop
    const std::string counter = Counter(depth);
    Add(indent, counter + " = " + std::to_string(Pick(3)) + ";");
    Add(indent, "while (" + counter + " < " + std::to_string(1 + Pick(5)) + ")");
    ++loops_;
    Add(indent, "{");
    for (int n = Pick(4); n > 0; --n) Statement(indent + 1, depth + 1);
    Add(indent + 1, counter + "++;");
    Add(indent, "}");
    --loops_;
  }

  void For(int indent, int depth) {
    const std::string var = depth % 2 ? "j" : "i";
    const std::string start = One(4) ? IntVariable() : std::to_string(Pick(4));
    const std::string limit = One(4) ? IntVariable() : std::to_string(Pick(6));
    const bool down = One(4);
    const std::string op = down ? From({">", ">="}) : From({"<", "<="});
    const std::string step = down ? From({var + "--", var + " -= 1", "--" + var})
                                  : From({var + "++", var + "+=2", var + " = " + var + " + 1", "++" + var, var + "+=k"});
    Add(indent, "for (" + var + "=" + start + "; " + var + op + limit + "; " + step + ")");
    ++loops_;
    if (One(5)) {
      Simple(indent + 1, true);
    } else {
      Block(indent, depth + 1, false, 1 + Pick(4));
    }
    --loops_;
  }

  void Do(int indent, int depth) {
    const std::string counter = Counter(depth);
    Add(indent, counter + " = 0;");
    Add(indent, "do");
    ++loops_;
    const bool outer = inDo_;
    inDo_ = true;
    Add(indent, "{");
    for (int n = Pick(3); n > 0; --n) Statement(indent + 1, depth + 1);
    Add(indent + 1, counter + "++;");
    Add(indent, "}");
    inDo_ = outer;
    --loops_;
    Add(indent, "while (" + counter + " >= " + std::to_string(1 + Pick(4)) + ");");
  }

  std::mt19937_64 random_;
  std::vector<std::string> lines_;
  bool inProcedure_ = false;
  bool inDo_ = false;
  int loops_ = 0;
};

TEST(RandomPrograms, RunTheSameWithTheFastPathAndFromTheText) {
  const auto start = std::chrono::steady_clock::now();
  int64_t lines = 0, fastLines = 0, failures = 0;
  for (int n = 0; n < kPrograms; ++n) {
    ProgramWriter writer(0x9E3779B97F4A7C15ULL * static_cast<uint64_t>(n + 1));
    const std::string program = writer.Program();
    const ModeRun run = writer.Run();
    const Recorded fast = RecordRun(program, true, run);
    const Recorded reference = RecordRun(program, false, run);
    if (const std::string difference = FirstDifference(fast.record, reference.record); !difference.empty()) {
      ADD_FAILURE() << "program " << n << " (step " << run.stepMode << ", budget " << run.lineBudget
                    << ", interrupt " << run.interruptAtPoll << ", breakpoints " << run.breakpoints
                    << ", edits " << run.editEvery << ")\n"
                    << difference << program;
      if (++failures >= 3) break;
    }
    lines += fast.executed;
    fastLines += fast.compiled;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d programs, %lld lines executed in each mode, %lld of them compiled, %.1f s\n", kPrograms,
              static_cast<long long>(lines), static_cast<long long>(fastLines), seconds);
  // The programs must give the fast path work, or the comparison proves little.
  EXPECT_GT(fastLines * 3, lines);
}

// --- Stepping back -------------------------------------------------------------

// A program in step mode, one call at a time; each call keeps the part of the
// record it made (what the host saw, the stop, the state it left).
struct StepWalk {
  struct Step {
    std::vector<std::string> record;
    int32_t resumedWith, shownLine;  // the call's resume line, and the line marked before it
    bool keyboard;                   // it read the keyboard: it cannot be taken back
  };
  StepWalk(const std::string& program, bool fastPath) : lines(program), host(events, run), interpreter(host) {
    interpreter.SetFastPath(fastPath);
    interpreter.SetBreakpointsEnabled(false);
    interpreter.InitPrg("Essai.java");
  }
  // F7; a failing line is skipped, as the random-program test does.
  void Forward() {
    events.clear();
    Step step{{}, resume, state == kStoppedBeforeCloser ? resume - 1 : resume, false};
    interpreter.Exec(lines, resume, 1, state);
    events.push_back("exec " + std::to_string(state) + " resume " + std::to_string(resume));
    RecordState(interpreter, events);
    for (const std::string& event : events) step.keyboard |= event.starts_with("keyboard ");
    step.record = std::move(events);
    steps.push_back(std::move(step));
    if (interpreter.ErrorReported() && !interpreter.Interrupted()) ++resume;
  }
  bool Ended() const { return !steps.empty() && ((state != kStopped && state != kStoppedBeforeCloser) || resume == 0); }
  std::vector<std::string> Record() const {
    std::vector<std::string> record;
    for (const Step& step : steps) record.insert(record.end(), step.record.begin(), step.record.end());
    for (const std::string& line : interpreter.Stats()) record.push_back("stats " + line);
    for (const std::string& line : host.screen) record.push_back("screen " + line);
    return record;
  }

  ModeRun run;
  VectorLineList lines;
  std::vector<std::string> events;
  RecordingHost host;
  TForm3 interpreter;
  int32_t resume = 0, state = 0;
  std::vector<Step> steps;
};

// Stepping forward and back at random ends with the record of a run that
// never stepped back; each step back leaves the state the call before left;
// stepping back stops exactly after a line that read the keyboard, or at the
// start.
TEST(RandomPrograms, StepBackAndForwardGiveTheRunWithoutSteppingBack) {
  constexpr size_t kMaxCalls = 300;
  int64_t backs = 0;
  for (int n = 0; n < kPrograms / 8 && !HasFailure(); ++n) {
    const std::string program = ProgramWriter(0x2545F4914F6CDD1DULL * static_cast<uint64_t>(n + 1)).Program();
    SCOPED_TRACE("program " + std::to_string(n) + "\n" + program);
    StepWalk straight(program, n % 2 == 0), walk(program, n % 2 == 0);
    while (!straight.Ended() && straight.steps.size() < kMaxCalls) straight.Forward();
    const size_t calls = straight.steps.size();
    std::mt19937_64 random(static_cast<uint64_t>(n));
    size_t floor = 0;  // the calls below it cannot be taken back
    for (int moves = 0; moves < 20 * static_cast<int>(kMaxCalls) && !HasFailure(); ++moves) {
      const size_t done = walk.steps.size();
      if (done == calls && (random() % 3 != 0 || done <= floor)) break;
      if (done == 0 || (done < calls && random() % 3 != 0)) {
        walk.Forward();
        if (walk.steps.back().keyboard) floor = walk.steps.size();
        continue;
      }
      const StepWalk::Step last = walk.steps.back();
      std::string note;
      const bool back = walk.interpreter.StepBack(walk.resume, walk.state, note);
      ASSERT_EQ(back, done > floor) << note;
      if (!back) {
        if (floor > 0)
          EXPECT_EQ(note, "Retour impossible avant la ligne " + std::to_string(walk.steps[floor - 1].shownLine + 1) +
                              " : lecture au clavier");
        else
          EXPECT_TRUE(note.ends_with(" : début du programme"_cp)) << note;
        continue;
      }
      ++backs;
      walk.steps.pop_back();
      if (last.resumedWith == 0) EXPECT_GT(walk.resume, 0);  // back before the first line: at the main header
      else EXPECT_EQ(walk.resume, last.resumedWith);
      if (walk.steps.empty()) continue;
      std::vector<std::string> state;  // the state lines close each call's record
      RecordState(walk.interpreter, state);
      const std::vector<std::string>& before = walk.steps.back().record;
      EXPECT_EQ(FirstDifference(state, {before.end() - static_cast<long>(state.size()), before.end()}), "");
    }
    EXPECT_EQ(FirstDifference(walk.Record(), straight.Record()), "");
  }
  EXPECT_GT(backs, kPrograms * 10);  // the walks mostly step back
}

}  // namespace
}  // namespace orv::testing
