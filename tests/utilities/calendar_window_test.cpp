#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "utilities/Calend.h"
#include "utilities/month_grid.h"

using orv::MonthGrid;
using orv::TCalendrier;

class CalendarWindowTest : public QObject {
  Q_OBJECT

 private:
  static std::unique_ptr<TCalendrier> Open(QDate today) {
    auto calendar = std::make_unique<TCalendrier>(nullptr, today);
    calendar->show();
    return calendar;
  }

  static void ClickCell(TCalendrier& calendar, int row, int column) {
    QTest::mouseClick(calendar.Calendar1, Qt::LeftButton, {},
                      calendar.Calendar1->CellRect(row, column).center());
  }

 private slots:
  void initTestCase() {
    if (QLocale::system().language() != QLocale::C) QSKIP("the tests expect the C locale (ctest sets it)");
  }

  void firstOpeningShowsTodaysMonth() {
    auto calendar = Open(QDate(1998, 10, 20));
    QCOMPARE(calendar->Label1->text(), QString("octobre  1998"));
    QCOMPARE(calendar->Date(), QDate(1998, 10, 20));
    QCOMPARE(calendar->focusWidget(), calendar->Calendar1);
    QVERIFY(!calendar->BitBtn1->icon().isNull());  // the month buttons tell their way only by it
  }

  void gridHasSundayFirstHeaderAndDays() {
    auto calendar = Open(QDate(1998, 10, 20));  // 1 October 1998 was a Thursday
    const MonthGrid& grid = *calendar->Calendar1;
    QStringList header;
    for (int column = 0; column < 7; ++column) header << grid.CellText(0, column);
    QCOMPARE(header, (QStringList{"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."}));
    QCOMPARE(grid.CellText(1, 3), QString());
    QCOMPARE(grid.CellText(1, 4), QString("1"));
    QCOMPARE(grid.CellText(5, 6), QString("31"));
    QCOMPARE(grid.CellText(6, 0), QString());
    // All seven rows share the grid's height, with no scroll bars.
    QCOMPARE(grid.CellRect(6, 6).bottomRight(), grid.rect().bottomRight());
    QCOMPARE(grid.CellRect(0, 0).topLeft(), QPoint(0, 0));
  }

  void monthButtonsClampTheDay_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<bool>("next");
    QTest::addColumn<QDate>("result");
    QTest::addColumn<QString>("title");
    QTest::newRow("31 March back") << QDate(1999, 3, 31) << false << QDate(1999, 2, 28) << "février  1999";
    QTest::newRow("31 January on") << QDate(2000, 1, 31) << true << QDate(2000, 2, 29) << "février  2000";
    QTest::newRow("December on") << QDate(1998, 12, 5) << true << QDate(1999, 1, 5) << "janvier  1999";
    QTest::newRow("January back") << QDate(1999, 1, 5) << false << QDate(1998, 12, 5) << "décembre  1998";
  }

  void monthButtonsClampTheDay() {
    QFETCH(QDate, start);
    QFETCH(bool, next);
    QFETCH(QDate, result);
    QFETCH(QString, title);
    auto calendar = Open(start);
    QTest::mouseClick(next ? calendar->BitBtn2 : calendar->BitBtn1, Qt::LeftButton);
    QCOMPARE(calendar->Date(), result);
    QCOMPARE(calendar->Label1->text(), title);
  }

  void pageKeysWorkFromGridAndButtons_data() {
    QTest::addColumn<QString>("focus");
    for (const char* name : {"Calendar1", "BitBtn1", "BitBtn2", "Button1"}) QTest::newRow(name) << name;
  }

  void pageKeysWorkFromGridAndButtons() {
    QFETCH(QString, focus);
    auto calendar = Open(QDate(1998, 10, 20));
    auto* target = calendar->findChild<QWidget*>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_PageDown);
    QCOMPARE(calendar->Date(), QDate(1998, 11, 20));
    QTest::keyClick(target, Qt::Key_PageUp);
    QTest::keyClick(target, Qt::Key_PageUp);
    QCOMPARE(calendar->Date(), QDate(1998, 9, 20));
    QCOMPARE(calendar->Label1->text(), QString("septembre  1998"));
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!calendar->isVisible());
  }

  void clickingChoosesADayButNotAnEmptyCell() {
    auto calendar = Open(QDate(1998, 10, 20));
    ClickCell(*calendar, 1, 0);  // before the 1st
    QCOMPARE(calendar->Date(), QDate(1998, 10, 20));
    ClickCell(*calendar, 6, 6);  // after the 31st
    QCOMPARE(calendar->Date(), QDate(1998, 10, 20));
    ClickCell(*calendar, 3, 4);
    QCOMPARE(calendar->Date(), QDate(1998, 10, 15));
    ClickCell(*calendar, 0, 4);  // the header
    QCOMPARE(calendar->Date(), QDate(1998, 10, 15));
  }

  void arrowKeysMoveInsideTheMonth() {
    auto calendar = Open(QDate(1998, 10, 2));
    QWidget* grid = calendar->Calendar1;
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(calendar->Date(), QDate(1998, 10, 3));
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(calendar->Date(), QDate(1998, 10, 10));
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Up);  // would leave the month
    QCOMPARE(calendar->Date(), QDate(1998, 10, 3));
    QTest::keyClick(grid, Qt::Key_End);
    QCOMPARE(calendar->Date(), QDate(1998, 10, 31));
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(calendar->Date(), QDate(1998, 10, 31));
    QCOMPARE(calendar->Label1->text(), QString("octobre  1998"));
  }

  void enterOnTheGridPressesNoButton() {
    auto calendar = Open(QDate(1998, 10, 20));
    QTest::keyClick(calendar->Calendar1, Qt::Key_Return);
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->Date(), QDate(1998, 10, 20));
  }

  void reopeningKeepsTheDateAndTheFocus() {
    auto calendar = Open(QDate(1998, 10, 20));
    calendar->BitBtn2->setFocus();
    QTest::keyClick(calendar->BitBtn2, Qt::Key_PageDown);
    QTest::mouseClick(calendar->Button1, Qt::LeftButton);
    QVERIFY(!calendar->isVisible());
    calendar->show();
    QCOMPARE(calendar->Date(), QDate(1998, 11, 20));
    QCOMPARE(calendar->Label1->text(), QString("novembre  1998"));
    QCOMPARE(calendar->focusWidget(), calendar->Button1);
  }
};

QTEST_MAIN(CalendarWindowTest)
#include "calendar_window_test.moc"
