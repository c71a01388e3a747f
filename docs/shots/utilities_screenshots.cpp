// Saves pictures of the three desk windows, for the documentation:
//   xvfb-run -a utilities_screenshots <folder>
#include <QApplication>
#include <QDir>
#include <QTest>

#include "utilities/Calend.h"
#include "utilities/Horloge1.h"
#include "utilities/Pocket1.h"

namespace {

bool Save(QWidget& window, const QString& path) {
  window.show();
  window.activateWindow();
  QTest::qWait(300);
  return window.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("."));
  bool ok = true;

  orv::TPocket pocket;
  pocket.show();
  for (const char* key : {"1", "/", "8", "="}) QTest::keyClick(pocket.focusWidget(), key[0]);
  ok &= Save(pocket, folder.filePath("utilities-pocket.png"));

  orv::THorloge clock;
  clock.SetNowSource([] { return QDateTime(QDate(1998, 10, 20), QTime(18, 23, 0)); });
  ok &= Save(clock, folder.filePath("utilities-horloge.png"));

  orv::TCalendrier calendar(nullptr, QDate(1998, 10, 20));
  ok &= Save(calendar, folder.filePath("utilities-calendrier.png"));
  return ok ? 0 : 1;
}
