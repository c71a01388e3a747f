// Closing the frame ends the program, whatever other windows of its own are
// still open: the output screen, a debug view, the help. The whole
// start-up runs here, its event loop included; a watchdog fails the test if
// the loop never returns.
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "interp/gui/ecran.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/help/help_viewer.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  QTemporaryDir home;
  // Settings and recovery copies go to a folder of the test's own.
  setenv("XDG_CONFIG_HOME", qPrintable(home.filePath("config")), 1);
  setenv("XDG_DATA_HOME", qPrintable(home.filePath("data")), 1);
  bool others = false;
  const int status = orv::RunEnvironment(argc, argv, [&others](orv::TMainForm& main) {
    QTimer::singleShot(10'000, [] {
      std::fprintf(stderr, "the program still runs after its frame closed\n");
      std::_Exit(1);
    });
    orv::Interpreter().Ecran().show();
    orv::Interpreter().Stats();
    main.ShowHelpTopic(1);
    others = orv::Interpreter().Ecran().isVisible() && main.Aide && main.Aide->isVisible() &&
             QApplication::topLevelWidgets().size() > 3;
    QTimer::singleShot(0, &main, [&main] { main.close(); });
  });
  if (!others) {
    std::fprintf(stderr, "the other windows did not open\n");
    return 1;
  }
  return status;
}
