// TSplash: the window shown while the environment creates its windows. No
// border and no caption, centred on the screen, a dark orange panel with the
// program's picture, "OrvJava" and "Version 2.0".
#pragma once

#include <QPixmap>
#include <QSplashScreen>

namespace orv {

class TSplash : public QSplashScreen {
  Q_OBJECT

 public:
  static constexpr int kWidth = 318;
  static constexpr int kHeight = 221;

  explicit TSplash(QScreen* screen = nullptr);

  // Shows the window centred and paints it before returning, so that it is
  // on the screen while the caller goes on with work that blocks the
  // event loop.
  void ShowNow();

  // The window's picture, kWidth x kHeight.
  static QPixmap Picture();
};

}  // namespace orv
