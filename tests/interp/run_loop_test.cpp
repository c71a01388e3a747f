// The run loop: fresh runs, resumes, step mode, breakpoints, interrupts, output.
#include <gtest/gtest.h>

#include <climits>
#include <new>

#include "fake_host.h"

namespace orv::testing {
namespace {

// Lines: 0 import, 1 class, 2 {, 3 decl, 4 main, 5 {, 6.. body
std::string Small(const std::string& body) { return Program(" static int i, n;\n", body); }

TEST(RunLoop, ScreenIsTitledAndShownAtEveryCall) {
  Session session(Small("  i = 1;\n"));
  session.Run();
  EXPECT_EQ(session.host.screen.title, "Orv Java - Essai.java");
  EXPECT_EQ(session.host.screen.shown, 1);
  session.Run(6);
  EXPECT_EQ(session.host.screen.shown, 2);
}

TEST(RunLoop, StepModeExecutesOneLineAtATime) {
  Session session(Small("  i = 1;\n  i = 2;\n"));
  RunResult r = session.Run(0, 1);
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 5);  // stopped after the main header, on the "{"
  r = session.Run(r.resumeLine, 1);
  EXPECT_EQ(r.resumeLine, 6);
  r = session.Run(r.resumeLine, 1);
  EXPECT_EQ(r.resumeLine, 7);
  EXPECT_EQ(session.Int("i"), 1);
  r = session.Run(r.resumeLine, 1);
  EXPECT_EQ(session.Int("i"), 2);
  r = session.Run(r.resumeLine, 1);  // the closing brace of main ends the run
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(r.resumeLine, 4);  // a resume would start again at the main header
  EXPECT_EQ(session.interpreter.RunState, kFinished);
}

TEST(RunLoop, StepModeStopsWith998BeforeALoopEnd) {
  Session session(Small("  for (i=1; i<=2; i++)\n   n++;\n  n = n + 10;\n"));
  RunResult r = session.Run(0, 1);
  std::vector<int32_t> states;
  for (int guard = 0; guard < 30 && r.finalState != kFinished; ++guard) {
    states.push_back(r.finalState);
    r = session.Run(r.resumeLine, 1);
  }
  EXPECT_EQ(session.Int("n"), 12);
  EXPECT_NE(std::find(states.begin(), states.end(), kStoppedBeforeCloser), states.end());
}

// One run command of the editor in step mode: a resume takes the marker off
// the line it starts from; afterwards the marker goes on the line to execute
// next, unless the run stopped before a block end or is over.
RunResult EditorStep(Session& session, int32_t resumeLine) {
  constexpr char kStepMarker = '\x95';
  if (const std::string line = session.lines.Line(resumeLine); !line.empty() && line[0] == kStepMarker)
    session.lines.SetLine(resumeLine, line.substr(1));
  const RunResult r = session.Run(resumeLine, 1);
  if (r.finalState != kStoppedBeforeCloser && r.finalState != kFinished)
    session.lines.SetLine(r.resumeLine, kStepMarker + session.lines.Line(r.resumeLine));
  return r;
}

TEST(RunLoop, StepByStepWalkEndsLikeAnUninterruptedRun) {
  const struct { const char* name; std::string text; } programs[] = {
      {"default program and a print",
       "import java.util.*;\nclass Sansnom\n{\n static int i;\n static float r;\n static char c;\n"
       " public static void main(String args[])\n {\n  System.out.println(\"un\");\n  \n }\n}\n"},
      {"for", Small("  for (i=1; i<=3; i++)\n  {\n   System.out.print(i);\n  }\n  System.out.println(\"\");\n")},
      {"nested for", Small("  for (i=1; i<=2; i++)\n  {\n   for (n=1; n<=2; n++)\n    System.out.print(n);\n  }\n")},
      {"while", Small("  while (i < 3)\n  {\n   i++;\n   System.out.print(i);\n  }\n")},
      {"do", Small("  do\n  {\n   i++;\n  }\n  while (i == 3);\n  System.out.println(i);\n")},
      {"if else", Small("  i = 2;\n  if (i == 1)\n  {\n   System.out.println(\"a\");\n  }\n  else\n  {\n"
                        "   System.out.println(\"b\");\n  }\n  if (i == 2)\n   System.out.println(\"c\");\n")},
      {"procedure", Small("  p();\n  p();\n  System.out.println(n);\n }\n void p()\n {\n  n++;\n")},
  };
  for (const auto& program : programs)
    InBothModes([&](bool fastPath, const char* mode) {
      SCOPED_TRACE(std::string(mode) + program.name);
      Session whole(program.text, fastPath);
      const RunResult expected = whole.Run();
      ASSERT_EQ(expected.finalState, kFinished);

      Session stepped(program.text, fastPath);
      RunResult r = EditorStep(stepped, 0);
      std::string out = r.out;
      std::vector<std::string> messages = r.messages;
      for (int steps = 0; steps < 500 && r.finalState != kFinished && messages.empty(); ++steps) {
        r = EditorStep(stepped, r.resumeLine);
        out += r.out;
        messages.insert(messages.end(), r.messages.begin(), r.messages.end());
      }
      EXPECT_TRUE(messages.empty()) << messages.front();
      EXPECT_EQ(r.finalState, kFinished);
      EXPECT_EQ(r.resumeLine, expected.resumeLine);
      EXPECT_EQ(out, expected.out);
      EXPECT_EQ(stepped.lines.Lines(), whole.lines.Lines());  // no marker is left behind
    });
}

// Steps forward and back in step mode, on what the random programs do not
// reach. A step back takes back what its line did, as far as the history
// goes; going on to the end from there gives what a run that never stepped
// back gives.
TEST(StepBack, TakesLinesBackAsFarAsTheHistoryGoes) {
  const std::string decl = " static int i, n;\n static int t[] = new int[3];\n static String s;\n static float r;\n";
  // Lines: 0 import, 1 class, 2 {, 3-6 declarations, 7 main, 8 {, 9.. body
  const std::string loop = "  for (i=1; i<=3; i++)\n  {\n   t[i] = i * 10;\n   s = s + \"x\";\n   p();\n  }\n"
                           "  System.out.println(s);\n }\n void p()\n {\n  r = r + 0.5f;\n  System.out.print(i);\n";
  const auto none = [](Session&) {};
  const struct {
    const char* name;
    std::string decl, body;
    std::function<void(Session&)> setup;
    int f9Calls, forward, backs;
    const char* note;  // after the last step back
  } rows[] = {
      {"not before the main header", decl, loop, none, 0, 3, 4, "Retour impossible avant la ligne 8 : début du programme"},
      {"over the end of the program", decl, loop, none, 0, 200, 2, "Retour à la ligne 16 : 36 pas en arrière encore possibles"},
      {"random numbers", decl + " static Random g = new Random();\n",
       "  n = g.nextInt();\n  i = g.nextInt();\n  System.out.println(n);\n  System.out.println(i);\n", none, 0, 5, 2,
       "Retour à la ligne 12 : 3 pas en arrière encore possibles"},
      {"the printer", decl, "  i = 1;\n  FPUTS(\"x\", PRN:);\n  i = 2;\n", [](Session& s) { s.host.hasPrinter = true; },
       0, 5, 2, "Retour impossible avant la ligne 11 : impression"},
      {"the printer closed at the end", decl, "  FPUTS(\"x\", PRN:);\n  i = 2;\n",
       [](Session& s) { s.host.hasPrinter = true; }, 0, 40, 1,
       "Retour impossible avant la ligne 12 : impression"},
      {"a folder", decl, "  i = 1;\n  CHDIR \".\";\n  i = 2;\n", none, 0, 5, 2,
       "Retour impossible avant la ligne 11 : accès à un dossier"},
      {"a file", decl + " static File f;\n",
       "  f = new File(\"absent.txt\");\n  FileInputStream e = new FileInputStream(f);\n  i = 2;\n", none, 0, 6, 3,
       "Retour impossible avant la ligne 12 : accès à un fichier"},
      {"a screen that cannot take back", decl, "  i = 1;\n  System.out.println(i);\n  i = 2;\n",
       [](Session& s) { s.host.screen.marks = false; }, 0, 5, 2,
       "Retour impossible avant la ligne 11 : affichage"},
      {"after a run not in step mode", decl, "  i = 1;\n\xBB  i = 2;\n  i = 3;\n  i = 4;\n", none, 1, 2, 3,
       "Retour impossible avant la ligne 11 : lignes exécutées sans pas à pas"},
      {"the line limit", decl, loop, [](Session& s) { s.interpreter.SetHistoryLimits(3, size_t{1} << 20); }, 0, 20,
       4, "Retour impossible avant la ligne 14 : historique limité aux 3 dernières lignes"},
      {"the memory limit", decl,
       "  s = \"0123456789\";\n  for (i=1; i<=17; i++)\n   s = s + s;\n  s = s + \"a\";\n  s = s + \"b\";\n"
       "  s = s + \"c\";\n  s = s + \"d\";\n",
       [](Session& s) { s.interpreter.SetHistoryLimits(1000, size_t{3} << 20); }, 0, 60, 4,
       "Retour impossible avant la ligne 15 : historique limité à 3 Mo"},
  };
  for (const auto& row : rows)
    InBothModes([&](bool fastPath, const char* mode) {
      SCOPED_TRACE(std::string(mode) + row.name);
      const std::string text = Program(row.decl, row.body);
      Session straight(text, fastPath);
      row.setup(straight);
      const RunResult whole = straight.Resume(straight.Run(0, 1), 1);

      Session walk(text, fastPath);
      row.setup(walk);
      RunResult r = walk.Run(0, row.f9Calls > 0 ? 0 : 1);
      for (int n = 1; n < row.forward && (r.finalState == kStopped || r.finalState == kStoppedBeforeCloser); ++n)
        r = walk.Run(r.resumeLine, n < row.f9Calls ? 0 : 1);
      std::string note;
      for (int n = 0; n < row.backs; ++n) walk.interpreter.StepBack(r.resumeLine, r.finalState, note);
      EXPECT_EQ(Cp1252ToUtf8(note), row.note);
      r = walk.Resume(r, 1);
      EXPECT_EQ(r.finalState, whole.finalState);
      EXPECT_EQ(walk.host.screen.text, straight.host.screen.text);
      EXPECT_EQ(walk.host.messages, straight.host.messages);
      EXPECT_EQ(walk.interpreter.IntStore, straight.interpreter.IntStore);
      EXPECT_EQ(walk.interpreter.RealStore, straight.interpreter.RealStore);
      EXPECT_EQ(walk.interpreter.StringStore, straight.interpreter.StringStore);
    });
}

// The runner's lines: every kind of line break, and the edits the pre-pass
// and the runner make.
TEST(ProgramText, SplitsAndEdits) {
  const struct { const char* text; std::vector<std::string> lines; } splits[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb\rc\n\nd", {"a", "b", "c", "", "d"}},
      {"\n\r\n", {"", ""}},
  };
  for (const auto& split : splits) EXPECT_EQ(VectorLineList(split.text).Lines(), split.lines) << split.text;

  VectorLineList lines("\n\nun\ndeux\ntrois");
  lines.DeleteLine(0);
  lines.DeleteLine(0);
  EXPECT_EQ(lines.DeletedAtTop(), 2);
  lines.SetLine(0, "u");            // shorter: in place
  lines.SetLine(1, "deux et plus");  // longer: appended
  lines.DeleteLine(2);
  lines.DeleteLine(5);  // outside: nothing
  EXPECT_EQ(lines.Lines(), (std::vector<std::string>{"u", "deux et plus"}));
  EXPECT_EQ(lines.Line(2), "");
  EXPECT_FALSE(lines.LineView(-1));
}

// A line list whose run-time reads fail as if memory had run out.
class ExhaustedLines : public VectorLineList {
 public:
  ExhaustedLines(const std::string& text, int failAt) : VectorLineList(text), failAt_(failAt) {}
  std::optional<std::string_view> LineView(int i) const override {
    if (i == failAt_) throw std::bad_alloc();
    return VectorLineList::LineView(i);
  }

 private:
  int failAt_;
};

TEST(RunLoop, RunningOutOfMemoryStopsTheRunAtItsLine) {
  FakeHost host;
  ExhaustedLines lines(Small("  i = 1;\n  i = 2;\n"), 7);
  TForm3 interpreter(host);
  int32_t resumeLine = 0, finalState = 0;
  interpreter.Exec(lines, resumeLine, 0, finalState);
  EXPECT_EQ(finalState, kStopped);
  EXPECT_EQ(resumeLine, 7);
  EXPECT_EQ(host.messages, std::vector<std::string>{"Mémoire insuffisante"});
}

TEST(RunLoop, ResumeKeepsVariablesOutputPositionAndFiles) {
  Session session(Small("  System.out.print(\"ab\");\n  i = 1;\n  System.out.print(\"cd\");\n"));
  RunResult r = session.Run(0, 1);
  r = session.Resume(r, 1);
  const auto& drawn = session.host.screen.drawn;
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0], (Drawn{0, 0, "ab"}));
  EXPECT_EQ(drawn[1], (Drawn{20, 0, "cd"}));  // continues where the first stopped
  // A fresh run starts again at the top-left corner.
  session.Run();
  EXPECT_EQ(session.host.screen.drawn[2], (Drawn{0, 0, "ab"}));
}

TEST(RunLoop, ErrorStopsAtTheFailingLine) {
  Session session(Small("  i = 1;\n  i = zz;\n  i = 3;\n"));
  const RunResult r = session.Run();
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 7);
  EXPECT_EQ(session.Int("i"), 1);
}

TEST(RunLoop, RunningPastTheLastLineFinishesSilently) {
  Session session("class A\n{\n static int i;\n}\n void main()\n  i = 4;\n");
  const RunResult r = session.Run();
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(r.resumeLine, 4);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(session.Int("i"), 4);
}

TEST(Breakpoints, StopBeforeTheMarkedLineAndResumePastIt) {
  Session session(Small("  i = 1;\n\xbb  i = 2;\n  i = 3;\n"));
  RunResult r = session.Run();
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 7);
  EXPECT_EQ(session.Int("i"), 1);
  EXPECT_TRUE(r.messages.empty());
  r = session.Run(r.resumeLine);
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(session.Int("i"), 3);
  EXPECT_EQ(session.lines.Line(7), "\xbb  i = 2;");  // the marker stays in the text
}

TEST(Breakpoints, AResumeAfterTheEndStartsAgainFromTheMainHeader) {
  Session session(Small("  n++;\n\xbb  i = n;\n  System.out.println(i);\n"));
  RunResult r = session.Run();
  EXPECT_EQ(r.finalState, kStopped);
  r = session.Run(r.resumeLine);
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(r.resumeLine, 4);
  // The program runs again with its variables kept, up to the breakpoint.
  r = session.Run(r.resumeLine);
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 7);
  r = session.Run(r.resumeLine);
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(session.host.screen.text, "1\n2\n");
  EXPECT_TRUE(session.host.messages.empty());
}

TEST(Breakpoints, MarkedLinesInsideALoopStopEveryRound) {
  Session session(Small("  for (i=1; i<=3; i++)\n  {\n\xbb   n++;\n  }\n"));
  RunResult r = session.Run();
  int stops = 0;
  while (r.finalState != kFinished && stops < 10) {
    ++stops;
    r = session.Run(r.resumeLine);
  }
  EXPECT_EQ(stops, 3);
  EXPECT_EQ(session.Int("n"), 3);
}

TEST(Breakpoints, MarkersDoNotHideDeclarationsOrBraces) {
  Session session(Program("\xbb static int i;\n", "\xbb  while (i < 2)\n\xbb  {\n   i++;\n\xbb  }\n"));
  session.interpreter.SetBreakpointsEnabled(false);
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(session.Int("i"), 2);
}

TEST(Interrupt, LineBudgetInterruptsResumably) {
  Session session(Small("  while (i < 1)\n  {\n   n++;\n  }\n"));
  session.interpreter.SetLineBudget(1000);
  RunResult r = session.Run();
  EXPECT_TRUE(session.interpreter.Interrupted());
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.messages, std::vector<std::string>{"Programme interrompu"});
  EXPECT_EQ(session.interpreter.ExecutedLines(), 1000);
  const int32_t counted = session.Int("n");
  r = session.Run(r.resumeLine);
  EXPECT_GT(session.Int("n"), counted);  // the resume went on counting
}

TEST(Interrupt, HostRequestIsPolled) {
  Session session(Small("  while (i < 1)\n   n++;\n"));
  session.host.interruptAfterPolls = 3;
  const RunResult r = session.Run();
  EXPECT_TRUE(session.interpreter.Interrupted());
  EXPECT_EQ(r.messages, std::vector<std::string>{"Programme interrompu"});
  EXPECT_EQ(session.host.polls, 3);
}

TEST(Output, PrintPositionsAndGotoXY) {
  Session session(Small("  System.out.print(\"ab\");\n  System.out.print(\"cd\");\n"
                        "  System.out.println(\"ef\");\n  System.out.println(\"gh\");\n"
                        "  GOTOXY(3,4);\n  System.out.print(\"x\");\n  i = 2;\n  GOTOXY(i,2);\n"
                        "  System.out.print(\"y\");\n"));
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty());
  const std::vector<Drawn> expected = {{0, 0, "ab"}, {20, 0, "cd"}, {40, 0, "ef"},
                                       {0, 18, "gh"}, {20, 54, "x"}, {10, 18, "y"}};
  EXPECT_EQ(session.host.screen.drawn, expected);
}

TEST(Output, GotoXYChecksItsCoordinates) {
  CheckCases(" static int i;\n", {
      {"  GOTOXY(3);\n", "", {"Erreur dans paramètres"}},
      {"  GOTOXY(1,5);\n", "", {"Valeur de paramètre incorrecte"}},
      {"  GOTOXY(2,0);\n", "", {"Valeur de paramètre incorrecte"}},
      {"  GOTOXY(a,5);\n", "", {"Erreur dans indice"}},
      {"  GOTOXY(2,5);\n", "", {}},
      {"  GOTOXY(32768,32768);\n", "", {}},
      {"  GOTOXY(32769,2);\n", "", {"Valeur de paramètre incorrecte"}},
      {"  GOTOXY(2147483647,2147483647);\n  System.out.println(\"x\");\n", "", {"Valeur de paramètre incorrecte"}},
      {"  GOTOXY(-2147483648,-2147483648);\n", "", {"Valeur de paramètre incorrecte"}},
      {"  i = -2147483647;\n  i--;\n  GOTOXY(i,i);\n", "", {"Valeur de paramètre incorrecte"}},
      {"  i = 3;\n  GOTOXY(i, i);\n", "", {}},
      {"  i = 3;\n  GOTOXY(*i,*i);\n  System.out.print(i);\n", "3", {}},
      {"  i = 3;\n  GOTOXY(**i,2);\n", "", {"Erreur dans indice"}},
      {"  GOTOXY(+3, 3 );\n", "", {}},
  });
}

TEST(Output, PrintPositionStopsAtTheLargestInt) {
  Session session(Small("  System.out.print(\"ab\");\n  System.out.println(\"c\");\n"));
  RunResult r = session.Run(0, 1);
  session.interpreter.PrintX = INT32_MAX - 5;
  session.interpreter.PrintY = INT32_MAX - 5;
  r = session.Run(r.resumeLine);
  EXPECT_TRUE(r.messages.empty());
  const std::vector<Drawn> expected = {{INT32_MAX - 5, INT32_MAX - 5, "ab"}, {INT32_MAX, INT32_MAX - 5, "c"}};
  EXPECT_EQ(session.host.screen.drawn, expected);
  EXPECT_EQ(session.interpreter.PrintY, INT32_MAX);
}

TEST(Output, EmptyPrintLineGoesToTheAssignment) {
  CheckCases(" static int i;\n", {{"  System.out.println();\n", "", {"Identificateur  inconnu"}}});
}

TEST(Output, DotsInsideLiteralsDoNotSplitTheLine) {
  CheckCases(" static int i;\n", {{"  CHDIR \".\";\n  CHDIR \"./nulle-part.d\";\n", "",
                                   {"Répertoire ./nulle-part.d inexistant"}}});
}

// What the environment tells the learner after a stop.
TEST(RunLoop, AStopSaysWhy) {
  const std::pair<const char*, const char*> cases[] = {
      {"  i = 5 / 0;\n", "division par zéro"},
      {"  r = 1E30f;\n  r = r * r;\n", "débordement flottant"},
      {"  if i < 3\n   i = 1;\n", "condition sans parenthèses"},
      {"  zz++;\n", "variable inconnue"},
      {"  if (zz < 3)\n   i = 1;\n", "Identificateur zz inconnu"},  // the first of its two messages
      {"  i = 1;\n", ""},
  };
  for (const auto& [body, reason] : cases)
    InBothModes([&](bool fastPath, const char* mode) {
      Session session(Program(" static int i;\n static float r;\n", body), fastPath);
      session.Run();
      EXPECT_EQ(Cp1252ToUtf8(session.interpreter.StopReason()), reason) << mode << body;
    });
  Session stepping(Program(" static int i;\n", "  i = 5 / 0;\n"));
  stepping.Run(0, 1);
  EXPECT_EQ(stepping.interpreter.StopReason(), "");  // a step is no failure
}

}  // namespace
}  // namespace orv::testing
