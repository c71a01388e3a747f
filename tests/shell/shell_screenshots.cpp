// Screenshots of the environment for the README: shell_screenshots DIR
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>

#include "editor/Childwin.h"
#include "interp/gui/ecran.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/startup.h"

using namespace orv;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString dir = argc > 1 ? argv[1] : ".";
  QDir().mkpath(dir);
  TMainForm* main = CreateWindows();
  main->resize(1100, 720);
  main->show();
  main->FileNewItemClick();
  main->FileNewItemClick();
  TEditeur* editor = main->ActiveEditor();
  editor->Memo1->setPlainText(
      "import java.util.*;\nclass Compte\n{\n static int i, total;\n static String nom;\n"
      " public static void main(String args[])\n {\n  // additionne les nombres de 1 à 10\n"
      "  total = 0;\n  for (i=1; i<=10; i++)\n  {\n   total = total + i;\n  }\n"
      "  nom = \"Total : \";\n  System.out.print(nom);\n  System.out.println(total);\n"
      "  if (total > 50)\n   System.out.println(\"grand\")\n  else\n   System.out.println(\"petit\");\n }\n}");
  main->MdiArea()->tileSubWindows();
  QApplication::processEvents();
  main->grab().save(dir + "/main-window.png");
  editor->Executer();
  QApplication::processEvents();
  Interpreter().Ecran().grab().save(dir + "/ecran-run.png");
  for (TEditeur* e : main->Editors()) e->SetModified(false);
  main->close();
  return 0;
}
