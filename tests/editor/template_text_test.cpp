// The generated template texts, their caret, the keyword list and the
// procedure list, without a window.
#include <gtest/gtest.h>

#include <set>

#include "editor/rules/template_text.h"
#include "interp/Unit3.h"
#include "interp/program_text.h"

namespace orv {
namespace {

using Lines = std::vector<std::string>;

TEST(TemplateText, EveryPieceWithTheCaretOnItsFirstEmptyLine) {
  const struct {
    const char* name;
    TTemplate piece;
    Lines lines;
  } cases[] = {
      {"for up", ForTemplate({"i", "0", "10", false}), {"for (i=0; i<=10; i++)", "{", "", "}"}},
      {"for down", ForTemplate({"i", "0", "10", true}), {"for (i=0; i>=10; i--)", "{", "", "}"}},
      {"while", WhileTemplate({"x", 1, "5"}), {"while (x<5)", "{", "", "}"}},
      {"do", DoTemplate({"x", 5, "0"}), {"do", "{", "", "}", "while (x!=0);"}},
      {"if", IfTemplate({"a", 0, "b"}, false), {"if (a==b)", "{", "", "};"}},
      {"if else", IfTemplate({"a", 0, "b"}, true), {"if (a==b)", "{", "", "}", "else", "{", "", "}"}},
      {"reading", FileTemplate("f", "donnees.txt", false),
       {"File f=new File(\"donnees.txt\");", "  FileInputStream inStream=new FileInputStream(f);", "",
        "  inStream.close();"}},
      {"writing", FileTemplate("g", "C:\\sortie.txt", true),
       {"File g=new File(\"C:\\sortie.txt\");", "  FileOutputStream outStream=new FileOutputStream(g);", "",
        "  outStream.close();"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.piece.Lines, c.lines) << c.name;
    EXPECT_EQ(c.piece.CaretLine, 2) << c.name;  // for if-else: the if branch
    EXPECT_EQ(c.piece.CaretColumn, 0) << c.name;
  }
}

TEST(TemplateText, APieceFollowsTheIndentationOfItsLine) {
  const struct {
    const char* name;
    std::string lineStart;  // the line's text before the caret
    TTemplate piece;
    Lines lines;
    int caretColumn;
  } cases[] = {
      {"for in a for", "    ", ForTemplate({"j", "0", "3", false}),
       {"for (j=0; j<=3; j++)", "    {", "    ", "    }"}, 4},
      {"while after code", "  x = 1; ", WhileTemplate({"x", 1, "5"}), {"while (x<5)", "  {", "  ", "  }"}, 2},
      {"do with tabs", "\t \t", DoTemplate({"x", 5, "0"}),
       {"do", "\t \t{", "\t \t", "\t \t}", "\t \twhile (x!=0);"}, 3},
      {"if else", " ", IfTemplate({"a", 0, "b"}, true), {"if (a==b)", " {", " ", " }", " else", " {", " ", " }"}, 1},
      {"file keeps its own step", "  ", FileTemplate("f", "a.txt", false),
       {"File f=new File(\"a.txt\");", "    FileInputStream inStream=new FileInputStream(f);", "  ",
        "    inStream.close();"}, 2},
      {"column 0", "", WhileTemplate({"x", 1, "5"}), {"while (x<5)", "{", "", "}"}, 0},
      {"not blank-led", "x  ", WhileTemplate({"x", 1, "5"}), {"while (x<5)", "{", "", "}"}, 0},
  };
  for (const auto& c : cases) {
    const TTemplate piece = Indented(c.piece, Indentation(c.lineStart));
    EXPECT_EQ(piece.Lines, c.lines) << c.name;
    EXPECT_EQ(piece.CaretLine, 2) << c.name;
    EXPECT_EQ(piece.CaretColumn, c.caretColumn) << c.name;
  }
  EXPECT_TRUE(Indented({}, "  ").Empty());
  EXPECT_EQ(Indented({{"a"}, 0, 1}, "  ").CaretColumn, 1);  // a caret on the first line stays
}

TEST(TemplateText, ValuesGoInAsTyped) {
  EXPECT_EQ(ForTemplate({" k ", "", "n+1", false}).Lines[0], "for ( k =;  k <=n+1;  k ++)");
  EXPECT_EQ(WhileTemplate({" a", 3, "b "}).Lines[0], "while ( a<=b )");
  EXPECT_EQ(FileTemplate("", "", false).Lines[0], "File =new File(\"\");");
  // Windows-1252 letters pass through untouched.
  EXPECT_EQ(IfTemplate({"\xE9t\xE9", 0, "\x80"}, false).Lines[0], "if (\xE9t\xE9==\x80)");
}

TEST(TemplateText, ALineBreakInAValueNeverSplitsThePiece) {
  const TTemplate piece = WhileTemplate({"a\r\nb", 0, "c\nd"});
  EXPECT_EQ(piece.Lines, (Lines{"while (a  b==c d)", "{", "", "}"}));
  EXPECT_EQ(FileTemplate("f\r", "x\ny", true).Lines[0], "File f =new File(\"x y\");");
}

TEST(TemplateText, EveryOperatorByPosition) {
  const char* const expected[] = {"x==1", "x<1", "x>1", "x<=1", "x>=1", "x!=1"};
  for (int op = 0; op < kOperatorCount; ++op)
    EXPECT_EQ(WhileTemplate({"x", op, "1"}).Lines[0], std::string("while (") + expected[op] + ")") << op;
}

TEST(TemplateText, EmptinessRules) {
  struct Case {
    const char* name;
    TConditionFields fields;
    bool empty;
  };
  const Case cases[] = {
      {"no operator", {"x", -1, "5"}, true},
      {"operator out of range", {"x", kOperatorCount, "5"}, true},
      {"no first operand", {"", 0, "5"}, true},
      {"a blank first operand", {" ", 0, "5"}, false},
      {"no second operand", {"x", 0, ""}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WhileTemplate(c.fields).Empty(), c.empty) << c.name;
    EXPECT_EQ(DoTemplate(c.fields).Empty(), c.empty) << c.name;
    EXPECT_EQ(IfTemplate(c.fields, true).Empty(), c.empty) << c.name;
  }
  EXPECT_TRUE(ForTemplate({"", "0", "10", false}).Empty());
  EXPECT_FALSE(ForTemplate({"i", "", "", false}).Empty());
  EXPECT_EQ(ForTemplate({}).Text(), "");
}

TEST(TemplateText, TextJoinsLinesWithoutATrailingBreak) {
  const TTemplate piece = DoTemplate({"x", 0, "0"});
  EXPECT_EQ(piece.Text(), "do\r\n{\r\n\r\n}\r\nwhile (x==0);");
  EXPECT_EQ(piece.Text("\n"), "do\n{\n\n}\nwhile (x==0);");
}

TEST(TemplateText, KeywordsInTheirShownOrder) {
  const auto& keywords = Keywords();
  ASSERT_EQ(keywords.size(), 52u);
  EXPECT_EQ(keywords.front(), "--");
  EXPECT_EQ(keywords[4], "{");
  EXPECT_EQ(keywords[6], "++");
  EXPECT_EQ(keywords[9], "Calendar.DATE");
  EXPECT_EQ(keywords[29], "main(String args[])");
  EXPECT_EQ(keywords[30], "Math.abs");
  EXPECT_EQ(keywords[31], "Math.abs()");
  EXPECT_EQ(keywords[47], "System.out.println");
  EXPECT_EQ(keywords.back(), "void()");
  EXPECT_EQ(std::set<std::string_view>(keywords.begin(), keywords.end()).size(), keywords.size());
}

TEST(TemplateText, ProcedureEntries) {
  const Lines program = {
      "class Essai",
      " public static void main(String args[])",
      "   Void affiche()",
      " static void f()",
      "\t \tvoid g()",
      "VOIDx",
      "voi",
      "",
      "   ",
      "  // void h()",
      "\xBB void marquee()",
      "\x95void pas()",
      " \xBBvoid pas_un_marqueur()",
  };
  EXPECT_EQ(ProcedureEntries(program), (std::vector<TProcedureEntry>{{"Void affiche()", 2},
                                                                      {"void g()", 4},
                                                                      {"VOIDx", 5},
                                                                      {"void marquee()", 10},
                                                                      {"void pas()", 11}}));
  EXPECT_TRUE(ProcedureEntries({}).empty());
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

// The generated pieces run as they stand, whichever way their condition goes.
TEST(TemplateText, GeneratedIfPiecesRunWithTheInterpreter) {
  struct Host : orv::Host {
    struct Surface : OutputSurface {
      void SetTitle(const std::string&) override {}
      void Show() override {}
      void DrawText(int, int, const std::string& t) override { out += t; }
      int TextWidth(const std::string&) override { return 0; }
      std::string out;
    } screen;
    std::vector<std::string> messages;
    void MessageBox(const std::string& t) override { messages.push_back(t); }
    OutputSurface& Screen() override { return screen; }
    DateTime Now() override { return {}; }
    bool ReadKeyboardLine(std::string&) override { return false; }
  };
  for (bool withElse : {false, true}) {
    for (const char* value : {"1", "2"}) {
      std::vector<std::string> lines = {"class A", "{", " static int a, b;", " void main()", " {",
                                        std::string("  a = ") + value + ";", "  b = 1;"};
      TTemplate piece = IfTemplate({"a", 0, "b"}, withElse);
      piece.Lines[2] = "  System.out.print(\"oui\");";
      if (withElse) piece.Lines[6] = "  System.out.print(\"non\");";
      lines.insert(lines.end(), piece.Lines.begin(), piece.Lines.end());
      lines.insert(lines.end(), {"  System.out.print(\"fin\");", " }", "}"});
      Host host;
      VectorLineList list(lines);
      TForm3 interpreter(host);
      int32_t resume = 0, state = 0;
      interpreter.Exec(list, resume, 0, state);
      EXPECT_TRUE(host.messages.empty()) << withElse << value << host.messages.front();
      const bool holds = std::string(value) == "1";
      EXPECT_EQ(host.screen.out, std::string(holds ? "oui" : (withElse ? "non" : "")) + "fin");
    }
  }
}

}  // namespace
}  // namespace orv
