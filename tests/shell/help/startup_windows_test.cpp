// The splash window and the about box, offscreen.
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "shell/about.h"
#include "shell/splash.h"

namespace {

class StartupWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void SplashShowsThePictureAtTheLeftAndTheTextsAtTheRight() {
    const QImage picture = orv::TSplash::Picture().toImage();
    const QRgb panel = qRgb(175, 48, 0);
    int pictureCells = 0, whiteText = 0, yellowText = 0;
    for (int y = 50; y < 171; ++y)
      for (int x = 18; x < 107; ++x) pictureCells += picture.pixel(x, y) != panel;
    QVERIFY(pictureCells > 89 * 121 * 9 / 10);  // the picture fills its 89 x 121 place
    QCOMPARE(picture.pixel(17, 110), panel);
    QCOMPARE(picture.pixel(108, 110), panel);
    for (int y = 4; y < 217; ++y)
      for (int x = 120; x < 314; ++x) {
        const QColor c = picture.pixelColor(x, y);
        if (c == Qt::white) ++whiteText;
        if (c.red() > 240 && c.green() > 200 && c.blue() < 200) yellowText += y > 110;
      }
    QVERIFY2(whiteText > 300, qPrintable(QString::number(whiteText)));   // "OrvJava", large
    QVERIFY2(yellowText > 30, qPrintable(QString::number(yellowText)));  // "Version 2.0" below
  }

  void ShowNowPutsItCentredOnTheScreenAtOnce() {
    orv::TSplash splash;
    splash.ShowNow();
    QVERIFY(splash.isVisible());
    const QPoint centre = splash.screen()->geometry().center();
    QVERIFY(qAbs(splash.geometry().center().x() - centre.x()) <= 1);
    QVERIFY(qAbs(splash.geometry().center().y() - centre.y()) <= 1);
    QCOMPARE(splash.grab().toImage().pixel(300, 12), qRgb(175, 48, 0));
  }

  // The texts are whole (the description never cut) and the icon is drawn.
  void AboutBoxTextsAreWholeAndTheIconIsTopLeft() {
    orv::TAboutBox box;
    QCOMPARE(box.ProductName->text(), QStringLiteral("Orv Java"));
    QCOMPARE(box.Version->text(), QStringLiteral("Version 2.0"));
    QCOMPARE(box.Comments->text(), QStringLiteral("Interpréteur java."));
    // The description sits at the bottom of the panel, in two lines at most.
    QVERIFY(box.Comments->geometry().top() > box.Panel1->height() / 2);
    QVERIFY(box.Comments->heightForWidth(box.Comments->width()) <= box.Comments->height());
    QVERIFY(box.Comments->height() >= 2 * QFontMetrics(box.Comments->font()).lineSpacing());
    QVERIFY(!box.ProgramIcon->pixmap().isNull());
    QVERIFY(box.ProgramIcon->geometry().left() < box.ProductName->geometry().left());
    QVERIFY(box.ProgramIcon->geometry().top() < box.Panel1->height() / 3);
  }

  void OkAndEscCloseTheSameBoxAgainAndAgain() {
    orv::TAboutBox box;
    QTimer::singleShot(0, &box, [&] { QTest::keyClick(&box, Qt::Key_Escape); });
    QCOMPARE(box.exec(), int(QDialog::Rejected));
    QVERIFY(!box.isVisible());
    QTimer::singleShot(0, &box, [&] { QTest::mouseClick(box.OKButton, Qt::LeftButton); });
    QCOMPARE(box.exec(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());
    QTimer::singleShot(0, &box, [&] {
      QVERIFY(box.isVisible());
      QCOMPARE(box.ProductName->text(), QStringLiteral("Orv Java"));
      QCOMPARE(box.focusWidget(), box.OKButton);
      QTest::keyClick(box.OKButton, Qt::Key_Escape);
    });
    QCOMPARE(box.exec(), int(QDialog::Rejected));
  }

  void AboutBoxOpensCentredOnTheScreen() {
    orv::TAboutBox box;
    box.show();
    const QPoint centre = box.screen()->availableGeometry().center();
    QVERIFY(qAbs(box.geometry().center().x() - centre.x()) <= 2);
    QVERIFY(qAbs(box.geometry().center().y() - centre.y()) <= 2);
  }
};

}  // namespace

QTEST_MAIN(StartupWindowsTest)
#include "startup_windows_test.moc"
