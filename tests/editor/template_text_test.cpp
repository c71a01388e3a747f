// The generated template texts, their caret, the keyword list and the
// procedure list, without a window.
#include <gtest/gtest.h>

#include <set>

#include "editor/rules/template_text.h"

namespace orv {
namespace {

using Lines = std::vector<std::string>;

// The line the caret stands on must be the block's empty middle line.
void ExpectCaretOnEmptyLine(const TTemplate& piece, int line) {
  EXPECT_EQ(piece.CaretLine, line);
  EXPECT_EQ(piece.CaretColumn, 0);
  ASSERT_LT(static_cast<size_t>(line), piece.Lines.size());
  EXPECT_EQ(piece.Lines[static_cast<size_t>(line)], "");
}

TEST(TemplateText, ForCountsUpOrDown) {
  const TTemplate up = ForTemplate({"i", "0", "10", false});
  EXPECT_EQ(up.Lines, (Lines{"for (i=0; i<=10; i++)", "{", "", "}"}));
  ExpectCaretOnEmptyLine(up, 2);
  EXPECT_EQ(ForTemplate({"i", "0", "10", true}).Lines[0], "for (i=0; i>=10; i--)");
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

TEST(TemplateText, ConditionalPieces) {
  const TTemplate loop = WhileTemplate({"x", 1, "5"});
  EXPECT_EQ(loop.Lines, (Lines{"while (x<5)", "{", "", "}"}));
  ExpectCaretOnEmptyLine(loop, 2);

  const TTemplate doLoop = DoTemplate({"x", 5, "0"});
  EXPECT_EQ(doLoop.Lines, (Lines{"do", "{", "", "}", "while (x!=0);"}));
  ExpectCaretOnEmptyLine(doLoop, 2);

  const TTemplate plain = IfTemplate({"a", 0, "b"}, false);
  EXPECT_EQ(plain.Lines, (Lines{"if (a==b)", "{", "", "}"}));
  ExpectCaretOnEmptyLine(plain, 2);

  const TTemplate withElse = IfTemplate({"a", 0, "b"}, true);
  EXPECT_EQ(withElse.Lines, (Lines{"if (a==b)", "{", "", "}", "else", "{", "", "}"}));
  ExpectCaretOnEmptyLine(withElse, 2);  // the if branch, not the else branch
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

TEST(TemplateText, FileOpening) {
  const TTemplate reading = FileTemplate("f", "donnees.txt", false);
  EXPECT_EQ(reading.Lines, (Lines{"File f=new File(\"donnees.txt\");", "  FileInputStream inStream=new FileInputStream(f);",
                                  "", "  inStream.close();"}));
  ExpectCaretOnEmptyLine(reading, 2);

  const TTemplate writing = FileTemplate("g", "C:\\sortie.txt", true);
  EXPECT_EQ(writing.Lines, (Lines{"File g=new File(\"C:\\sortie.txt\");", "  FileOutputStream outStream=new FileOutputStream(g);",
                                  "", "  outStream.close();"}));
  ExpectCaretOnEmptyLine(writing, 2);
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
