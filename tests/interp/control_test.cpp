// Conditions, loops, procedures and the two stacks.
#include <gtest/gtest.h>

#include "fake_host.h"

namespace orv::testing {
namespace {

const std::string kDeclarations =
    " static int i, j, k, n, s;\n static float r;\n static char c;\n static String t, u;\n";

void Check(const std::vector<Case>& cases) { CheckCases(kDeclarations, cases); }

TEST(Conditions, NumbersCompareByValueTextsRightAligned) {
  Check({
      {"  i = 9;\n  if (i < 10)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  i = 10;\n  if (i < 10)\n   System.out.println(\"oui\");\n", "", {}},
      {"  i = 3;\n  if (i > -5)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  r = 2.5f;\n  if (r > 10)\n   System.out.println(\"oui\");\n", "", {}},
      {"  r = 0.1f;\n  if (r == 0.1)\n   System.out.println(\"oui\");\n", "", {}},
      {"  i = 5;\n  if (i == 05)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  i = -12;\n  if (i < -3)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  t = \"ab\";\n  u = \"b\";\n  if (t < u)\n   System.out.println(\"oui\");\n", "", {}},
      {"  t = \"abc\";\n  if (t == \"abc\")\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  t = \"x1234567890123456\";\n  u = \"y1234567890123456\";\n  if (t != u)\n"
       "   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  c = 'x';\n  if (c == 'x')\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  if (i+1 < n)\n   i = 1;\n", "", {"Identificateur i+1 inconnu", "Erreur de syntaxe"}},
      {"  if (i < j && k < n)\n   i = 1;\n", "", {"Identificateur j && k < n inconnu", "Erreur de syntaxe"}},
      {"  if i < 10\n   i = 1;\n", "", {"Erreur de syntaxe"}},
      {"  if(i < 10)\n   i = 1;\n", "", {"Erreur de syntaxe"}},
      {"  if (i)\n   i = 1;\n", "", {"Expression logique incorrecte", "Erreur de syntaxe"}},
      {"  t = \"a\";\n  if (t == \"<=\")\n   i = 1;\n", "", {"Identificateur t == \" inconnu", "Erreur de syntaxe"}},
      {"  t = \"a<b\";\n  if (t > \"a<b\")\n   i = 1;\n  System.out.println(\"fin\");\n", "fin\n", {}},
      // Numbers written without a digit before or after their point.
      {"  r = 0.3f;\n  if (r < .5)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  r = 0.5f;\n  if (r == .5)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  i = 5;\n  if (i == 5.)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  r = -0.25f;\n  if (r < -.5)\n   System.out.println(\"non\");\n", "", {}},
      // A number is one word; one leading '*' of a name is dropped, not two.
      {"  if (i == +0)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  if ( i == 0 )\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  t = \"feof(\";\n  if (t == \"feof(\")\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  if (feofx == 1)\n   i = 1;\n", "", {"Identificateur feofx inconnu", "Erreur de syntaxe"}},
      {"  if (i == -0)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  if (i == - 0)\n   i = 1;\n", "", {"Expression incorrecte", "Erreur de syntaxe"}},
      {"  if (i == 0 0)\n   i = 1;\n", "", {"Expression incorrecte", "Erreur de syntaxe"}},
      {"  i = 1;\n  while (*i < 3)\n   i++;\n  System.out.println(i);\n", "3\n", {}},
      {"  i = 1;\n  while (**i < 3)\n   i++;\n", "", {"Identificateur *i inconnu", "Erreur de syntaxe"}},
  });
}

TEST(Conditions, RightAlignedForm) {
  EXPECT_EQ(RightAligned16("ab"), std::string(14, ' ') + "ab");
  EXPECT_EQ(RightAligned16("abcdefghijklmnopqr"), "cdefghijklmnopqr");
}

TEST(IfElse, ThenAndElseParts) {
  Check({
      {"  i = 1;\n  if (i == 1)\n   System.out.println(\"a\")\n  else\n   System.out.println(\"b\");\n"
       "  System.out.println(\"c\");\n", "a\nc\n", {}},
      {"  i = 2;\n  if (i == 1)\n   System.out.println(\"a\")\n  else\n   System.out.println(\"b\");\n"
       "  System.out.println(\"c\");\n", "b\nc\n", {}},
      {"  i = 2;\n  if (i == 1)\n  {\n   System.out.println(\"a\");\n  }\n  else\n  {\n"
       "   System.out.println(\"b\");\n  }\n  System.out.println(\"c\");\n", "b\nc\n", {}},
      {"  i = 1;\n  if (i == 1)\n  {\n   System.out.println(\"a\");\n  }\n  else\n  {\n"
       "   System.out.println(\"b\");\n  }\n  System.out.println(\"c\");\n", "a\nc\n", {}},
      {"  i = 2;\n  if (i == 1)\n  {\n   System.out.println(\"a\");\n  };\n  System.out.println(\"c\");\n",
       "c\n", {}},
      {"  i = 2;\n  if (i == 1)\n  {\n   System.out.println(\"a\");\n  }\n  System.out.println(\"c\");\n",
       "", {"else manquant"}},
      {"  i = 2;\n  if (i == 1)\n   System.out.println(\"a\")\n", "", {"else manquant"}},
  });
}

TEST(ForLoops, CountsLimitsAndSteps) {
  Check({
      {"  for (i=0; i<10; i++)\n  {\n   n++;\n  }\n  System.out.println(n);\n  System.out.println(i);\n",
       "10\n10\n", {}},
      {"  for (i=5; i>=1; i--)\n  {\n   n++;\n  }\n  System.out.println(n);\n  System.out.println(i);\n",
       "5\n0\n", {}},
      {"  for (i=20; i<10; i++)\n  {\n   System.out.println(\"jamais\");\n  }\n  System.out.println(i);\n",
       "20\n", {}},
      {"  for (i=1; i>5; i--)\n   System.out.println(\"jamais\");\n  System.out.println(i);\n", "1\n", {}},
      {"  for (i=0; i<=10; i+=2)\n   n++;\n  System.out.println(n);\n  System.out.println(i);\n",
       "6\n12\n", {}},
      {"  k = 3;\n  for (i=10; i>0; i = i - k)\n   n++;\n  System.out.println(n);\n", "4\n", {}},
      {"  for (i=0; i<3; i=i+1)\n   System.out.print(i);\n", "012", {}},
      {"  for (i=0; i<3; ++i)\n   System.out.print(i);\n", "012", {}},
      {"  for (i=0; i<3; i ++)\n   System.out.print(i);\n", "012", {}},
      {"  for (i=3; i>0; i -= 2)\n   System.out.print(i);\n", "31", {}},
      {"  for (i=0; i<3; i -= -1)\n   System.out.print(i);\n", "012", {}},
      {"  for (i=0; i<3; i*=2)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=0; i<3; i+ +)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=3; i>0; i- -)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=0; i<3; + +i)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=0; i<3; i+ =1)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=0; i<3; j++)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=0; i!=3; i++)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for(i=0; i<3; i++)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i<3)\n   n++;\n", "", {"erreur de syntaxe"}},
      {"  for (zz=0; zz<3; zz++)\n   n++;\n", "", {"Variable inconnue"}},
      {"  for (r=0; r<3; r++)\n   n++;\n", "", {"Type de variable incorrect"}},
      // The variable as the lookup leaves it, one '*' less: the condition is
      // read past as many characters, the step must name it so.
      {"  for (*i=0; i<3; i++)\n   n++;\n  System.out.println(n);\n", "3\n", {}},
      {"  for (*i=0; *<3; i++)\n   n++;\n  System.out.println(n);\n", "3\n", {}},
      {"  for (*i=0; *i<3; *i++)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (*i=0; i<3; *i++)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (**i=0; **<3; *i++)\n   n++;\n", "", {"Variable inconnue"}},
      {"  for ( i = 0 ; i < 3 ; i++ )\n   n++;\n  System.out.println(n);\n", "3\n", {}},
      {"  for (i=+1; i<+3; i++)\n   n++;\n  System.out.println(n);\n", "2\n", {}},
      {"  for (i=- 1; i<3; i++)\n   n++;\n", "", {"Expression incorrecte"}},
      {"  for (i=1 2; i<3; i++)\n   n++;\n", "", {"Expression incorrecte"}},
      {"  for (i=; i<3; i++)\n   n++;\n", "", {"Expression vide"}},
      {"  for (i=1; i<; i++)\n   n++;\n", "", {"Expression vide"}},
      {"  for (i=1; i<3)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=1)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  k = 2;\n  for (i=1; i<9; i+=*k)\n   n++;\n", "", {"Erreur de syntaxe"}},
      {"  for (i=1; i<9; i+=+2)\n   n++;\n  System.out.println(n);\n", "4\n", {}},
      {"  for (i=1; i<9; i+= - 2)\n   n++;\n  System.out.println(n);\n", "0\n", {}},
      {"  t = \"a\";\n  for (i=0; i<t; i++)\n   n++;\n", "", {"Types de données incompatibles"}},
      {"  n = 3;\n  for (i=1; i<=n; i++)\n  {\n   for (j=1; j<=i; j++)\n   {\n    System.out.print(j);\n"
       "   }\n   System.out.println(\"\");\n  }\n", "1\n12\n123\n", {}},
      // Limits at the ends of the int range: "< n" is "<= n - 1" without wrapping.
      {"  for (i=5; i<-2147483648; i++)\n   n++;\n  System.out.println(n);\n", "0\n", {}},
      {"  for (i=5; i>2147483647; i--)\n   n++;\n  System.out.println(n);\n", "0\n", {}},
      {"  for (i=2147483645; i<=2147483647; i++)\n  {\n   n++;\n   if (n > 3)\n    break;\n  }\n"
       "  System.out.println(n);\n", "4\n", {}},
      {"  for (i=-2147483647; i>-2147483648; i--)\n   n++;\n  System.out.println(n);\n", "1\n", {}},
      // A while inside a do closes the do: it takes the for loop's step from
      // the return stack for the do's line. The jump leaves the program, which
      // ends there, the line number unwrapped.
      {"  do\n  {\n   for (n=1; n<=5; n+=2147483647)\n   {\n    while (1 == 2)\n    {\n    }\n   }\n"
       "  } while (1 == 1);\n  System.out.println(n);\n", "", {}},
      {"  do\n  {\n   for (n=5; n>=1; n-=2147483647)\n   {\n    while (1 == 2)\n    {\n    }\n   }\n"
       "  } while (1 == 1);\n  System.out.println(n);\n", "", {}},
  });
}

// Blanks and tabs after the last character of a line are invisible in the
// editor: no statement may read differently for them.
TEST(TrailingBlanks, ChangeNothing) {
  const std::string tail = " \t ";
  const auto t = [&](const std::string& body) {
    std::string out;
    for (size_t at = 0, end; at < body.size(); at = end + 1) {
      end = body.find('\n', at);
      out += body.substr(at, end - at) + tail + "\n";
    }
    return out;
  };
  static const std::string bodies[][2] = {
      {"  i = 2;\n  if (i == 1)\n   i = 5;\n  if (i == 2)\n   System.out.println(\"a\")\n  else\n"
       "   System.out.println(\"c\");\n  System.out.println(\"b\");\n", "a\nb\n"},
      {"  i = 2;\n  if (i == 1)\n  {\n   i = 5;\n  };\n  if (i == 2)\n  {\n   System.out.println(\"a\");\n  }\n"
       "  else\n  {\n   System.out.println(\"c\");\n  }\n  System.out.println(\"b\");\n", "a\nb\n"},
      {"  for (i=1; i<=3; i++)\n  {\n   System.out.print(i);\n  }\n  System.out.println(\"\");\n", "123\n"},
      {"  while (i < 2)\n  {\n   i++;\n  }\n  do\n  {\n   i++;\n   if (i == 4)\n    break;\n  }\n"
       "  while (i > 9);\n  System.out.println(i);\n", "4\n"},
      {"  t = \"x\" + \"y\";\n  r = 1.5f * 2f;\n  System.out.println(t);\n  System.out.println(r);\n", "xy\n3\n"},
      {"  proc();\n  System.out.println(n);\n }\n static void proc()\n {\n  n = 7;\n  return;\n", "7\n"},
  };
  std::vector<Case> cases;
  std::vector<std::string> texts;
  texts.reserve(std::size(bodies));
  for (const auto& [body, out] : bodies) {
    texts.push_back(t(body));
    cases.push_back({texts.back().c_str(), out.c_str(), {}});
  }
  Check(cases);
}

TEST(ForLoops, TwentySixNestedLevelsOverflowTheReturnStack) {
  std::string body;
  const int depth = 26;
  for (int d = 0; d < depth; ++d) body += "  for (i=1; i<=1; i++)\n  {\n";
  body += "  n++;\n";
  for (int d = 0; d < depth; ++d) body += "  }\n";
  InBothModes([&](bool fastPath, const char* mode) {
    EXPECT_EQ(RunProgram(kDeclarations, body, fastPath).messages, std::vector<std::string>{"Pile saturée"}) << mode;
  });
}

TEST(ForLoops, ThirtyFirstControlEntryIsRefused) {
  // Procedures nest deeper on the control stack than loops can.
  std::string decl = kDeclarations, body = "  p0();\n";
  std::string procedures;
  for (int d = 0; d < 31; ++d)
    procedures += " }\n void p" + std::to_string(d) + "()\n {\n  p" + std::to_string(d + 1) + "();\n";
  procedures += " }\n void p31()\n {\n  n++;\n";
  InBothModes([&](bool fastPath, const char* mode) {
    const RunResult r = RunProgram(decl, body + procedures, fastPath);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Pile saturée"}) << mode;
    EXPECT_EQ(r.finalState, kStopped) << mode;
  });
}

TEST(WhileAndDo, LoopsAndRepeatUntil) {
  Check({
      {"  while (i < 3)\n  {\n   i++;\n  }\n  System.out.println(i);\n", "3\n", {}},
      {"  i = 5;\n  while (i < 3)\n  {\n   System.out.println(\"non\");\n  }\n  System.out.println(i);\n",
       "5\n", {}},
      {"  while (i < 3)\n   i++;\n  System.out.println(i);\n", "3\n", {}},
      {"  do\n  {\n   i++;\n  }\n  while (i == 4);\n  System.out.println(i);\n", "4\n", {}},
      {"  do\n  {\n   i++;\n  }\n  while (i > 0);\n  System.out.println(i);\n", "1\n", {}},
      {"  while (i < 3\n   i++;\n", "", {"Erreur de syntaxe"}},
  });
}

TEST(Break, LeavesTheInnermostLoop) {
  Check({
      {"  while (i < 10)\n  {\n   i++;\n   if (i == 4)\n   {\n    break;\n   };\n  }\n"
       "  System.out.println(i);\n", "4\n", {}},
      {"  for (i=1; i<=10; i++)\n  {\n   if (i == 3)\n    break;\n  }\n  System.out.println(i);\n",
       "3\n", {}},
      {"  do\n  {\n   i++;\n   if (i == 2)\n    break;\n  }\n  while (i == 9);\n"
       "  System.out.println(i);\n", "2\n", {}},
      {"  break;\n", "", {"break sans for ou while ou do"}},
  });
}

TEST(Break, TheEndOfMainStillEndsTheRun) {
  // After break the closing brace of main ends the run; nothing below main runs.
  InBothModes([](bool fastPath, const char* mode) {
    const RunResult r = RunProgram(kDeclarations,
                                   "  while (i < 10)\n  {\n   i++;\n   if (i == 2)\n   {\n    break;\n   };\n"
                                   "  }\n  System.out.println(\"fin\");\n }\n void p()\n {\n"
                                   "  System.out.println(\"jamais\");\n",
                                   fastPath);
    EXPECT_EQ(r.out, "fin\n") << mode;
    EXPECT_TRUE(r.messages.empty()) << mode;
  });
}

TEST(Procedures, CallsReturnsAndRecursion) {
  Check({
      {"  p();\n  p();\n  System.out.println(n);\n }\n void p()\n {\n  n++;\n", "2\n", {}},
      {"  for (i=1; i<=3; i++)\n  {\n   p();\n  }\n  System.out.println(n);\n }\n void p()\n {\n"
       "  n = n + i;\n", "6\n", {}},
      {"  p();\n  System.out.println(n);\n }\n void p()\n {\n  n++;\n  return;\n  n = 100;\n", "1\n", {}},
      {"  n = 4;\n  p();\n  System.out.println(s);\n }\n void p()\n {\n  s = s + n;\n  n--;\n"
       "  if (n > 0)\n   p();\n", "10\n", {}},
      {"  return;\n", "", {"Pile vide"}},
      {"  q();\n", "", {"Identificateur  inconnu"}},
  });
}

TEST(Procedures, ReturnInsideLoopsUnwindsThem) {
  InBothModes([](bool fastPath, const char* mode) {
    const RunResult r = RunProgram(kDeclarations,
                                   "  p();\n  System.out.println(i);\n  System.out.println(j);\n"
                                   "  System.out.println(\"fin\");\n }\n void p()\n {\n"
                                   "  for (i=1; i<=5; i++)\n  {\n   j = 0;\n   while (j < 9)\n   {\n    j++;\n"
                                   "    if (j == 2)\n    {\n     return;\n    };\n   }\n  }\n",
                                   fastPath);
    EXPECT_TRUE(r.messages.empty()) << mode;
    EXPECT_EQ(r.out, "1\n2\nfin\n") << mode;
  });
}

TEST(Procedures, ReturnInsideALoopOfMainIsPileVide) {
  InBothModes([](bool fastPath, const char* mode) {
    const RunResult r = RunProgram(kDeclarations, "  while (i < 3)\n  {\n   return;\n  }\n", fastPath);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Pile vide"}) << mode;
  });
}

TEST(Blocks, BracesAndDelimiters) {
  Check({
      {"  { i = 5;\n  }\n  System.out.println(i);\n", "0\n", {}},
      {"  System.out.println(\"a\");\n }\n System.out.println(\"apres\");\n", "a\n", {}},
      {"\t\tSystem.out.println(\"tab\");\n", "tab\n", {}},
      {"  nop;\n  // commentaire\n  /* bloc */\n  etiq:\n  System.out.println(\"ok\");\n", "ok\n", {}},
  });
}

TEST(Blocks, AnUnclosedBlockStopsTheRunBeforeItStarts) {
  // Depth decides: where the inner block lacks its "}", the closing lines
  // below match the outer blocks and the outermost is left open.
  const struct { const char* name; std::string text; int32_t line; } cases[] = {
      {"for without }", Program(kDeclarations, "  for (i=1; i<=2; i++)\n  {\n   n++;\n  System.out.println(n);\n"), 2},
      {"if without }", Program(kDeclarations, "  if (i == 0)\n  {\n   n++;\n  System.out.println(n);\n"), 2},
      {"main without }", "class A\n{\n static int n;\n void main()\n {\n  n++;\n}\n", 1},
      {"end of text", "class A\n{\n static int n;\n void main()\n {\n  while (n < 2)\n  {\n   n++;\n", 6},
  };
  for (const auto& c : cases)
    InBothModes([&](bool fastPath, const char* mode) {
      const RunResult r = Session(c.text, fastPath).Run();
      EXPECT_EQ(r.messages, std::vector<std::string>{"Délimiteur { sans }"}) << mode << c.name;
      EXPECT_EQ(r.finalState, kStopped) << mode << c.name;
      EXPECT_EQ(r.resumeLine, c.line) << mode << c.name;
      EXPECT_EQ(r.out, "") << mode << c.name;
    });
}

TEST(Blocks, UnbalancedBracesAreReported) {
  InBothModes([](bool fastPath, const char* mode) {
    Session extra("class A\n{\n static int i;\n void main()\n  System.out.println(\"x\");\n }\n}\n", fastPath);
    RunResult r = extra.Run();
    EXPECT_EQ(r.out, "x\n") << mode;
    EXPECT_EQ(r.messages, std::vector<std::string>{"Délimiteur } sans {"}) << mode;
    EXPECT_EQ(r.resumeLine, 5) << mode;

    Session open("class A\n{\n static int i;\n void main()\n {\n  while (i < 2)\n  {\n   i++;\n", fastPath);
    r = open.Run();
    EXPECT_EQ(r.messages, std::vector<std::string>{"Délimiteur { sans }"}) << mode;
    EXPECT_EQ(r.resumeLine, 6) << mode;  // the innermost block left open
  });
}

}  // namespace
}  // namespace orv::testing
