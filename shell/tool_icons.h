// The tool bar's pictures, drawn rather than loaded.
#pragma once

#include <QIcon>
#include <QString>

namespace orv {

// The picture of a tool bar button by its name ("FileNew1Btn", "OpenBtn"...).
QIcon ToolIcon(const QString& button);

}  // namespace orv
