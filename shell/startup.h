// Start-up: the splash window while the application's windows are created,
// each once and in a fixed order; then the main window and the event loop.
#pragma once

#include <QString>
#include <functional>

namespace orv {

class TMainForm;

// Creates the fifteen windows in their order and names each one to
// `created` as it comes; returns the main window (not shown).
TMainForm* CreateWindows(const std::function<void(const QString&)>& created = {});

// Qt's own texts (standard buttons, file and print dialogs) in French, the
// language of the interface.
void InstallFrenchTranslations();

// The program: splash, windows, main window maximised, event loop.
// `shown` runs once the main window is on the screen (the start-up timing).
int RunEnvironment(int& argc, char** argv, const std::function<void(TMainForm&)>& shown = {});

}  // namespace orv
