// What the environment remembers between sessions (zoom levels, line
// numbers, recent files, window places), kept with QSettings under the
// organisation "OrvJava".
#pragma once

#include <QVariant>

namespace orv {

QVariant Setting(const QString& key, const QVariant& fallback = {});
void SetSetting(const QString& key, const QVariant& value);

// Zoom levels in percent. ZoomStep goes `steps` levels up (or down when
// negative) from `percent`; 0 steps is back to 100 %.
inline constexpr int kNormalZoom = 100;
int ZoomStep(int percent, int steps);
// The zoom remembered under `key`, within the levels.
int RememberedZoom(const QString& key);

}  // namespace orv
