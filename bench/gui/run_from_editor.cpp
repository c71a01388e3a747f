// Runs bench/boucle.java from an editor window ("Exécuter"), five times after
// a warm-up, and prints the median; compare with bench/run for the runner.
//   QT_QPA_PLATFORM=offscreen run_from_editor [FILE.java]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "editor/Childwin.h"
#include "common/gui/qt_text.h"
#include "interp/gui/session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString path = argc > 1 ? argv[1] : QString(ORV_BENCH_DIR) + "/boucle.java";
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "Impossible de lire %s\n", qPrintable(path));
    return 2;
  }
  orv::TEditeur editor;
  editor.Memo1->setPlainText(orv::FromCp1252(file.readAll().toStdString()));
  editor.show();
  orv::Interpreter().Host().messageBox = [](const QString&) {};
  std::vector<double> seconds;
  for (int run = 0; run < 6; ++run) {
    QElapsedTimer timer;
    timer.start();
    editor.Executer();
    if (run > 0) seconds.push_back(timer.nsecsElapsed() / 1e9);
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("Exécuter depuis une fenêtre d'édition : %.3f s (médiane de 5), %lld lignes\n",
              seconds[seconds.size() / 2],
              static_cast<long long>(orv::Interpreter().Interpreter().ExecutedLines()));
  editor.SetModified(false);
  return 0;
}
