#include "interp/gui/view_settings.h"

#include <QSettings>
#include <algorithm>
#include <array>
#include <iterator>

namespace orv {
namespace {

constexpr std::array kZoomLevels = {50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

}  // namespace

QVariant Setting(const QString& key, const QVariant& fallback) {
  return QSettings(QStringLiteral("OrvJava"), QStringLiteral("OrvJava")).value(key, fallback);
}

void SetSetting(const QString& key, const QVariant& value) {
  QSettings(QStringLiteral("OrvJava"), QStringLiteral("OrvJava")).setValue(key, value);
}

int ZoomStep(int percent, int steps) {
  if (steps == 0) return kNormalZoom;
  // The level at or just below the current one, then as many steps as asked.
  const auto at = std::upper_bound(kZoomLevels.begin(), kZoomLevels.end(), percent);
  const int index = static_cast<int>(std::distance(kZoomLevels.begin(), at)) - 1;
  const int from = steps > 0 ? std::max(index, 0) : (index >= 0 && kZoomLevels[index] == percent ? index : index + 1);
  const int to = std::clamp(from + steps, 0, static_cast<int>(kZoomLevels.size()) - 1);
  return kZoomLevels[static_cast<size_t>(to)];
}

int RememberedZoom(const QString& key) {
  const int percent = Setting(key, kNormalZoom).toInt();
  return std::clamp(percent, kZoomLevels.front(), kZoomLevels.back());
}

}  // namespace orv
