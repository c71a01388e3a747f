// The menus and the tool bar of the main window as data: names, captions,
// hints, shortcuts, help contexts and when each command is available. The
// window builds its menus from it; availability is decided here, without
// any widget.
#pragma once

#include <string>
#include <vector>

namespace orv {

enum class Availability {
  Always,       // never disabled
  WithEditor,   // at least one editor window is open
  WhileRunning  // a program is running
};

struct MenuItemSpec {
  std::string name;     // "" for a separator
  std::string caption;  // "-" for a separator; "&" marks the accelerator
  std::string hint;
  std::string shortcut;  // in Qt's portable text form, "" for none
  Availability availability = Availability::Always;
  bool checkable = false;
};

struct MenuSpec {
  std::string name;
  std::string caption;
  std::string hint;
  int helpContext = 0;
  std::vector<MenuItemSpec> items;
};

struct ToolButtonSpec {
  std::string name;   // "" for a gap
  std::string hint;
  std::string command;  // the menu item it performs
  Availability availability = Availability::Always;
};

const std::vector<MenuSpec>& MainMenuTable();
const std::vector<ToolButtonSpec>& ToolBarTable();

bool IsAvailable(Availability availability, int editorWindows, bool running);

}  // namespace orv
