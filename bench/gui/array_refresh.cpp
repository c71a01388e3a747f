// The symbol table window's refresh with a 2,000-element array open, step
// after step: each step of the program writes one element, then the window
// reads the table again and paints what is in sight. Prints the median and
// the slowest refresh over 300 steps (the step itself is not counted).
//   QT_QPA_PLATFORM=offscreen array_refresh
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "editor/Childwin.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orv::TEditeur editor;
  editor.Memo1->setPlainText(
      "import java.util.*;\nclass Tableau\n{\n static int i;\n static float t[] = new float[2000];\n"
      " public static void main(String args[])\n {\n  for (i=1; i<=2000; i++)\n  {\n   t[i] = (float)i;\n"
      "   t[i] = t[i] / 3f;\n  }\n }\n}\n");
  editor.show();
  orv::InterpreterSession& session = orv::Interpreter();
  session.Host().messageBox = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); };
  session.StepMode = 1;
  editor.Executer();
  session.Stats();
  orv::TTableSymboles& table = orv::TableSymbolesWindow();
  table.resize(640, 480);
  QApplication::processEvents();
  std::vector<double> ms;
  for (int step = 0; step < 300; ++step) {
    editor.Continuer2();  // refreshes the window once already, as in use
    QElapsedTimer timer;
    timer.start();
    session.RefreshDebugViews();
    table.Cells->repaint();
    table.ListBox1->repaint();
    ms.push_back(timer.nsecsElapsed() / 1e6);
  }
  const size_t elements = table.Cells->Arrays().empty() ? 0 : table.Cells->Arrays()[0].Cells.size();
  const int painted = table.Cells->PaintedCells();
  std::sort(ms.begin(), ms.end());
  std::printf("Table des symboles, tableau de %zu réels : %.3f ms par pas (médiane de %zu), %.3f ms au plus, "
              "%d cases dessinées\n",
              elements, ms[ms.size() / 2], ms.size(), ms.back(), painted);
  session.StepMode = 0;
  editor.SetModified(false);
  return 0;
}
