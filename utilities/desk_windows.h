// What the three desk windows share: the error box they report failures in,
// their title bar, colours and font.
#pragma once

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QString>
#include <functional>

class QKeyEvent;
class QWidget;

namespace orv {

inline constexpr const char* kApplicationTitle = "Orv Java";


// Shows a French error message modally. Windows take one as a seam so tests
// never wait on a real box.
using MessageBoxFn = std::function<void(QWidget* parent, const QString& text)>;

// The standard error box, titled with the application's name.
void ShowErrorBox(QWidget* parent, const QString& text);

// The title bar of the desk windows: a caption and a close box only.
inline constexpr Qt::WindowFlags kDeskWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

inline const QColor kTeal{0, 128, 128};

// Bold Arial (or the system's stand-in for it) at a pixel size.
QFont BoldArial(int pixelSize);

bool IsEnterKey(const QKeyEvent* event);

// Fills a widget's background with a colour.
void SetBackground(QWidget* widget, const QColor& colour);

}  // namespace orv
