// Text files, the printer, folders and keyboard input.
#include <cerrno>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "fake_host.h"

namespace fs = std::filesystem;

namespace orv::testing {
namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("orv-files-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::current_path(fs::temp_directory_path());  // Windows removes no folder a process is in
    fs::remove_all(dir_);
  }

  // The name as a program spells it: Windows-1252 bytes after the folder.
  std::string Path(const std::string& name) const { return dir_.string() + "/" + name; }
  // A UTF-8 name as the system spells it (Windows: UTF-16).
  fs::path Native(const std::string& name) const { return dir_ / fs::path(std::u8string(name.begin(), name.end())); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Native(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Native(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // A program whose File f names `name` in the test folder.
  std::string WithFile(const std::string& name, const std::string& body) const {
    return Program(kDeclarations, "  f = new File(\"" + Path(name) + "\");\n" + body);
  }

  static inline const std::string kDeclarations =
      " static File f, g;\n static String s, e;\n static int i, n;\n static float r;\n static char c;\n"
      "";
  fs::path dir_;
};

TEST_F(Files, WriteThenReadBack) {
  Session session(WithFile("a.txt",
                           "  FileOutputStream sortie = new FileOutputStream(f);\n"
                           "  s = \"un\";\n  FPUTS(s, f);\n  i = 5;\n  FPUTS(i, f);\n"
                           "  r = 2.5f;\n  FPUTS(r, f);\n  sortie.close();\n"
                           "  FileInputStream entree = new FileInputStream(f);\n"
                           "  while (!FEOF(f))\n  {\n   FGETS(f, s);\n   System.out.println(s);\n  }\n"
                           "  f.close();\n"));
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty()) << r.messages.front();
  EXPECT_EQ(r.out, "un\n5\n2.5\n");
  EXPECT_EQ(Read("a.txt"), "un\r\n5\r\n2.5\r\n");
  EXPECT_EQ(session.Str("sortie"), "f");  // the stream holds the File variable's name
}

TEST_F(Files, EveryLineEndAndCtrlZ) {
  for (const std::string bytes : {"a\r\nb\r\nc", "a\nb\nc\n", "a\rb\rc\r", "a\r\nb\nc\r\n\x1a" "zz"}) {
    Write("l.txt", bytes);
    InBothModes([&](bool fastPath, const char* mode) {
      Session session(WithFile("l.txt", "  FileInputStream entree = new FileInputStream(f);\n"
                                        "  while (!FEOF(f))\n  {\n   FGETS(f, s);\n   System.out.print(s);\n"
                                        "   n++;\n  }\n  System.out.println(n);\n"),
                      fastPath);
      EXPECT_EQ(session.Run().out, "abc3\n") << mode << bytes;
    });
  }
}

TEST_F(Files, BlanksAroundTheFileOfFeofAreNotPartOfItsName) {
  Write("l.txt", "a\nb\n");
  Session session(WithFile("l.txt", "  FileInputStream entree = new FileInputStream(f);\n"
                                    "  while (!FEOF( f ))\n  {\n   FGETS(f, s);\n   System.out.print(s);\n  }\n"));
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty()) << r.messages.front();
  EXPECT_EQ(r.out, "ab");
}

TEST_F(Files, ALineLongerThanAStringStopsTheRead) {
  // Lines: 0 import, 1 class, 2 {, 3-7 declarations, 8 main, 9 {, 10.. body
  Session zero(Program(kDeclarations, "  f = new File(\"/dev/zero\");\n"
                                      "  FileInputStream entree = new FileInputStream(f);\n"
                                      "  s = \"avant\";\n  FGETS(f, s);\n"));
  RunResult r = zero.Run();
  EXPECT_EQ(r.messages, std::vector<std::string>{"Chaîne trop longue"});
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 13);
  EXPECT_EQ(zero.Str("s"), "avant");

  Session typed(Program(kDeclarations, "  FGETS(System.in, s);\n"));
  typed.host.keyboard = {std::string(kMaxStringLength + 1, 'x')};
  EXPECT_EQ(typed.Run().messages, std::vector<std::string>{"Chaîne trop longue"});
}

TEST_F(Files, AnInterruptDuringKeyboardInputStopsAtTheRead) {
  Session session(Program(kDeclarations, "  i = 7;\n  FGETS(System.in, i);\n  System.out.println(i);\n"));
  session.host.keyboard = {"41", "42"};
  session.host.interruptAfterPolls = 1;  // the first poll: right after the read
  RunResult r = session.Run();
  EXPECT_TRUE(session.interpreter.Interrupted());
  EXPECT_EQ(r.messages, std::vector<std::string>{"Programme interrompu"});
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 11);
  EXPECT_EQ(session.Int("i"), 7);
  // A resume reads the line again.
  session.host.interruptAfterPolls = 0;
  r = session.Run(r.resumeLine);
  EXPECT_FALSE(session.interpreter.Interrupted());
  EXPECT_EQ(r.out, "42\n");
}

TEST_F(Files, ANameHoldingANulIsRefusedLikeAnEmptyOne) {
  const std::string nul(1, '\0');
  Write("garde", "x");
  const struct { std::string body, message; } cases[] = {
      {"  f = new File(\"" + Path("neuf") + nul + "x\");\n  FileOutputStream sortie = new FileOutputStream(f);\n",
       "Erreur Entrée/Sortie"},
      {"  f = new File(\"" + Path("garde") + nul + "x\");\n  f.delete();\n",
       "Fichier " + Path("garde") + nul + "x n'a pas été effacé"},
      {"  s = \"" + Path("dossier") + nul + "x\";\n  s.mkdir();\n",
       "Répertoire " + Path("dossier") + nul + "x n'a pas été créé"},
  };
  for (const auto& c : cases)
    InBothModes([&](bool fastPath, const char* mode) {
      EXPECT_EQ(Session(Program(kDeclarations, c.body), fastPath).Run().messages, std::vector<std::string>{c.message})
          << mode;
    });
  EXPECT_FALSE(fs::exists(Path("neuf")));
  EXPECT_TRUE(fs::exists(Path("garde")));
  EXPECT_FALSE(fs::exists(Path("dossier")));
}

// A program's names are Windows-1252; the file system's are UTF-8: every
// file and folder statement converts, so the names agree with other programs.
TEST_F(Files, AccentedNamesAreTheSystemsNames) {
  Write("données.txt", "lu ailleurs\r\n");
  const std::string folder = Path("d\xE9j\xE0");  // "déjà"
  const RunResult r = Session(Program(kDeclarations,
      "  f = new File(\"" + Path("donn\xE9" "es.txt") + "\");\n"
      "  FileInputStream entree = new FileInputStream(f);\n  FGETS(f, s);\n  f.close();\n"
      "  System.out.println(s);\n"
      "  e = \"" + folder + "\";\n  e.mkdir();\n  CHDIR e;\n"
      "  g = new File(\"\xE9t\xE9.txt\");\n"  // "été.txt", in "déjà"
      "  FileOutputStream sortie = new FileOutputStream(g);\n  FPUTS(\"\xE0 lire\", g);\n  g.close();\n"
      "  f = new File(\"\xE9t\xE9-bis.txt\");\n  FileOutputStream autre = new FileOutputStream(f);\n"
      "  f.close();\n  f.delete();\n"
      "  CHDIR \"" + dir_.string() + "\";\n")).Run();
  EXPECT_TRUE(r.messages.empty()) << r.messages.front();
  EXPECT_EQ(r.out, "lu ailleurs\n");
  EXPECT_EQ(Read("déjà/été.txt"), "\xE0 lire\r\n");  // the text stays the program's
  EXPECT_FALSE(fs::exists(Native("déjà/été-bis.txt")));
  EXPECT_EQ(Session(Program(kDeclarations, "  s = \"" + folder + "/\xE9t\xE9.txt\";\n  s.delete();\n"
                                           "  RMDIR \"" + folder + "\";\n")).Run().messages,
            std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(Native("déjà")));

  // A byte Windows-1252 leaves undefined names nothing the system knows.
  const struct { std::string body, message; } refused[] = {
      {"  f = new File(\"" + Path("a\x81") + "\");\n  FileOutputStream sortie = new FileOutputStream(f);\n",
       "Erreur Entrée/Sortie"},
      {"  s = \"" + Path("b\x9D") + "\";\n  s.mkdir();\n", "Répertoire " + Path("b\u009D") + " n'a pas été créé"},
  };
  for (const auto& c : refused)
    InBothModes([&](bool fastPath, const char* mode) {
      EXPECT_EQ(Session(Program(kDeclarations, c.body), fastPath).Run().messages, std::vector<std::string>{c.message})
          << mode;
    });
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);  // "données.txt" alone
}

TEST_F(Files, ReadingConvertsIntoTheTargetKind) {
  Write("n.txt", "12\nabc\n");
  Session session(WithFile("n.txt", "  FileInputStream entree = new FileInputStream(f);\n"
                                    "  FGETS(f, i);\n  System.out.println(i);\n  FGETS(f, i);\n"));
  const RunResult r = session.Run();
  EXPECT_EQ(r.out, "12\n");
  EXPECT_EQ(r.messages, std::vector<std::string>{"Erreur de conversion"});
}

TEST_F(Files, MissingFileAndPendingErrors) {
  Session missing(WithFile("absent.txt", "  FileInputStream entree = new FileInputStream(f);\n"
                                         "  System.out.println(\"suite\");\n  while (!FEOF(f))\n"
                                         "   FGETS(f, s);\n"));
  RunResult r = missing.Run();
  EXPECT_EQ(r.out, "suite\n");
  EXPECT_EQ(r.messages, (std::vector<std::string>{"Erreur Entrée/Sortie", "Erreur d'entrée/sortie",
                                                  "Erreur de syntaxe"}));

  Session unnamed(Program(kDeclarations, "  FileInputStream entree = new FileInputStream(g);\n"));
  EXPECT_EQ(unnamed.Run().messages, std::vector<std::string>{"Erreur Entrée/Sortie"});

  // An FGETS on a closed file leaves error 104 for the next statement that checks.
  Session pending(WithFile("p.txt", "  FGETS(f, s);\n  System.out.println(\"lu\");\n"
                                    "  CHDIR \"" + dir_.string() + "\";\n"));
  r = pending.Run();
  EXPECT_EQ(r.out, "lu\n");
  EXPECT_EQ(r.messages, std::vector<std::string>{"Répertoire " + dir_.string() + " inexistant"});
}

TEST_F(Files, WriteAndCloseErrors) {
  Write("r.txt", "x\n");
  const struct { std::string body; std::vector<std::string> messages; } cases[] = {
      {"  FPUTS(s, f);\n", {"Erreur E/S 105"}},
      {"  FileInputStream entree = new FileInputStream(f);\n  FPUTS(s, f);\n", {"Erreur E/S 105"}},
      {"  FileInputStream entree = new FileInputStream(f);\n  f.close();\n  f.close();\n",
       {"Erreur d'entrée/sortie"}},
      {"  FileOutputStream sortie = new FileOutputStream(f);\n  if (FEOF(f))\n   i = 1;\n",
       {"Erreur d'entrée/sortie", "Erreur de syntaxe"}},
      {"  FPUTS(s);\n", {"Erreur dans paramètres"}},
      {"  FPUTS(s, zz);\n", {"Nom de fichier inconnu"}},
      {"  FPUTS(s, i);\n", {"Variable fichier requiqe"}},
      {"  FPUTS (s, f);\n", {"Identificateur (s inconnu"}},
      {"  FGETS (f, s);\n", {"Nom de fichier inconnu"}},
      {"  FGETS(s, s);\n", {"Variable fichier requiqe"}},
      {"  FGETS(f);\n", {"Variable fichier requiqe"}},
      {"  FGETS(f, t[2]);\n", {"Variable t[2] inconnue"}},
      {"  FileInputStream entree = new FileInputStream(s);\n", {"Variable fichier attendue"}},
      {"  s.close();\n", {"Variable fichier attendue"}},
      {"  while (!FEOF(s))\n   i = 1;\n", {"Variable fichier attendue", "Erreur de syntaxe"}},
      {"  while (!=feof(s))\n   i = 1;\n", {"Variable fichier attendue", "Erreur de syntaxe"}},
      {"  if (Feof(s))\n   i = 1;\n", {"Variable fichier attendue", "Erreur de syntaxe"}},
      {"  File g = new File(\"x\");\n", {"Variable fichier attendue"}},
      {"  new File(\"x\");\n", {"Erreur de syntaxe"}},
  };
  for (const auto& c : cases)
    InBothModes([&](bool fastPath, const char* mode) {
      EXPECT_EQ(Session(WithFile("r.txt", c.body), fastPath).Run().messages, c.messages) << mode << c.body;
    });
}

TEST_F(Files, FolderStatementsAndDelete) {
  const std::string sub = Path("sous");
  Session session(Program(kDeclarations,
                          "  s = \"" + sub + "\";\n  s.mkdir();\n  e = \"" + sub + "/x.txt\";\n"
                          "  f = new File(e);\n  FileOutputStream sortie = new FileOutputStream(f);\n"
                          "  FPUTS(\"z\", f);\n  f.close();\n  RMDIR s;\n"));
  RunResult r = session.Run();
  EXPECT_TRUE(fs::exists(sub + "/x.txt"));
  EXPECT_EQ(r.messages, std::vector<std::string>{"Répertoire " + sub + " n'a pas été éffacé"});

  Session cleanup(Program(kDeclarations, "  f = new File(\"" + sub + "/x.txt\");\n  f.delete();\n"
                                         "  s = \"" + sub + "\";\n  RMDIR s;\n  RMDIR s;\n"));
  r = cleanup.Run();
  EXPECT_FALSE(fs::exists(sub));
  EXPECT_EQ(r.messages, std::vector<std::string>{"Répertoire " + sub + " n'a pas été éffacé"});

  Session errors(Program(kDeclarations, "  s = \"" + Path("no/deep") + "\";\n  s.mkdir();\n"));
  EXPECT_EQ(errors.Run().messages,
            std::vector<std::string>{"Répertoire " + Path("no/deep") + " n'a pas été créé"});
  Session gone(Program(kDeclarations, "  s = \"" + Path("none.txt") + "\";\n  s.delete();\n"));
  EXPECT_EQ(gone.Run().messages,
            std::vector<std::string>{"Fichier " + Path("none.txt") + " n'a pas été effacé"});
}

TEST_F(Files, BadOperandNeverTouchesTheFileSystem) {
  const std::string keep = Path("garde");
  fs::create_directory(keep);
  Write("garde.txt", "x");
  for (const std::string body : {"  RMDIR zz;\n", "  zz.delete();\n", "  i.mkdir();\n", "  CHDIR i;\n",
                                 "  delete();\n"}) {
    InBothModes([&](bool fastPath, const char* mode) {
      const RunResult r = Session(Program(kDeclarations, body), fastPath).Run();
      EXPECT_EQ(r.finalState, kStopped) << mode << body;
      EXPECT_EQ(r.messages.size(), 1u) << mode << body;
    });
  }
  EXPECT_TRUE(fs::exists(keep));
  EXPECT_TRUE(fs::exists(Path("garde.txt")));
}

TEST_F(Files, FilesStayOpenAcrossAResumeAndCloseAtAFreshRun) {
  Session session(WithFile("s.txt", "  FileOutputStream sortie = new FileOutputStream(f);\n"
                                    "  FPUTS(\"un\", f);\n  FPUTS(\"deux\", f);\n"));
  RunResult r = session.Run(0, 1);
  r = session.Resume(r, 1);
  EXPECT_TRUE(r.messages.empty());
  session.interpreter.CloseAll();
  EXPECT_EQ(Read("s.txt"), "un\r\ndeux\r\n");
}

TEST_F(Files, TheEndOfARunClosesTheFilesAndReportsAFailedClose) {
  Session open(WithFile("o.txt", "  FileOutputStream sortie = new FileOutputStream(f);\n"
                                 "  FPUTS(\"sans fermer\", f);\n"));
  RunResult r = open.Run();
  EXPECT_EQ(r.finalState, kFinished);
  EXPECT_EQ(Read("o.txt"), "sans fermer\r\n");

  // Lines 10 to 12 write to a full disk, 13 ends main: the lines are lost at
  // the close, and the end becomes a stop there.
  Session full(Program(kDeclarations, "  f = new File(\"/dev/full\");\n"
                                      "  FileOutputStream sortie = new FileOutputStream(f);\n"
                                      "  FPUTS(\"perdu\", f);\n"));
  r = full.Run();
  EXPECT_EQ(r.messages, std::vector<std::string>{"Erreur E/S " + std::to_string(ENOSPC)});
  EXPECT_EQ(r.finalState, kStopped);
  EXPECT_EQ(r.resumeLine, 13);
  r = full.Run(r.resumeLine);  // resumed there, the run ends
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.finalState, kFinished);
}

TEST_F(Files, LinesLeftOpenReachTheFileWhenTheInterpreterGoes) {
  {
    Session session(WithFile("o.txt", "  FileOutputStream sortie = new FileOutputStream(f);\n"
                                      "  FPUTS(\"sans fermer\", f);\n"));
    EXPECT_TRUE(session.Run().messages.empty());
  }
  EXPECT_EQ(Read("o.txt"), "sans fermer\r\n");
}

TEST_F(Files, PrinterLines) {
  Session none(Program(kDeclarations, "  FPUTS(\"x\", PRN:);\n"));
  EXPECT_EQ(none.Run().messages, std::vector<std::string>{"Erreur E/S 105"});

  Session session(Program(kDeclarations, "  FPUTS(\"ligne\", PRN:);\n  i = 3;\n  FPUTS(i, prn:);\n"
                                         "  PRN:.close();\n"));
  session.host.hasPrinter = true;
  EXPECT_TRUE(session.Run().messages.empty());
  EXPECT_EQ(session.host.printer.lines, (std::vector<std::string>{"ligne", "3"}));
  EXPECT_EQ(session.host.printer.closed, 1);
}

TEST_F(Files, KeyboardLinesGoThroughStoreValue) {
  Session session(Program(kDeclarations, "  FGETS(System.in, s);\n  FGETS(System.in, i);\n"
                                         "  FGETS(System.in, r);\n  FGETS(System.in, c);\n"
                                         "  System.out.println(s);\n  System.out.println(i);\n"
                                         "  System.out.println(r);\n  System.out.println(c);\n"
                                         "  FGETS(System.in, s);\n  System.out.println(s);\n"));
  session.host.keyboard = {"Alice Martin", "41", "1.5", "oui"};
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.out, "Alice Martin\n41\n1.5\no\n\n");  // end of input gives an empty line
  session.host.keyboard = {"douze"};
  EXPECT_EQ(Session(Program(kDeclarations, "  FGETS(System.in, i);\n")).Run().messages,
            std::vector<std::string>{"Erreur de conversion"});
}

// In the environment the dialogue stays on the screen: what was typed is
// drawn where the program goes on; a float may be typed with a comma.
TEST_F(Files, KeyboardLinesAreEchoedAndTakeADecimalComma) {
  Session session(Program(kDeclarations, "  System.out.print(\"Nom : \");\n  FGETS(System.in, s);\n"
                                         "  FGETS(System.in, r);\n  System.out.println(r);\n"
                                         "  FGETS(System.in, s);\n"));
  session.interpreter.SetEchoKeyboard(true);
  session.host.keyboard = {"Zoé", "8,5", "1,2,3"};
  const RunResult r = session.Run();
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.out, "Nom : Zoé\n8,5\n8.5\n1,2,3\n");
  EXPECT_EQ(session.host.screen.drawn[1], (Drawn{60, 0, "Zoé"}));  // after the prompt
  EXPECT_EQ(session.Str("s"), "1,2,3");  // a text keeps its commas
  Session plain(Program(kDeclarations, "  FGETS(System.in, s);\n"));
  plain.host.keyboard = {"8,5"};
  EXPECT_EQ(plain.Run().out, "");  // the runner does not echo
}

}  // namespace
}  // namespace orv::testing
