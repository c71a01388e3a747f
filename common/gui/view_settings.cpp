#include "common/gui/view_settings.h"

#include <QApplication>
#include <QMainWindow>
#include <QSettings>
#include <QWindow>
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

QPoint ToolPlace(const QRect& client, const std::vector<QSize>& frames, size_t slot, const QRect& avoid) {
  int tallest = 0, widest = 0, left = client.left(), top = client.top();
  for (size_t i = 0; i < frames.size(); ++i) {
    tallest = std::max(tallest, frames[i].height());
    widest = std::max(widest, frames[i].width());
    if (i < slot) {
      left += frames[i].width();
      top += frames[i].height();
    }
  }
  const QSize& own = frames.at(slot);
  const QRect bottomBand(client.left(), client.bottom() + 1 - tallest, client.width(), tallest);
  const QRect rightBand(client.right() + 1 - widest, client.top(), widest, client.height());
  if (bottomBand.intersects(avoid) && !rightBand.intersects(avoid))
    return {client.right() + 1 - own.width(), std::min(top, client.bottom() + 1 - own.height())};
  return {std::min(left, client.right() + 1 - own.width()), client.bottom() + 1 - own.height()};
}

void StayAboveMainWindow(QWidget& window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!qobject_cast<QMainWindow*>(top) || !top->isVisible()) continue;
    window.winId();  // creates the native window
    if (window.windowHandle() && top->windowHandle() && window.windowHandle()->transientParent() != top->windowHandle())
      window.windowHandle()->setTransientParent(top->windowHandle());
    return;
  }
}

}  // namespace orv
