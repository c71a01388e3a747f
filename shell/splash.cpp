// The splash window.
#include "shell/splash.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "shell/program_picture.h"

namespace orv {
namespace {

const QColor kPanel(175, 48, 0);
constexpr int kBevelWidth = 3;
constexpr int kExposeWaitMs = 250;  // a window manager maps a new window in a few ms

}  // namespace

TSplash::TSplash(QScreen* screen)
    : QSplashScreen(screen ? screen : QGuiApplication::primaryScreen(), Picture(),
                    Qt::SplashScreen | Qt::FramelessWindowHint) {
  setFixedSize(kWidth, kHeight);
}

QPixmap TSplash::Picture() {
  QPixmap pixmap(kWidth, kHeight);
  QPainter painter(&pixmap);
  const QRect all = pixmap.rect();
  painter.fillRect(all, kPanel);
  // a single border, then the raised inner bevel
  painter.setPen(Qt::black);
  painter.drawRect(all.adjusted(0, 0, -1, -1));
  DrawBevel(painter, all.adjusted(1, 1, -1, -1), kBevelWidth, true, kPanel.lighter(160), kPanel.darker(200));

  const QRect picture(18, (kHeight - 121) / 2, 89, 121);
  DrawProgramPicture(painter, picture);

  const QRect textArea(picture.right() + 18, 0, kWidth - picture.right() - 30, kHeight);
  painter.setPen(Qt::white);
  const QFont title = BoldFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 30);
  painter.setFont(title);
  painter.drawText(textArea.adjusted(0, 0, 0, -kHeight / 2 + 24), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("OrvJava"));
  painter.setPen(QColor(255, 230, 160));
  painter.setFont(BoldFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 14));
  painter.drawText(textArea.adjusted(0, kHeight / 2 + 34, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Version 2.0"));
  return pixmap;
}

void TSplash::ShowNow() {
  const QRect screenArea = screen()->geometry();
  move(screenArea.center() - rect().center());
  show();
  raise();
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orv
