// Screenshots of the output screen and the debug views after a run:
//   interp_gui_screenshots DIR   (under xvfb-run)
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>

#include "editor/Childwin.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/ecran.h"
#include "interp/gui/session.h"

using namespace orv;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString dir = argc > 1 ? argv[1] : ".";
  QDir().mkpath(dir);
  auto* editor = new TEditeur;
  editor->setWindowTitle("OrvJava - Table.java");
  editor->Memo1->setPlainText(
      "import java.util.*;\nclass Table\n{\n static int i, j, p;\n static String titre;\n"
      " public static void main(String args[])\n {\n  titre = \"Table de multiplication\";\n"
      "  System.out.println(titre);\n  for (i=1; i<=9; i++)\n  {\n   for (j=1; j<=9; j++)\n   {\n"
      "    p = i * j;\n    System.out.print(p);\n    System.out.print(\"  \");\n   }\n"
      "   System.out.println(\"\");\n  }\n }\n}");
  editor->show();
  editor->Executer();
  TEcran& ecran = Interpreter().Ecran();
  QApplication::processEvents();
  ecran.grab().save(dir + "/ecran.png");

  QTimer::singleShot(300, [dir] {
    QWidget* table = QApplication::activeModalWidget();
    table->grab().save(dir + "/table-symboles.png");
    table->close();
  });
  Interpreter().Stats();
  QTimer::singleShot(300, [dir] {
    auto* dialog = qobject_cast<TVariable*>(QApplication::activeModalWidget());
    dialog->Edit1->setText("titre");
    dialog->Evaluate();
    dialog->grab().save(dir + "/examiner.png");
    dialog->close();
  });
  Interpreter().Examiner();
  editor->SetModified(false);
  return 0;
}
