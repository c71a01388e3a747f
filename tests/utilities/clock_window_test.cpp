#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "utilities/Horloge1.h"
#include "utilities/spin_button.h"

using orv::ClockField;
using orv::THorloge;

class ClockWindowTest : public QObject {
  Q_OBJECT

 private:
  // A clock on a fake time source and a fake system clock: no test ever
  // touches the real clock.
  std::unique_ptr<THorloge> Open(const QDateTime& start) {
    now = start;
    setterCalls.clear();
    messages.clear();
    auto clock = std::make_unique<THorloge>();
    clock->SetNowSource([this] { return now; });
    clock->SetClockSetter([this](std::int64_t seconds) {
      setterCalls << seconds;
      return refusal;
    });
    clock->SetMessageBox([this](QWidget*, const QString& text) { messages << text; });
    clock->show();
    return clock;
  }

  static void Choose(THorloge& clock, const char* field) {
    clock.RadioGroup1->findChild<QRadioButton*>(field)->setChecked(true);
  }
  static void Up(THorloge& clock) { QTest::mouseClick(clock.SpinButton1->UpButton(), Qt::LeftButton); }
  static void Down(THorloge& clock) { QTest::mouseClick(clock.SpinButton1->DownButton(), Qt::LeftButton); }
  static QString Time(const THorloge& clock) { return clock.Label1->text(); }
  static QString Date(const THorloge& clock) { return clock.Label2->text(); }

  static std::int64_t Utc(int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900, tm.tm_mon = mo - 1, tm.tm_mday = d;
    tm.tm_hour = h, tm.tm_min = mi, tm.tm_sec = s;
    return timegm(&tm);
  }

  QDateTime now;
  QList<std::int64_t> setterCalls;
  QStringList messages;
  int refusal = 0;

  const QDateTime kOctober{QDate(1998, 10, 20), QTime(10, 30, 0)};

 private slots:
  void initTestCase() {
    if (QLocale::system().language() != QLocale::C) QSKIP("the tests expect the C locale (ctest sets it)");
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);  // Paris rules
    tzset();
  }

  void init() { refusal = 0; }

  // The fields in their order, none chosen until the learner picks one.
  void opensWithTheFieldsInOrderAndNoneChosen() {
    auto clock = Open(kOctober);
    QStringList items;
    for (auto* item : clock->RadioGroup1->findChildren<QRadioButton*>()) {
      items << item->text();
      QVERIFY(!item->isChecked());
    }
    QCOMPARE(items, (QStringList{"Hr", "Mn", "Jo", "Mo", "An"}));
    QCOMPARE(clock->SelectedField(), ClockField::None);
  }

  void showsRegionalTimeAndDate() {
    auto clock = Open(QDateTime(QDate(2026, 3, 5), QTime(7, 4, 9)));
    QCOMPARE(Time(*clock), QString("07:04:09"));
    QCOMPARE(Date(*clock), QString("05/03/2026"));
    QVERIFY(clock->Timer1->isActive());
    QCOMPARE(clock->Timer1->interval(), 1000);
  }

  void timeFormatDropsTheZone_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << "HH:mm:ss";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "HH:mm:ss";
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "h:mm:ss AP";
  }

  void timeFormatDropsTheZone() {
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QCOMPARE(THorloge::TimeFormat(locale), format);
  }

  void displayRunsEverySecond() {
    auto clock = Open(kOctober);
    clock->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(clock.get()));
    now = now.addSecs(1);
    QTest::qWait(200);
    QCOMPARE(Time(*clock), QString("10:30:00"));  // nothing but the tick refreshes
    QTRY_COMPARE_WITH_TIMEOUT(Time(*clock), QString("10:30:01"), 1500);
    now = now.addSecs(1);
    QTRY_COMPARE_WITH_TIMEOUT(Time(*clock), QString("10:30:02"), 1500);
  }

  void setFreezesAndSpinsTheChosenField() {
    auto clock = Open(QDateTime(QDate(1998, 10, 1), QTime(23, 59, 59)));
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    QVERIFY(clock->Model().SetMode());
    QVERIFY(!clock->Timer1->isActive());
    Choose(*clock, "Hr");
    Up(*clock);
    QCOMPARE(Time(*clock), QString("24:59:59"));
    Up(*clock);
    QCOMPARE(Time(*clock), QString("24:59:59"));
    Choose(*clock, "Jo");
    Down(*clock);
    QCOMPARE(Date(*clock), QString("00/10/1998"));
    Choose(*clock, "An");
    Up(*clock);
    QCOMPARE(Date(*clock), QString("00/10/1999"));
    QVERIFY(messages.isEmpty());
  }

  void arrowsDoNothingWithoutAField() {
    auto clock = Open(kOctober);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    Up(*clock);
    Down(*clock);
    QCOMPARE(Time(*clock), QString("10:30:00"));
    QCOMPARE(Date(*clock), QString("20/10/1998"));
  }

  void arrowKeysActOnTheFocusedSpinControl() {
    auto clock = Open(kOctober);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    Choose(*clock, "Mn");
    clock->SpinButton1->setFocus();
    QTest::keyClick(clock->SpinButton1, Qt::Key_Up);
    QTest::keyClick(clock->SpinButton1, Qt::Key_Up);
    QCOMPARE(Time(*clock), QString("10:32:00"));
    QTest::keyClick(clock->SpinButton1, Qt::Key_Down);
    QCOMPARE(Time(*clock), QString("10:31:00"));
  }

  void holdingAnArrowRepeats() {
    auto clock = Open(kOctober);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    Choose(*clock, "Mn");
    QToolButton* up = clock->SpinButton1->UpButton();
    QVERIFY(up->autoRepeat());
    QCOMPARE(up->autoRepeatDelay(), 400);
    QCOMPARE(up->autoRepeatInterval(), 100);
    QCOMPARE(clock->SpinButton1->DownButton()->autoRepeatDelay(), 400);
    QTest::mousePress(up, Qt::LeftButton);
    QTest::qWait(750);
    QTest::mouseRelease(up, Qt::LeftButton);
    const int steps = Time(*clock).mid(3, 2).toInt() - 30;
    QVERIFY2(steps >= 2 && steps <= 8, qPrintable(Time(*clock)));  // 1 without auto-repeat
  }

  void secondSetWritesTheLocalTimeAsUniversalTime() {
    auto clock = Open(kOctober);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    now = now.addSecs(5);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    // 10:30:00 summer time in Paris is 08:30:00 universal time.
    QCOMPARE(setterCalls, QList<std::int64_t>{Utc(1998, 10, 20, 8, 30, 0)});
    QVERIFY(messages.isEmpty());
    QVERIFY(!clock->Model().SetMode());
    QVERIFY(clock->Timer1->isActive());
    QCOMPARE(Time(*clock), QString("10:30:05"));
  }

  void adjustedWinterTimeIsWritten() {
    auto clock = Open(QDateTime(QDate(1998, 10, 30), QTime(23, 0, 0)));
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    Choose(*clock, "Mo");
    Up(*clock);
    Up(*clock);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    QCOMPARE(setterCalls, QList<std::int64_t>{Utc(1998, 12, 30, 22, 0, 0)});
  }

  void refusedSettingIsReported_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("spinField");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QString>("message");
    QTest::newRow("no right") << EPERM << "" << 1
        << "L'horloge système n'a pas été modifiée : vous n'avez pas le droit de la régler.";
    QTest::newRow("hour 24") << 0 << "Hr" << 0
        << "L'horloge système n'a pas été modifiée : la date ou l'heure indiquée n'existe pas.";
  }

  void refusedSettingIsReported() {
    QFETCH(int, error);
    QFETCH(QString, spinField);
    QFETCH(int, calls);
    QFETCH(QString, message);
    refusal = error;
    auto clock = Open(QDateTime(QDate(1998, 10, 20), QTime(23, 0, 0)));
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    if (!spinField.isEmpty()) {
      Choose(*clock, qPrintable(spinField));
      Up(*clock);
    }
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    QCOMPARE(setterCalls.size(), calls);
    QCOMPARE(messages, QStringList{message});
    QVERIFY(clock->Timer1->isActive());
  }

  void reopeningLeavesTheFrozenState() {
    auto clock = Open(kOctober);
    QTest::mouseClick(clock->Button2, Qt::LeftButton);
    Choose(*clock, "Hr");
    Up(*clock);
    clock->reject();
    QVERIFY(!clock->Timer1->isActive());
    now = now.addSecs(60);
    clock->show();
    QVERIFY(!clock->Model().SetMode());
    QCOMPARE(Time(*clock), QString("10:31:00"));
    QVERIFY(clock->Timer1->isActive());
    QCOMPARE(clock->SelectedField(), ClockField::Hour);  // the choice stays
    QVERIFY(setterCalls.isEmpty());
  }

  void timerRunsOnlyWhileTheWindowIsActive() {
    auto clock = Open(kOctober);
    clock->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(clock.get()));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!clock->Timer1->isActive());
    now = now.addSecs(7);
    clock->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(clock.get()));
    QVERIFY(clock->Timer1->isActive());
    QCOMPARE(Time(*clock), QString("10:30:07"));
  }

  void enterOffTheButtonsPressesNothing() {
    auto clock = Open(kOctober);
    auto* hour = clock->RadioGroup1->findChild<QRadioButton*>("Hr");
    hour->setFocus();
    QTest::keyClick(hour, Qt::Key_Return);
    clock->SpinButton1->setFocus();
    QTest::keyClick(clock->SpinButton1, Qt::Key_Enter);
    QVERIFY(clock->isVisible());
    QVERIFY(!clock->Model().SetMode());
    clock->Button2->setFocus();
    QTest::keyClick(clock->Button2, Qt::Key_Return);  // a focused button still takes it
    QVERIFY(clock->Model().SetMode());
  }

  void fermerHasTheFocusFirstThenTheLastControl() {
    auto clock = Open(kOctober);
    QCOMPARE(clock->focusWidget(), clock->Button1);
    clock->SpinButton1->setFocus();
    QTest::keyClick(clock->SpinButton1, Qt::Key_Escape);
    QVERIFY(!clock->isVisible());
    clock->show();
    QCOMPARE(clock->focusWidget(), clock->SpinButton1);
    QTest::mouseClick(clock->Button1, Qt::LeftButton);
    QVERIFY(!clock->isVisible());
  }
};

QTEST_MAIN(ClockWindowTest)
#include "clock_window_test.moc"
