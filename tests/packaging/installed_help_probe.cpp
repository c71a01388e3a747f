// installed_help_probe START-FOLDER: opens the help as the environment does,
// with START-FOLDER/OrvJava.hlp as the application's help file and the
// default places after it, and prints the file the help came from. The
// installation test copies this program into a bin/ folder beside an
// installed share/ to see the lookup from there. Exit status 1 without help.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "shell/help/help_viewer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: installed_help_probe START-FOLDER\n");
    return 2;
  }
  QApplication app(argc, argv);
  orv::TAide viewer;
  viewer.SetHelpFile(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("OrvJava.hlp")));
  viewer.HContents();
  std::printf("%s\n", viewer.Source().toLocal8Bit().constData());
  return viewer.Book() && !viewer.Book()->Topics().empty() ? 0 : 1;
}
