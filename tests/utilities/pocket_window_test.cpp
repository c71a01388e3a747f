#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "common/gui/regional.h"
#include "utilities/Pocket1.h"

using orv::PocketKey;
using orv::TPocket;

class PocketWindowTest : public QObject {
  Q_OBJECT

 private:
  // Opens a fresh calculator whose error box records its messages.
  std::unique_ptr<TPocket> Open() {
    auto pocket = std::make_unique<TPocket>();
    messages.clear();
    pocket->SetMessageBox([this](QWidget* parent, const QString& text) {
      QVERIFY(parent != nullptr);
      messages << text;
    });
    pocket->show();
    return pocket;
  }

  // Types characters at whatever has the keyboard focus, as a user would.
  static void Type(TPocket& pocket, const QString& text) {
    for (QChar c : text) {
      QWidget* target = pocket.focusWidget() ? pocket.focusWidget() : &pocket;
      QTest::keyClick(target, c.toLatin1());
    }
  }

  static QString Shown(const TPocket& pocket) { return pocket.Label1->text(); }

  QStringList messages;

 private slots:
  void initTestCase() {
    if (QLocale::system().language() != QLocale::C) QSKIP("the tests expect the C locale (ctest sets it)");
    QCOMPARE(orv::RegionalLocale().name(), QString("fr_FR"));
  }

  // Each button shows the key it sends (the clicks below go by caption).
  void everyButtonShowsItsKey() {
    auto pocket = Open();
    const char* captions[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                              ",", "=", "+", "-", "*", "/", "1/x", "sqr", "C", "Fermer"};
    for (int i = 0; i < 20; ++i) {
      auto* button = pocket->findChild<QPushButton*>(QString("Button%1").arg(i));
      QVERIFY2(button, qPrintable(QString("Button%1").arg(i)));
      QCOMPARE(button->text(), QString(captions[i]));
    }
  }

  void keypadClicksCompute() {
    auto pocket = Open();
    for (const char* name : {"Button2", "Button12", "Button3", "Button14", "Button4", "Button11"})
      QTest::mouseClick(pocket->findChild<QPushButton*>(name), Qt::LeftButton);
    QCOMPARE(Shown(*pocket), QString("20"));
  }

  void keyboardMap_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("no precedence") << "2+3*4=" << "20";
    QTest::newRow("reciprocal by x") << "4+5x=" << "0,4";
    QTest::newRow("square root by S") << "9S" << "3";
    QTest::newRow("point types the comma") << "1.5*2=" << "3";
    QTest::newRow("clear by c") << "5+3c7=" << "7";
    QTest::newRow("unmapped ignored") << "1a2%b=" << "12";
  }

  void keyboardMap() {
    QFETCH(QString, keys);
    QFETCH(QString, display);
    auto pocket = Open();
    Type(*pocket, keys);
    QCOMPARE(Shown(*pocket), display);
    QVERIFY(messages.isEmpty());
  }

  void typedKeyTakesTheFocusAndKeepsTheMap() {
    auto pocket = Open();
    Type(*pocket, "9s");
    QCOMPARE(pocket->focusWidget(), pocket->KeyButton(PocketKey::SquareRoot));
    Type(*pocket, "x");
    QCOMPARE(pocket->focusWidget(), pocket->KeyButton(PocketKey::Reciprocal));
    QCOMPARE(Shown(*pocket), QString("0,333333333333333"));
    Type(*pocket, "7");  // the keyboard still works from the "1/x" key
    QCOMPARE(Shown(*pocket), QString("7"));
    QCOMPARE(pocket->focusWidget(), pocket->KeyButton(PocketKey::Digit7));
  }

  void faultsGoToTheErrorBoxAndKeepTheDisplay() {
    auto pocket = Open();
    Type(*pocket, "0x");
    QCOMPARE(messages, QStringList{"Division flottante par zéro"});
    QCOMPARE(Shown(*pocket), QString("0"));
    Type(*pocket, "c5+1,2,3=");
    QCOMPARE(messages.last(), QString("'1,2,3' n'est pas une valeur flottante correcte"));
    QCOMPARE(Shown(*pocket), QString("1,2,3"));
  }

  void firstEqualsOnEmptyDisplayIsSilent() {
    auto pocket = Open();
    Type(*pocket, "=");
    QCOMPARE(Shown(*pocket), QString());
    QVERIFY(messages.isEmpty());
  }

  void escapeClosesFromAnyKey_data() {
    QTest::addColumn<int>("key");
    for (int i : {0, 11, 16, 17, 19}) QTest::newRow(qPrintable(QString("Button%1").arg(i))) << i;
  }

  void escapeClosesFromAnyKey() {
    QFETCH(int, key);
    auto pocket = Open();
    pocket->Buttons[key]->setFocus();
    QTest::keyClick(pocket->Buttons[key], Qt::Key_Escape);
    QVERIFY(!pocket->isVisible());
  }

  void fermerCloses() {
    auto pocket = Open();
    QTest::mouseClick(pocket->Buttons[19], Qt::LeftButton);
    QVERIFY(!pocket->isVisible());
  }

  void everyOpeningStartsCleared() {
    auto pocket = Open();
    Type(*pocket, "5+3");
    pocket->reject();
    pocket->show();
    QCOMPARE(Shown(*pocket), QString());
    QCOMPARE(pocket->Model().PendingOp(), 0);
    QVERIFY(!pocket->Model().HasAccumulator());
    QCOMPARE(pocket->focusWidget(), pocket->KeyButton(PocketKey::Equals));
    Type(*pocket, "4=");
    QCOMPARE(Shown(*pocket), QString("4"));  // the "+" of before is forgotten
  }
};

QTEST_MAIN(PocketWindowTest)
#include "pocket_window_test.moc"
