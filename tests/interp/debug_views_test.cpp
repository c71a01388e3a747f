// The symbol-table listing and the examine evaluation.
#include <gtest/gtest.h>

#include "fake_host.h"

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

}  // namespace
}  // namespace orv::testing
