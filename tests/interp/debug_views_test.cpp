// The symbol-table listing and the examine evaluation.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "interp/debug_views.h"

namespace orv::testing {
namespace {

std::vector<std::string> Listing(const TForm3& t) {
  std::vector<std::string> lines = t.Stats();
  for (std::string& line : lines) line = Cp1252ToUtf8(line);
  return lines;
}

TEST(Stats, ListingOfTheDefaultProgram) {
  Session session(
      "import java.util.*;\nclass Sansnom\n{\n static int i;\n static float r;\n static char c;\n"
      " public static void main(String args[])\n {\n  \n }\n}\n");
  session.Run();
  const std::vector<std::string> expected = {
      "i , I , 1", "r , R , 1", "c , C , 1", " ", std::string(79, '-'),
      "Void : 0", "Etiquettes : 0", "Var String : 0", "Var Char : 1", "Var Int : 1",
      "Var Float : 1", "Var File : 0", "Eléments en pile : 0"};
  EXPECT_EQ(Listing(session.interpreter), expected);
}

TEST(Stats, CountsEveryKindAndTheStack) {
  Session session(Program(" static String s, t;\n static File f;\n static Random g = new Random();\n"
                          " static int tab[] = new int[4];\n lab:\n",
                          "  p();\n }\n void p()\n {\n  nop;\n"));
  EXPECT_TRUE(session.Run().messages.empty());
  // Step into the procedure so that the stack holds the call.
  Session stepped(Program(" static int i;\n", "  p();\n }\n void p()\n {\n  i = 1;\n"));
  RunResult r = stepped.Run(0, 1);
  for (int k = 0; k < 3; ++k) r = stepped.Run(r.resumeLine, 1);
  const auto listing = Listing(session.interpreter);
  EXPECT_EQ(listing[0], "s , S , 1");
  EXPECT_EQ(listing[1], "t , S , 2");
  EXPECT_EQ(listing[3], "g ,  , 0");  // no storage
  EXPECT_EQ(listing[4], "tab[ , I , 1");
  EXPECT_EQ(listing[5], "lab: , L , 7");
  const std::vector<std::string> counts(listing.end() - 8, listing.end());
  EXPECT_EQ(counts, (std::vector<std::string>{"Void : 1", "Etiquettes : 1", "Var String : 2",
                                             "Var Char : 0", "Var Int : 1", "Var Float : 0",
                                             "Var File : 1", "Eléments en pile : 0"}));
  EXPECT_EQ(Listing(stepped.interpreter).back(), "Eléments en pile : 1");
}

TEST(Examiner, EvaluatesNamesAndElements) {
  Session session(Program(" static int i, tab[] = new int[3];\n static float r;\n static String s;\n"
                          " static char c;\n static File f;\n",
                          "  i = 42;\n  r = 0.1f;\n  s = \"mot\";\n  c = 'q';\n  tab[2] = 7;\n"));
  session.Run();
  TForm3& t = session.interpreter;
  EXPECT_EQ(t.Examiner("i"), "42");
  EXPECT_EQ(t.Examiner("r"), "0.100000000000023");
  EXPECT_EQ(t.Examiner("s"), "mot");
  EXPECT_EQ(t.Examiner("c"), "q");
  EXPECT_EQ(t.Examiner("tab[2]"), "7");
  EXPECT_EQ(t.Examiner("tab[i]"), "0");  // i holds 42: slot 1 + 41 is still in the store
  EXPECT_EQ(t.Examiner("f"), "f");
  const size_t before = session.host.messages.size();
  EXPECT_EQ(t.Examiner("inconnu"), "Variable inconnue");
  EXPECT_EQ(t.Examiner("tab[2"), "Erreur de syntaxe");
  EXPECT_EQ(session.host.messages.size(), before);  // neither shows a message box
  EXPECT_EQ(t.Examiner("tab[r]"), "");
  EXPECT_EQ(session.host.messages.back(), "Indice de type incorrect");
  EXPECT_EQ(t.Examiner("tab[9999]"), "");
  EXPECT_EQ(session.host.messages.back(), "Indice hors limites");
}

// --- Arrays -------------------------------------------------------------------

std::vector<std::string> Utf8Cells(const ArrayLook& array) {
  std::vector<std::string> cells;
  for (const std::string& cell : array.Cells) cells.push_back(Cp1252ToUtf8(cell));
  return cells;
}

TEST(Arrays, EachKindShowsItsElementsAtTheirSize) {
  Session session(Program(" static int i, t[] = new int[3], k;\n static float r[] = new float[2];\n"
                          " static String s[] = new String[2];\n static String u;\n static float z;\n",
                          "  t[1] = -7;\n  t[3] = 2147483647;\n  k = 5;\n  r[2] = 0.1f;\n  s[1] = \"Zo\xE9\";\n"
                          "  u = \"apr\xE8s\";\n"));
  ASSERT_TRUE(session.Run().messages.empty());
  const std::vector<ArrayLook> arrays = LookAtArrays(session.interpreter);
  ASSERT_EQ(arrays.size(), 3u);  // i, k, u and z are no arrays
  EXPECT_EQ(arrays[0].Name, "t");
  EXPECT_EQ(Utf8Cells(arrays[0]), (std::vector<std::string>{"-7", "0", "2147483647"}));  // not up to k
  EXPECT_EQ(Utf8Cells(arrays[1]), (std::vector<std::string>{"0", "0.100000000000023"}));
  EXPECT_EQ(Utf8Cells(arrays[2]), (std::vector<std::string>{"Zoé", " "}));  // not up to u
  EXPECT_EQ(CellChars(arrays[0]), 10u);
  EXPECT_EQ(CellChars(arrays[2]), 3u);
}

TEST(Arrays, TheLastArrayOfAKindEndsWhereTheStoreDoes) {
  Session session(Program(" static int t[] = new int[2000];\n static int v[] = new int[0];\n", "  t[2000] = 4;\n"));
  ASSERT_TRUE(session.Run().messages.empty());
  const std::vector<ArrayLook> arrays = LookAtArrays(session.interpreter);
  ASSERT_EQ(arrays.size(), 2u);
  ASSERT_EQ(arrays[0].Cells.size(), 2000u);
  EXPECT_EQ(arrays[0].Cells.back(), "4");
  EXPECT_TRUE(arrays[1].Cells.empty());
  EXPECT_EQ(CellChars(arrays[1]), 1u);
}

TEST(Arrays, ChangedCellsCompareWithTheLookBefore) {
  const auto look = [](std::string name, std::vector<std::string> cells) {
    return ArrayLook{std::move(name), 'I', std::move(cells)};
  };
  const std::vector<ArrayLook> before = {look("t", {"1", "2", "3"}), look("u", {"5"})};
  const struct {
    const char* what;
    std::vector<ArrayLook> now;
    bool firstLook;
    std::vector<std::vector<bool>> changed;
  } rows[] = {
      {"nothing changed", before, false, {{false, false, false}, {false}}},
      {"one element", {look("t", {"1", "9", "3"}), look("u", {"5"})}, false, {{false, true, false}, {false}}},
      {"a first look", {look("t", {"1", "9", "3"})}, true, {{false, false, false}}},
      {"a new array", {look("w", {"1"})}, false, {{true}}},
      {"a longer array", {look("t", {"1", "2", "3", "0"})}, false, {{false, false, false, true}}},
      {"same name, other kind", {ArrayLook{"u", 'S', {"5"}}}, false, {{true}}},
  };
  for (const auto& row : rows) EXPECT_EQ(ChangedCells(row.now, before, row.firstLook), row.changed) << row.what;
}

// --- Stacks ----------------------------------------------------------------------

// Each program stops at its breakpoint (or on its error); lines as the editor
// numbers them: the frame's main body starts on line 7.
TEST(StackEntries, ListsTheLoopsAndCallsTopFirst) {
  const std::string bp = "\xBB";
  const struct {
    const char* what;
    std::string body;
    std::string message;  // the error the run stops on, if any
    std::vector<std::pair<std::string, int>> entries;  // text, editor line (0: none)
  } rows[] = {
      {"for", "  for (i=1; i<=10; i++)\n  {\n" + bp + "   k = i;\n  }\n", "",
       {{"for i de 1 à 10, pas 1 (ligne 7)", 7}}},
      {"for below its limit, by 2", "  for (i=0; i<10; i+=2)\n  {\n" + bp + "   k = i;\n  }\n", "",
       {{"for i de 0 à 9, pas 2 (ligne 7)", 7}}},
      {"for inside while", "  while (k < 3)\n  {\n   for (i=5; i>=1; i--)\n   {\n" + bp + "    k = 9;\n   }\n  }\n", "",
       {{"for i de 5 à 1, pas -1 (ligne 9)", 9}, {"while (ligne 7)", 7}}},
      {"do", "  k = 2;\n  do\n  {\n" + bp + "   k = 1;\n  }\n  while (k == 1);\n", "",
       {{"do … while (ligne 8)", 8}}},
      {"a call inside a loop", "  for (i=1; i<=2; i++)\n  {\n   affiche();\n  }\n }\n void affiche()\n {\n" + bp + "  k = i;\n",
       "", {{"appel de affiche() depuis la ligne 9", 9}, {"for i de 1 à 2, pas 1 (ligne 7)", 7}}},
      {"empty", bp + "  k = 1;\n", "", {}},
      {"after Pile vide", "  for (i=1; i<=3; i++)\n  {\n   return;\n  }\n", "Pile vide",
       {{"for i de 1 à 3, pas 1 (ligne 7)", 7}}},
  };
  for (const auto& row : rows) {
    Session session(Program(" static int i, k;\n", row.body));
    const RunResult r = session.Run();
    EXPECT_EQ(r.messages, row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message})
        << row.what;
    EXPECT_EQ(r.finalState, kStopped) << row.what;
    std::vector<std::pair<std::string, int>> shown;
    for (const StackEntry& entry : StackEntries(session.interpreter, &session.lines))
      shown.emplace_back(Cp1252ToUtf8(entry.Text), entry.Line + 1);
    EXPECT_EQ(shown, row.entries) << row.what;
  }
}

// A call too deep leaves thirty calls and the line of the one refused.
TEST(StackEntries, WhatAFullStackLeaves) {
  Session session(Program("", "  p();\n }\n void p()\n {\n  p();\n"));
  EXPECT_EQ(session.Run().messages, std::vector<std::string>{"Pile saturée"});
  const std::vector<StackEntry> entries = StackEntries(session.interpreter, nullptr);
  ASSERT_EQ(entries.size(), 31u);
  EXPECT_EQ(Cp1252ToUtf8(entries[0].Text), "valeur restée en pile : 9");
  EXPECT_EQ(entries[0].Line, -1);
  EXPECT_EQ(entries[1].Text, "appel de p() depuis la ligne 10");
  EXPECT_EQ(entries.back().Text, "appel de p() depuis la ligne 6");
}

// Without the program's text a for still says how far it goes; an item
// missing from the return stack leaves the entry without a line.
TEST(StackEntries, WithoutTheTextOrTheItems) {
  Session session(Program(" static int i;\n", "  for (i=1; i<=4; i++)\n  {\n\xBB   i = i;\n  }\n"));
  session.Run();
  TForm3& t = session.interpreter;
  EXPECT_EQ(Cp1252ToUtf8(StackEntries(t, nullptr).at(0).Text), "for i jusqu'à 4, pas 1 (ligne 7)");
  t.ReturnTop = 2;
  const std::vector<StackEntry> entries = StackEntries(t, &session.lines);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Text, "for (ligne inconnue)");
  EXPECT_EQ(entries[0].Line, -1);
}

}  // namespace
}  // namespace orv::testing
