// The pre-pass, the declarations and the symbol table.
#include <gtest/gtest.h>

#include "fake_host.h"

namespace orv::testing {
namespace {

const std::string kDefaultProgram =
    "import java.util.*;\nclass Sansnom\n{\n static int i;\n static float r;\n static char c;\n"
    " public static void main(String args[])\n {\n  \n }\n}\n";

TEST(PrePass, DefaultProgramDeclaresItsThreeVariables) {
  Session session(kDefaultProgram);
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(session.resumeLine, 6);  // the main header
  const auto& table = session.interpreter.SymbolTable;
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0].Name, "i");
  EXPECT_EQ(table[0].Kind, 'I');
  EXPECT_EQ(table[1].Kind, 'R');
  EXPECT_EQ(table[2].Kind, 'C');
  for (const Symbol& s : table) EXPECT_EQ(s.Slot, 1);
}

TEST(PrePass, LeadingBlankLinesAreRemovedFromTheText) {
  Session session("\n   \n\t\n" + kDefaultProgram);
  session.Run();
  EXPECT_EQ(session.lines.Line(0), "import java.util.*;");
  EXPECT_EQ(session.lines.DeletedAtTop(), 3);
}

struct FrameCase {
  std::string text;
  std::string message;
  int32_t line;
};

TEST(PrePass, FrameAndDeclarationErrorsStopAtTheirLine) {
  const std::vector<FrameCase> cases = {
      {"import java.util.*\nclass A\n{\n void main()\n {\n }\n}\n", "Manque ; en fin de ligne", 0},
      {"import java.util.*;\n// note\nclass A\n{\n}\n", "Mot réservé class manquant", 0},
      {"import a;\nimport b;\n", "Mot réservé class manquant", 0},
      {"  \n\n", "Le programme est vide", 0},
      {"class A\n{\n void p(int x)\n {\n }\n}\n", "Erreur dans la définition de la fonction", 2},
      {"class A\n{\n void p()\n {\n }\n void p()\n {\n }\n}\n", "Identificateur dupliqué", 5},
      {"class A\n{\n static int x;\n static float x;\n}\n", "Symbole déjà défini", 3},
      {"class A\n{\n static int abcdefghijklmnopqrstu;\n}\n", "Nom trop long (20 maxi)", 2},
      {"class A\n{\n static int _x;\n}\n", "Caractère non valide (a-z)", 2},
      {"class A\n{\n 1abel:\n}\n", "Caractère non valide (A-Z,a-z)", 2},
      {"class A\n{\n static int t[] = new int[x];\n}\n", "Erreur de syntaxe", 2},
      {"class A\n{\n static int t[] = new int[-3];\n}\n", "Erreur de syntaxe", 2},
      {"class A\n{\n static int t[] = new int[2001];\n}\n", "Trop de variables", 2},
      {"class A\n{\n static Random g;\n}\n", "Déclaration Random incorrecte : il manque = new Random()", 2},
      {"class A\n{\n static int x;\n}\n", "main non trouvé", 0},
  };
  for (const FrameCase& c : cases) {
    Session session(c.text);
    const RunResult r = session.Run();
    EXPECT_EQ(r.messages, std::vector<std::string>{c.message}) << c.text;
    EXPECT_EQ(r.finalState, kStopped) << c.text;
    EXPECT_EQ(r.resumeLine, c.line) << c.text;
  }
}

TEST(PrePass, StatementLinesInsideMainNeedNoSemicolon) {
  const RunResult r = RunProgram(" static int i;\n", "  if (i == 0)\n   System.out.println(\"z\");\n");
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.out, "z\n");
}

TEST(PrePass, DeclarationFormsAndKinds) {
  Session session(Program(
      " static int a, b, c;\n static double d;\n static String s[] = new String[3];\n"
      " static File f;\n static char cs[] = new char[4];\n static Random g = new Random();\n"
      " static FileOutputStream sortie = new FileOutputStream(f);\n static FileInputStream e;\n"
      " static int u[] = new int[5], v;\n static int bad[5];\n etiquette:\n",
      ""));
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty());
  const auto& table = session.interpreter.SymbolTable;
  auto find = [&](const std::string& name) -> const Symbol* {
    const int i = session.interpreter.SymbolIndex(name);
    return i ? &table[i - 1] : nullptr;
  };
  ASSERT_TRUE(find("a") && find("b") && find("c"));
  EXPECT_EQ(find("a")->Slot, 1);
  EXPECT_EQ(find("c")->Slot, 3);
  EXPECT_EQ(find("d")->Kind, 'R');
  EXPECT_EQ(find("s[")->Kind, 'S');
  EXPECT_EQ(find("f")->Kind, 'F');
  EXPECT_EQ(find("cs")->Kind, 'C');  // char arrays keep no bracket
  EXPECT_EQ(find("g")->Kind, 0);
  EXPECT_EQ(find("sortie")->Kind, 'S');
  EXPECT_EQ(find("e")->Kind, 'F');
  EXPECT_EQ(find("u[")->Slot, 4);
  EXPECT_EQ(find("v")->Slot, 9);
  EXPECT_NE(find("bad]"), nullptr);  // name[size] is malformed, as written
  EXPECT_EQ(find("etiquette:")->Kind, 'L');
  EXPECT_EQ(session.interpreter.IntCount, 9 + 1);
}

TEST(PrePass, NamesContainingKeywordLettersAreOrdinary) {
  const RunResult r = RunProgram(" static int integer, remainder, classe, voidage;\n static char charge;\n",
                                 "  integer = 5;\n  remainder = 7;\n  classe = 3;\n  voidage = 1;\n"
                                 "  charge = 'k';\n  System.out.println(integer);\n"
                                 "  System.out.println(remainder);\n  System.out.println(classe);\n"
                                 "  System.out.println(voidage);\n  System.out.println(charge);\n"
                                 "  System.out.println(\"domain\");\n  maintenant();\n"
                                 " }\n void maintenant()\n {\n  System.out.println(\"m\");\n");
  EXPECT_TRUE(r.messages.empty()) << r.messages.front();
  EXPECT_EQ(r.out, "5\n7\n3\n1\nk\ndomain\nm\n");
}

TEST(SymbolTable, Limits) {
  std::string many;
  for (int i = 0; i < 200; ++i) many += " static int v" + std::to_string(i) + ";\n";
  for (const std::string extra : {" static int w;\n", " void w()\n {\n }\n", " lab:\n"}) {
    Session session(Program(many + extra, ""));
    EXPECT_EQ(session.Run().messages, std::vector<std::string>{"Table des symboles saturée"});
  }
  Session full(Program(" static int t[] = new int[2000];\n static int one;\n", ""));
  EXPECT_EQ(full.Run().messages, std::vector<std::string>{"Trop de variables"});
  std::string files;
  for (int i = 0; i < 31; ++i) files += " static File f" + std::to_string(i) + ";\n";
  Session tooManyFiles(Program(files, ""));
  EXPECT_EQ(tooManyFiles.Run().messages, std::vector<std::string>{"Trop de variables"});
}

TEST(SymbolTable, NamesAreCaseSensitiveAndStoreValueChecksConversions) {
  Session session(Program(" static int x, X;\n", "  x = 1;\n  X = 2;\n  System.out.println(x);\n"));
  EXPECT_EQ(session.Run().out, "1\n");
  TForm3& t = session.interpreter;
  t.StoreValue("12", 'I', 1);
  EXPECT_EQ(t.IntStore[1], 12);
  t.StoreValue("douze", 'I', 1);
  EXPECT_EQ(t.IntStore[1], 12);
  EXPECT_EQ(session.host.messages.back(), "Erreur de conversion");
  t.StoreValue("", 'C', 1);
  EXPECT_EQ(session.host.messages.back(), "Erreur de conversion");
  t.StoreValue("1e300", 'R', 1);
  EXPECT_EQ(session.host.messages.back(), "Erreur de conversion");
}

TEST(SymbolTable, IndiceAcceptsANameOrANumber) {
  Session session(Program(" static int k;\n static float r;\n", "  k = 3;\n"));
  session.Run();
  TForm3& t = session.interpreter;
  EXPECT_EQ(t.Indice("k"), 2);
  EXPECT_EQ(t.Indice(" k "), 2);
  EXPECT_EQ(t.Indice("7"), 6);
  EXPECT_EQ(t.Indice("-2147483648"), -2147483649LL);
  EXPECT_FALSE(t.Indice("r").has_value());
  EXPECT_EQ(session.host.messages.back(), "Indice de type incorrect");
  EXPECT_FALSE(t.Indice("k+1").has_value());
  EXPECT_EQ(session.host.messages.back(), "Erreur dans indice");
}

}  // namespace
}  // namespace orv::testing
