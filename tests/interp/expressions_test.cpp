// Values, string, integer and float expressions, seen through whole runs.
#include <gtest/gtest.h>

#include "fake_host.h"

namespace orv::testing {
namespace {

const std::string kDeclarations =
    " static int i, j, x, a, b, n;\n"
    " static float r, q;\n"
    " static char c;\n"
    " static String s, t, u;\n"
    " static int tab[] = new int[5];\n"
    " static float ft[] = new float[3];\n"
    " static String st[] = new String[3];\n"
    " static char cs[] = new char[4];\n"
    " static File f;\n";

void Check(const std::vector<Case>& cases) { CheckCases(kDeclarations, cases); }

TEST(ScanValue, LiteralsAndVariables) {
  Check({
      {"  System.out.println('ab');\n", "a\n", {}},
      {"  System.out.println('z);\n", "z\n", {}},
      {"  System.out.println(\"a\"\"b\");\n", "a\"b\n", {}},
      {"  System.out.println(\"a\"\"b\"\"c\");\n", "a\"b\"\"c\n", {}},
      {"  System.out.println(-5);\n  System.out.println(+5);\n  System.out.println(1.2.3);\n"
       "  System.out.println(.);\n  System.out.println(007);\n",
       "-5\n+5\n1.2.3\n.\n007\n", {}},
      {"  System.out.println(12a);\n", "", {"Expression incorrecte"}},
      // A number is one word: no blank after its sign or inside it.
      {"  System.out.println(- 1);\n", "", {"Expression incorrecte"}},
      {"  System.out.println(+ 1);\n", "", {"Expression incorrecte"}},
      {"  System.out.println(1 2);\n", "", {"Expression incorrecte"}},
      {"  System.out.println(1e2);\n", "", {"Expression incorrecte"}},
      {"  i = 5;\n  System.out.println(*i);\n", "5\n", {}},
      {"  i = 5;\n  System.out.println(**i);\n", "", {"Identificateur *i inconnu"}},
      {"  System.out.println(1x2y);\n", "", {"Expression incorrecte", "Expression incorrecte"}},
      {"  System.out.println(\"abc);\n", "", {"chaine sans fin"}},
      {"  System.out.println(\");\n", "", {"chaine sans fin"}},
      {"  System.out.println(\"x\" + s);\n", "", {"chaine sans fin"}},
      {"  System.out.println(zz);\n", "", {"Identificateur zz inconnu"}},
      {"  System.out.println(w[2]);\n", "", {"Identificateur w[ inconnu"}},
      {"  System.out.println(tab[2);\n", "", {"Erreur de syntaxe"}},
      {"  tab[2] = 7;\n  System.out.println(tab[2]x);\n", "7\n", {}},  // nothing after ']' is read
      {"  System.out.println(f);\n", "f\n", {}},
      {"  System.out.println(s);\n", " \n", {}},  // a new String holds one space
      {"  System.out.println(   );\n", "", {}},
      {"  System.out.println(tab[r]);\n", "", {"Indice de type incorrect"}},
      {"  System.out.println(tab[k]);\n", "", {"Erreur dans indice"}},
  });
}

TEST(ScanValue, EmptyOperandIsAnError) {
  Check({
      {"  if (i == )\n   i = 1;\n", "", {"Expression vide", "Erreur de syntaxe"}},
      {"  FPUTS(, f);\n", "", {"Expression vide"}},
      {"  s = ;\n", "", {"Expression vide"}},
      {"  c = ';\n", "", {"Expression vide"}},
      {"  x = 5;\n  x = ;\n", "", {"Expression vide"}},
      {"  tab[2] =   ;\n", "", {"Expression vide"}},
      {"  r = ;\n", "", {"Expression vide"}},
      {"  f = ;\n", "", {"Expression vide"}},
      {"  toString(i, );\n", "", {"Expression vide"}},
  });
  InBothModes([](bool fastPath, const char* mode) {
    Session session(Program(kDeclarations, "  x = 5;\n  x = ;\n"), fastPath);
    session.Run();
    EXPECT_EQ(session.Int("x"), 5) << mode;
  });
}

TEST(Names, BlanksAroundIndicesAndAfterCommasAreNotPartOfTheName) {
  Check({
      {"  i = 2;\n  tab[ i ] = 7;\n  x = tab[ i ];\n  System.out.println(x);\n  System.out.println(tab[ i ]);\n",
       "7\n7\n", {}},
      {"  i = 2;\n  st[ i ] = \"z\";\n  s = st[ i ];\n  System.out.println(s);\n", "z\n", {}},
      {"  t = \"42\";\n  toString(i, t);\n  System.out.println(i);\n", "42\n", {}},
      {"  t = \"42\";\n  toString(i,   t   );\n  System.out.println(i);\n", "42\n", {}},
      {"  toString(i, zz);\n", "", {"Variable zz n'existe pas"}},
      {"  i = 2;\n  ft[ i ] = 2.5f;\n  r = ft[ i ];\n  System.out.println(r);\n", "2.5\n", {}},
      {"  i = 2;\n  tab[2] = 7;\n  if (tab[ i ] == 7)\n   System.out.println(\"oui\");\n", "oui\n", {}},
  });
  // Index texts the two readers must take alike: a name or a number, one
  // leading '*' dropped by the lookup, nothing else.
  const auto indexed = [](const std::string& index) {
    return "  i = 2;\n  tab[" + index + "] = 7;\n  x = tab[" + index + "];\n  System.out.println(x);\n";
  };
  const std::string badNumber = "'2]' n'est pas une valeur enti\xE8re correcte";
  Check({
      {indexed("02").c_str(), "7\n", {}},
      {indexed("2 ").c_str(), "7\n", {}},
      {indexed("**i").c_str(), "", {"Erreur dans indice"}},
      {indexed("**2").c_str(), "", {"Erreur dans indice"}},
      {indexed(" * i").c_str(), "", {"Erreur dans indice"}},
      {indexed("").c_str(), "", {"Erreur dans indice"}},
      {indexed("i+1").c_str(), "", {"Erreur dans indice"}},
      {indexed("tab[i]").c_str(), "", {"Erreur dans indice"}},
      {indexed("*i").c_str(), "", {"Erreur dans expression"}},
      {indexed("+2").c_str(), "", {Cp1252ToUtf8(badNumber)}},
      {indexed(" 2 ").c_str(), "7\n", {}},
      {indexed("-i").c_str(), "", {"Erreur dans indice"}},
      {indexed("[i]").c_str(), "", {"Erreur dans indice"}},
      {indexed("i j").c_str(), "", {"Erreur dans indice"}},
  });
  // The same index texts where the value scanner, a string element, a float
  // element and a condition read them.
  Check({
      {"  i = 2;\n  tab[2] = 7;\n  System.out.println(tab[*i]);\n", "7\n", {}},
      {"  i = 2;\n  tab[2] = 7;\n  System.out.println(tab[+2]);\n", "7\n", {}},
      {"  i = 2;\n  System.out.println(tab[**i]);\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  System.out.println(tab[]);\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  System.out.println(tab[-i]);\n", "", {"Erreur dans indice"}},
      {"  tab[1] = 2;\n  System.out.println(tab[tab[1]]);\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  st[2] = \"z\";\n  s = st[*i];\n  System.out.println(s);\n", "z\n", {}},
      {"  i = 2;\n  s = st[**i];\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  s = st[];\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  s = st[-i];\n", "", {"Erreur dans indice"}},
      {"  s = st[st[1]];\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  r = ft[**i];\n", "", {"Erreur dans expression"}},  // "*" splits
      {"  i = 2;\n  r = ft[*i];\n", "", {"Erreur dans expression"}},
      {"  i = 2;\n  r = ft[];\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  r = ft[-i];\n", "", {"Erreur dans expression"}},  // "-" splits
      {"  r = ft[ft[1]];\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  tab[2] = 7;\n  if (tab[*i] == 7)\n   System.out.println(\"oui\");\n", "oui\n", {}},
      {"  i = 2;\n  if (tab[**i] == 7)\n   i = 1;\n", "", {"Erreur dans indice", "Erreur de syntaxe"}},
      {"  i = 2;\n  if (tab[] == 7)\n   i = 1;\n", "", {"Erreur dans indice", "Erreur de syntaxe"}},
      {"  i = 2;\n  if (7 == tab[-i])\n   i = 1;\n", "", {"Erreur dans indice", "Erreur de syntaxe"}},
      {"  i = 2;\n  tab[-2] = 1;\n  System.out.println(i);\n", "2\n", {}},
      {"  tab[i = 1;\n", "", {"Erreur de syntaxe"}},
  });
}

TEST(StringExpressions, ConcatenationMethodsAndSubstring) {
  Check({
      {"  t = \"ab\";\n  u = \"cd\";\n  s = t + u;\n  System.out.println(s);\n", "abcd\n", {}},
      {"  t = \"x\";\n  s = '+' + t;\n  System.out.println(s);\n", "+x\n", {}},
      {"  s = \"a+b\";\n", "", {"chaine sans fin", "Variable b\" n'existe pas"}},
      {"  t = \"hello\";\n  s = t.substring(1,3);\n  System.out.println(s);\n", "el\n", {}},
      {"  t = \"hello\";\n  s = t.substring(2);\n  System.out.println(s);\n", "\n", {}},
      {"  t = \"hello\";\n  s = t.substring(1, 3);\n", "", {"Identificateur  3 inconnu"}},
      {"  t = \"hello\";\n  s = t.substring(-2,3);\n  System.out.println(s);\n", "hello\n", {}},
      {"  t = \"hello\";\n  s = t.substring(3,1);\n  System.out.println(s);\n", "\n", {}},
      {"  t = \"hello\";\n  s = t.substring(2,99);\n  System.out.println(s);\n", "llo\n", {}},
      {"  t = \"hello\";\n  s = t.substring(a,b);\n  System.out.println(s);\n", "\n", {}},
      {"  t = \"\xe9t\xe9\";\n  s = t.toUpperCase();\n  System.out.println(s);\n", "\xe9T\xe9\n", {}},
      {"  t = \"AbC\";\n  s = t.toLowerCase();\n  System.out.println(s);\n", "abc\n", {}},
      {"  s = t.length();\n  System.out.println(s);\n", "\n", {}},
      {"  s = 5;\n", "", {"Variable 5 n'existe pas"}},
      {"  s = i;\n", "", {"ce n'est pas un string"}},
      {"  t = \"a\";\n  s = *t;\n  System.out.println(s);\n", "a\n", {}},
      {"  t = \"a\";\n  s = **t;\n", "", {"Variable *t n'existe pas"}},
      {"  t = \"a\";\n  s = t + *t;\n  System.out.println(s);\n", "aa\n", {}},
      {"  s = a + b + c;\n", "", {"Variable a + b n'existe pas", "ce n'est pas un string"}},
      {"  st[2] = \"deux\";\n  s = st[2];\n  System.out.println(s);\n", "deux\n", {}},
      {"  s = foo(st[2]);\n  System.out.println(s);\n", " \n", {}},
      {"  s = foo(tab[2]);\n", "", {"erreur de type"}},
      {"  s = foo(zz[2]);\n", "", {"Identificateur inconnu"}},
      {"  t = \"hello\";\n  c = t;\n  System.out.println(c);\n", "h\n", {}},
      {"  c = \"abc\";\n  System.out.println(c);\n", "a\n", {}},
      {"  c = 'x';\n  System.out.println(c);\n", "x\n", {}},
  });
}

TEST(StringExpressions, DateAndTime) {
  Check({
      {"  s = DATESTRING(CURRENTDATE());\n  System.out.println(s);\n", "15/01/2026\n", {}},
      {"  s = TIMESTRING(currenttime());\n  System.out.println(s);\n", "09:05:03\n", {}},
      {"  s = DATESTRING(NOW());\n", "", {"Variable data/heure incorrecte"}},
  });
}

TEST(IntExpressions, OperatorsAndWrapAround) {
  Check({
      {"  x = 7 / 2;\n  System.out.println(x);\n", "3\n", {}},
      {"  a = -7;\n  x = a / 2;\n  System.out.println(x);\n  x = a % 2;\n  System.out.println(x);\n",
       "-3\n-1\n", {}},
      {"  b = -2;\n  x = 7 % b;\n  System.out.println(x);\n", "1\n", {}},
      {"  x = -7 / 2;\n", "", {"'7 / 2' n'est pas une valeur entière correcte"}},
      {"  x = 2147483647 + 1;\n  System.out.println(x);\n", "-2147483648\n", {}},
      {"  x = 65536 * 65536;\n  System.out.println(x);\n", "0\n", {}},
      {"  x = 9;\n  x = 5 / 0;\n  System.out.println(x);\n", "", {}},
      {"  x = 2 + 3 * 4;\n", "", {"'3 * 4' n'est pas une valeur entière correcte"}},
      {"  x = a + b + c;\n", "", {"Erreur dans expression"}},
      {"  x = (a + b) * 2;\n", "", {"Erreur dans expression"}},
      {"  a = 4;\n  x = -a;\n  System.out.println(x);\n  x = 3 - -2;\n  System.out.println(x);\n",
       "-4\n5\n", {}},
      {"  x = 10 % 3;\n  System.out.println(x);\n", "1\n", {}},
      {"  x = r;\n", "", {"Type incorrect"}},
      {"  x = zz;\n", "", {"Erreur dans expression"}},
      {"  tab[2] = 8;\n  x = tab[2];\n  System.out.println(x);\n", "8\n", {}},
      {"  x = ft[2];\n", "", {"Erreur de type"}},
      {"  x = zz[2];\n", "", {"Identificateur inconnu"}},
      {"  x = tab[2;\n", "", {"Erreur de syntaxe"}},
      {"  x = 2147483648;\n", "", {"'2147483648' n'est pas une valeur entière correcte"}},
      {"  x = - 1;\n  System.out.println(x);\n", "-1\n", {}},  // 0 - 1
      {"  x = +1;\n  System.out.println(x);\n", "1\n", {}},
      {"  x = 1 2;\n", "", {"'1 2' n'est pas une valeur entière correcte"}},
      {"  x = 1-;\n  System.out.println(x);\n", "1\n", {}},
      {"  x = -;\n  System.out.println(x);\n", "0\n", {}},
      {"  x = .5;\n", "", {"Erreur dans expression"}},
      {"  x = 0x10;\n", "", {"'0x10' n'est pas une valeur entière correcte"}},
      {"  x = 1e2;\n", "", {"'1e2' n'est pas une valeur entière correcte"}},
      {"  i = 5;\n  x = *i;\n  System.out.println(x);\n", "0\n", {}},  // 0 * i
      {"  i = 5;\n  x = i +;\n  System.out.println(x);\n", "5\n", {}},
      {"  x = i_;\n", "", {"Erreur dans expression"}},
  });
}

TEST(IntExpressions, BuiltIns) {
  Check({
      {"  x = abs(-4);\n  System.out.println(x);\n  x = Math.abs(-4);\n  System.out.println(x);\n",
       "4\n4\n", {}},
      {"  x = abs(a-b);\n", "", {"Identificateur a-b inconnu", "erreur dans nombre a-b"}},
      {"  r = 2.3f;\n  x = Math.ceil(r);\n  System.out.println(x);\n", "3\n", {}},
      {"  r = 2.5f;\n  x = Math.ceil(r);\n  System.out.println(x);\n", "3\n", {}},
      {"  r = -2.5f;\n  x = Math.ceil(r);\n  System.out.println(x);\n", "-2\n", {}},
      {"  x = ceil(2);\n  System.out.println(x);\n", "2\n", {}},
      {"  x = ceil(s);\n", "", {"erreur dans nombre s"}},
      {"  r = 3.7f;\n  x = (int)r;\n  System.out.println(x);\n", "3\n", {}},
      {"  r = -3.7f;\n  x = (int)r;\n  System.out.println(x);\n", "-3\n", {}},
      {"  x = (int)3.7;\n  System.out.println(x);\n", "3\n", {}},
      {"  c = 'A';\n  x = (int)c;\n  System.out.println(x);\n", "65\n", {}},
      {"  c = '7';\n  x = (int)c;\n  System.out.println(x);\n", "55\n", {}},
      {"  s = \"\xe9t\xe9\";\n  x = (int)s;\n  System.out.println(x);\n", "233\n", {}},
      {"  s = \"\";\n  x = (int)s;\n", "", {"Erreur dans nombre s"}},
      {"  x = c.get(Calendar.MONTH);\n  System.out.println(x);\n", "1\n", {}},
      {"  x = c.get(Calendar.DATE);\n  System.out.println(x);\n  x = c.get(Calendar.YEAR);\n"
       "  System.out.println(x);\n  x = c.get(Calendar.HOUR);\n  System.out.println(x);\n"
       "  x = c.get(Calendar.WEEK);\n  System.out.println(x);\n",
       "15\n2026\n9\n0\n", {}},
      {"  t = \"hello\";\n  x = STRCHR(t,'l');\n  System.out.println(x);\n", "3\n", {}},
      {"  t = \"hello\";\n  x = STRCHR(t, 'l');\n", "", {"Variable  'l' n'existe pas"}},
      {"  t = \"hello\";\n  x = STRCHR(t,\"\");\n  System.out.println(x);\n", "0\n", {}},
      {"  x = STRCHR(t);\n", "", {"Erreur de syntaxe"}},
      {"  t = \"hello\";\n  x = t.length();\n  System.out.println(x);\n", "5\n", {}},
      {"  x = u.length();\n  System.out.println(x);\n", "1\n", {}},
  });
}

TEST(IntExpressions, RandomNumbersStayInRange) {
  InBothModes([](bool fastPath, const char* mode) {
    Session session(Program(" static int x, k, lo, hi;\n static Random g = new Random();\n",
                            "  lo = 99999;\n  hi = -1;\n"
                            "  for (k=1; k<=2000; k++)\n  {\n   x = g.nextInt();\n"
                            "   if (x < lo)\n    lo = x;\n   if (x > hi)\n    hi = x;\n  }\n"),
                    fastPath);
    const RunResult r = session.Run();
    EXPECT_TRUE(r.messages.empty()) << mode;
    EXPECT_GE(session.Int("lo"), 0) << mode;
    EXPECT_LE(session.Int("hi"), 32757) << mode;
    EXPECT_GT(session.Int("hi") - session.Int("lo"), 30000) << mode;
  });
}

TEST(IntExpressions, FixedStartSeedGivesTheSameSequence) {
  const std::string text = Program(" static int x;\n", "  x = g.nextInt();\n  System.out.println(x);\n");
  EXPECT_EQ(Session(text).Run().out, Session(text).Run().out);
  EXPECT_EQ(Session(text, false).Run().out, Session(text).Run().out);
}

TEST(FloatExpressions, LiteralsOperatorsAndCasts) {
  Check({
      {"  r = 2;\n", "", {"Manque f dans nombre float"}},
      {"  r = 2.5F;\n", "", {"Manque f dans nombre float"}},
      {"  r = 2f;\n  System.out.println(r);\n", "2\n", {}},
      {"  r = 1.5e3f;\n  System.out.println(r);\n", "1500\n", {}},
      {"  r = 1.5e-3f;\n", "", {"Manque f dans nombre float"}},
      {"  r = -2.5f;\n  System.out.println(r);\n", "-2.5\n", {}},
      {"  r = 1f / 3f;\n  System.out.println(r);\n", "0.333333333333485\n", {}},
      {"  r = 5f;\n  r = 1f / 0f;\n  System.out.println(r);\n", "", {}},
      {"  r = 1e39f;\n", "", {"Nombre hors limites"}},
      {"  r = 1e30f;\n  r = r * r;\n", "", {}},
      {"  r = 1.2.3f;\n", "", {"'1.2.3' n'est pas une valeur flottante correcte"}},
      {"  r = i;\n", "", {"Type incorrect"}},
      {"  i = 7;\n  r = (float)i;\n  System.out.println(r);\n  r = (double)i;\n  System.out.println(r);\n",
       "7\n7\n", {}},
      {"  i = 7;\n  r = (float)i * 2f;\n  System.out.println(r);\n", "14\n", {}},
      {"  r = (float)s;\n", "", {"' ' n'est pas une valeur flottante correcte"}},
      {"  r = 7.5f % 2f;\n  System.out.println(r);\n  q = -7.5f;\n  r = q % 2f;\n  System.out.println(r);\n",
       "1.5\n-1.5\n", {}},
      {"  ft[3] = 2.5f;\n  r = ft[3];\n  System.out.println(r);\n", "2.5\n", {}},
      {"  r = tab[3];\n", "", {"Erreur de type"}},
      {"  r = zz;\n", "", {"Erreur dans expression"}},
      {"  r = - 1f;\n  System.out.println(r);\n", "-1\n", {}},
      {"  r = +1f;\n  System.out.println(r);\n", "1\n", {}},
      {"  r = 1 2f;\n", "", {"'1 2' n'est pas une valeur flottante correcte"}},
      {"  r = .5f;\n  System.out.println(r);\n", "0.5\n", {}},
      {"  r = 5.f;\n  System.out.println(r);\n", "5\n", {}},
      {"  r = 1E2f;\n  System.out.println(r);\n", "100\n", {}},
      {"  r = f;\n", "", {"Type incorrect"}},
  });
}

TEST(FloatExpressions, MathFunctions) {
  Check({
      {"  r = Math.sqrt(2.0);\n  System.out.println(r);\n", "1.41421356237333\n", {}},
      {"  r = Math.sqrt(2.0f);\n", "", {"Expression incorrecte", "erreur dans nombre 2.0f"}},
      {"  r = Math.sqrt(-1);\n", "", {"erreur dans nombre -1"}},
      {"  r = Math.log(0);\n", "", {"erreur dans nombre 0"}},
      {"  r = Math.exp(100);\n", "", {"erreur dans nombre 100"}},
      {"  r = Math.exp(0);\n  System.out.println(r);\n", "1\n", {}},
      {"  r = Math.abs(-2.5);\n  System.out.println(r);\n", "2.5\n", {}},
      {"  q = 0f;\n  r = Math.sin(q) * 2f;\n  System.out.println(r);\n", "0\n", {}},
      {"  r = Math.cos(0);\n  System.out.println(r);\n", "1\n", {}},
      {"  r = 1e19f;\n  q = Math.sin(r);\n  System.out.println(q);\n", "0\n", {}},
  });
}

TEST(Assignment, TargetsIndicesAndSkippedCreations) {
  Check({
      {"  i = 1;\n  i = i + 1;\n  i++;\n  System.out.println(i);\n  i--;\n  System.out.println(i);\n",
       "3\n2\n", {}},
      {"  x += 1;\n", "", {"Identificateur x + inconnu"}},
      {"  tab[2] = 7;\n  x = tab[2];\n  System.out.println(x);\n", "7\n", {}},
      {"  tab[k] = 7;\n", "", {"Erreur dans indice"}},
      {"  tab[2 = 7;\n", "", {"Erreur de syntaxe"}},
      {"  cs[2] = 'x';\n", "", {"Identificateur cs[ inconnu"}},
      {"  s = \"renew\";\n  System.out.println(s);\n", "renew\n", {}},
      {"  s = new String();\n  System.out.println(s);\n", " \n", {}},
      {"  Sytem.out.println(\"x\");\n", "", {"Identificateur  inconnu"}},
      {"  i = 5;\n  i = \"abc\";\n", "", {"Erreur dans expression"}},
      {"  *i = 5;\n  System.out.println(i);\n", "5\n", {}},
      {"  **i = 5;\n", "", {"Identificateur *i inconnu"}},
      {"  i = 2;\n  tab[**i] = 1;\n", "", {"Erreur dans indice"}},
      {"  i = 2;\n  tab[-i] = 1;\n", "", {"Erreur dans indice"}},
      {"  tab[] = 1;\n", "", {"Erreur dans indice"}},
      {"  tab[tab[1]] = 1;\n", "", {"Erreur dans indice"}},
      {"  x = 4;\n  x = new;\n  x = new(1);\n  System.out.println(x);\n", "4\n", {}},  // creations
      {"  x = new_x;\n", "", {"Erreur dans expression"}},
      {"  s = new1;\n", "", {"Variable new1 n'existe pas"}},
  });
}

TEST(Assignment, IncrementCases) {
  Check({
      {"  ++i;\n", "", {}},
      {"  i ++;\n", "", {}},
      {"  tab[1]++;\n", "", {}},
      {"  x = y++;\n", "", {}},
      {"  r++;\n", "", {"Variable non integer"}},
      {"  *i++;\n  System.out.println(i);\n", "1\n", {}},
      {"  **i++;\n  System.out.println(i);\n", "", {}},  // a silent stop
      {"  i = 2147483647;\n  i++;\n  System.out.println(i);\n", "-2147483648\n", {}},
  });
  InBothModes([](bool fastPath, const char* mode) {
    const RunResult r = RunProgram(kDeclarations, "  ++i;\n  System.out.println(\"apres\");\n", fastPath);
    EXPECT_EQ(r.finalState, kStopped) << mode;
    EXPECT_EQ(r.resumeLine, 14) << mode;  // the failing line, counted from 0
  });
}

TEST(Assignment, NewVariablesStartFromZeroEveryRun) {
  const std::string text = Program(" static int tab[] = new int[3];\n static float ft[] = new float[2];\n",
                                   "  System.out.println(tab[3]);\n  tab[3] = 5;\n"
                                   "  System.out.println(ft[2]);\n  ft[2] = 1f;\n");
  InBothModes([&](bool fastPath, const char* mode) {
    Session session(text, fastPath);
    EXPECT_EQ(session.Run().out, "0\n0\n") << mode;
    EXPECT_EQ(session.Run().out, "0\n0\n") << mode;
  });
}

TEST(Assignment, OutOfStoreIndicesStopTheRun) {
  Check({
      {"  System.out.println(tab[0]);\n", "0\n", {}},  // slot before the first element
      {"  tab[3000] = 1;\n", "", {"Indice hors limites"}},
      {"  n = -50;\n  x = tab[n];\n", "", {"Indice hors limites"}},
      {"  x = tab[-5];\n", "", {"'5]' n'est pas une valeur entière correcte"}},  // "-" splits
      {"  st[9] = \"z\";\n", "", {"Indice hors limites"}},
      {"  System.out.println(st[-9]);\n", "", {"Indice hors limites"}},
      {"  x = 2147483647;\n  System.out.println(tab[x]);\n", "", {"Indice hors limites"}},
  });
}

TEST(Assignment, AnErrorIsNeverClearedByALaterLookup) {
  // The right-hand term evaluates fine, but the left one failed: nothing is stored.
  InBothModes([](bool fastPath, const char* mode) {
    Session session(Program(" static String s, t;\n", "  t = \"ok\";\n  s = zz + t;\n"), fastPath);
    const RunResult r = session.Run();
    EXPECT_EQ(r.messages, std::vector<std::string>{"Variable zz n'existe pas"}) << mode;
    EXPECT_EQ(r.finalState, kStopped) << mode;
    EXPECT_EQ(session.Str("s"), " ") << mode;
  });
}

TEST(ToString, ConvertsAStringIntoAnInt) {
  Check({
      {"  t = \"42\";\n  toString(i,t);\n  System.out.println(i);\n", "42\n", {}},
      {"  t = \"4x\";\n  toString(i,t);\n", "", {"Erreur de conversion"}},
      {"  toString(r,t);\n", "", {"Type de donnée incorrect"}},
      {"  toString();\n", "", {"Type de donnée incorrect"}},
  });
}

}  // namespace
}  // namespace orv::testing
