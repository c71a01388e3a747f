// What the main window's source files share (main_form*.cpp); nothing else
// includes it.
#pragma once

#include <QList>

class QAction;
class QMenu;
class QWidget;

namespace orv::main_form {

// Takes the entries a menu was given for one showing out of it again.
void DropActions(QMenu& menu, QList<QAction*>& actions);

// The help opens on the right half of the client area, below the menus and
// the tool bar, beside the code.
void PlaceBesideCode(QWidget& help, const QWidget& frame, const QWidget& clientArea);

}  // namespace orv::main_form
