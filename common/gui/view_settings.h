// What the environment remembers between sessions (zoom levels, line
// numbers, recent files, window places), kept with QSettings under the
// organisation "OrvJava".
#pragma once

#include <QRect>
#include <QVariant>
#include <vector>

class QWidget;

namespace orv {

QVariant Setting(const QString& key, const QVariant& fallback = {});
void SetSetting(const QString& key, const QVariant& value);

// Zoom levels in percent. ZoomStep goes `steps` levels up (or down when
// negative) from `percent`; 0 steps is back to 100 %.
inline constexpr int kNormalZoom = 100;
int ZoomStep(int percent, int steps);
// The zoom remembered under `key`, within the levels.
int RememberedZoom(const QString& key);

// Makes a top-level window of the environment (the screen, a debug view)
// transient for the visible main window, so that the window manager keeps it
// above the frame whichever of the two is activated. Before it is shown.
void StayAboveMainWindow(QWidget& window);

// Where tool window `slot` of `frames` (their frame sizes, in order) first
// opens, global coordinates: side by side along the bottom of the frame's
// client area, or stacked along its right edge when the bottom band would
// cover `avoid` (the line being executed) and the right one would not.
QPoint ToolPlace(const QRect& client, const std::vector<QSize>& frames, size_t slot, const QRect& avoid);

}  // namespace orv
