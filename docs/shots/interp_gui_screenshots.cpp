// Screenshots of the output screen, the keyboard box and the debug views:
//   interp_gui_screenshots DIR   (docs/shots/take runs it under Xvfb)
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtGlobal>

#include "editor/Childwin.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "interp/gui/session.h"

using namespace orv;

namespace {

// The desktop around the screen and the keyboard box below its text.
void SaveDesktop(const QString& path, const QRect& around) {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = around.adjusted(-10, -10, 10, 60).intersected(screen->geometry());
  screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
}

// An editor window holding `text`, shown.
TEditeur* EditorWith(const QString& title, const QString& text) {
  auto* editor = new TEditeur;
  editor->setWindowTitle(title);
  editor->Memo1->setPlainText(text);
  editor->show();
  return editor;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir settings;  // the learner's settings stay as they are
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  const QString dir = argc > 1 ? argv[1] : ".";
  QDir().mkpath(dir);
  auto* editor = EditorWith("OrvJava - Table.java",
      "import java.util.*;\nclass Table\n{\n static int i, j, p;\n static float moyenne;\n static String titre, nom;\n"
      " public static void main(String args[])\n {\n  titre = \"Table de multiplication\";\n"
      "  System.out.println(titre);\n  for (i=1; i<=9; i++)\n  {\n   for (j=1; j<=9; j++)\n   {\n"
      "    p = i * j;\n    System.out.print(p);\n    System.out.print(\"  \");\n   }\n"
      "   System.out.println(\"\");\n  }\n  moyenne = 22.5f / 9f;\n"
      "  System.out.print(\"Moyenne : \");\n  System.out.println(moyenne);\n  System.out.print(\"Votre nom ? \");\n"
      "  FGETS(System.in, nom);\n  System.out.print(\"Bonjour \");\n  System.out.println(nom);\n }\n}");
  TEcran& ecran = Interpreter().Ecran();
  // A message would wait for a click nobody gives: it is printed instead.
  Interpreter().Host().messageBox = [](const QString& m) { qWarning("message: %s", qPrintable(m)); };
  QTimer::singleShot(300, [&ecran, dir] {
    auto* box = qobject_cast<TForm12*>(QApplication::activeModalWidget());
    if (!box) return;
    box->Edit1->setText("Zoé");
    QApplication::processEvents();
    SaveDesktop(dir + "/ecran-clavier.png", ecran.frameGeometry().united(box->frameGeometry()));
    box->accept();
  });
  editor->Executer();
  QApplication::processEvents();
  ecran.grab().save(dir + "/ecran.png");

  // Step mode with both views open: the changes of the last step are bold.
  Interpreter().StepMode = 1;
  editor->Executer();
  Interpreter().Stats();
  Interpreter().Examiner();
  TVariable& examine = VariableWindow();
  examine.Edit1->setText("p");
  examine.Evaluate();
  for (int step = 0; step < 8; ++step) editor->Continuer2();
  QApplication::processEvents();
  TableSymbolesWindow().grab().save(dir + "/table-symboles.png");
  examine.grab().save(dir + "/examiner.png");
  TableSymbolesWindow().hide();
  VariableWindow().hide();
  editor->SetModified(false);
  editor->close();

  // An array in the symbol table, the cell of the last step highlighted; then
  // the stack view in a for loop inside a procedure.
  auto* arrays = EditorWith("OrvJava - Notes.java",
      "import java.util.*;\nclass Notes\n{\n static int i, total;\n static int notes[] = new int[14];\n"
      " static String noms[] = new String[3];\n public static void main(String args[])\n {\n"
      "  noms[1] = \"Léa\";\n  noms[2] = \"Hugo\";\n  noms[3] = \"Zoé\";\n  remplit();\n"
      "  System.out.println(total);\n }\n void remplit()\n {\n  for (i=1; i<=14; i++)\n  {\n"
      "   notes[i] = i * 3;\n   total = total + notes[i];\n  }\n }\n}");
  Interpreter().StepMode = 1;
  arrays->Executer();
  Interpreter().Stats();
  TTableSymboles& table = TableSymbolesWindow();
  table.resize(560, 470);
  for (int step = 0; step < 24; ++step) arrays->Continuer2();
  QApplication::processEvents();
  table.grab().save(dir + "/tableau.png");
  table.hide();
  Interpreter().Pile();
  TPileExecution& pile = PileExecutionWindow();
  pile.ListBox1->setCurrentRow(0);
  QApplication::processEvents();
  pile.grab().save(dir + "/pile.png");
  Interpreter().StepMode = 0;
  arrays->SetModified(false);
  return 0;
}
