// Saves pictures of the help viewer, the splash window and the about box, for
// the documentation:
//   xvfb-run -a help_screenshots <folder>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "shell/about.h"
#include "shell/help/help_viewer.h"
#include "shell/splash.h"

namespace {

bool Save(QWidget& window, const QString& path) {
  QTest::qWait(300);
  return window.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("."));
  bool ok = true;

  orv::TAide viewer;
  viewer.SetFallbacks({orv::TAide::BuiltInHelp()});
  viewer.SetHelpFile(QStringLiteral("/nonexistent/OrvJava.hlp"));
  viewer.resize(1000, 700);
  viewer.ShowTopic(27);
  ok &= Save(viewer, folder.filePath("help-topic.png"));
  viewer.HSearch(QStringLiteral("pile"));
  QTest::keyClick(viewer.SearchEdit, Qt::Key_Down);
  QTest::keyClick(viewer.SearchEdit, Qt::Key_Return);
  viewer.SearchEdit->setFocus();
  ok &= Save(viewer, folder.filePath("help-search.png"));
  viewer.ShowTopic(6);
  ok &= Save(viewer, folder.filePath("help-menu.png"));
  viewer.hide();

  orv::TSplash splash;
  splash.ShowNow();
  ok &= Save(splash, folder.filePath("splash.png"));
  splash.hide();

  orv::TAboutBox about;
  about.show();
  ok &= Save(about, folder.filePath("about.png"));
  return ok ? 0 : 1;
}
