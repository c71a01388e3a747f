// Screenshots of the environment for the README: shell_screenshots DIR
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QElapsedTimer>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
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
  Interpreter().Host().messageBox = [](const QString&) {};  // the status line tells
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
      "  if (total > 50)\n  {\n   System.out.println(\"grand\");\n  }\n  else\n  {\n   System.out.println(\"petit\");\n  }\n }\n}");
  main->MdiArea()->tileSubWindows();
  QApplication::processEvents();
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
    // At a large screen scale: the whole screen with the output beside.
    editor->Executer();
    QElapsedTimer settle;  // the window manager maps the screen window
    settle.start();
    while (settle.elapsed() < 800) QApplication::processEvents();
    main->screen()->grabWindow(0).save(dir + "/environnement-200.png");
    for (TEditeur* e : main->Editors()) e->SetModified(false);
    main->close();
    return 0;
  }
  main->grab().save(dir + "/main-window.png");
  editor->Executer();
  QApplication::processEvents();
  Interpreter().Ecran().grab().save(dir + "/ecran-run.png");
  // A stop on an error: the failing line in light red, its number beside it.
  editor->Lines().SetLine(15, "  System.out.println(totl);");
  editor->Executer();
  QApplication::processEvents();
  main->grab().save(dir + "/editeur-arret.png");
  // Step by step: the next line in yellow, a breakpoint's red dot.
  editor->Lines().SetLine(15, "  System.out.println(total);");
  editor->Lines().SetLine(13, "\xBB  nom = \"Total : \";");
  main->Action("Pasapas")->trigger();
  editor->Executer();
  for (int i = 0; i < 4; ++i) editor->Continuer2();
  QApplication::processEvents();
  main->grab().save(dir + "/pas-a-pas.png");
  // An animated run caught in the loop, its pace in the tool bar.
  editor->Lines().SetLine(13, "  nom = \"Total : \";");
  main->PaceBox->setValue(main->PaceBox->maximum());
  int inLoop = 0;  // the loop's body reached, its third time caught
  QObject::connect(editor, &TEditeur::RunStopped, [&inLoop](int line) { inLoop += line == 11; });
  main->Action("Animer1")->trigger();
  QElapsedTimer animated;
  animated.start();
  while (editor->Animating() && inLoop < 3 && animated.elapsed() < 20000)
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  main->grab().save(dir + "/animation.png");
  editor->PauseAnimation();
  // A step back: the total printed last leaves the screen, the yellow line
  // goes back up to its print, the status line says how far back one can go.
  for (int guard = 0; guard < 200 && Interpreter().ResumeLine != 16; ++guard) editor->Continuer2();
  main->Action("PasArriere1")->trigger();
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 800) QApplication::processEvents();
  main->screen()->grabWindow(0).save(dir + "/pas-en-arriere.png");
  for (TEditeur* e : main->Editors()) e->SetModified(false);
  main->close();
  return 0;
}
