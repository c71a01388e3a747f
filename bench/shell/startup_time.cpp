// The environment's start-up up to the main window on the screen, all its
// windows created; prints the time since the process started, then quits.
// bench/startup runs it several times and reports the median.
#include <QApplication>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "shell/Main.h"
#include "shell/startup.h"

namespace {

// Seconds since the process began, from the kernel's record of its start.
double SinceProcessStart() {
  QFile stat("/proc/self/stat");
  stat.open(QIODevice::ReadOnly);
  const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
  const double startTicks = fields.value(19).toDouble();  // field 22 of the line
  QFile uptime("/proc/uptime");
  uptime.open(QIODevice::ReadOnly);
  const double up = uptime.readAll().split(' ').first().toDouble();
  return up - startTicks / sysconf(_SC_CLK_TCK);
}

}  // namespace

int main(int argc, char** argv) {
  return orv::RunEnvironment(argc, argv, [](orv::TMainForm& main) {
    QApplication::processEvents();
    std::printf("%.3f\n", SinceProcessStart());
    std::fflush(stdout);
    main.close();
  });
}
