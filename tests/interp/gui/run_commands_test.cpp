// The run commands of the editor window with the interpreter's windows.
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "editor/Childwin.h"
#include "french_numeric.h"
#include "run_test_support.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "common/gui/qt_text.h"
#include "interp/gui/session.h"

using namespace orv;
using test::WhenModal;

namespace {

const QString kStep = QString(QChar(0x2022));   // "•"
const QString kBreak = QString(QChar(0x00BB));  // "»"

QString Line(TEditeur& editor, int i) { return FromCp1252(editor.Lines().Line(i)); }

}  // namespace

class RunCommandsTest : public QObject {
  Q_OBJECT

 private:
  TEditeur* editor = nullptr;
  QStringList messages;

  void SetText(const QString& text) { editor->Memo1->setPlainText(text); }
  static QString Program(const QString& declarations, const QString& body) {
    return "import java.util.*;\nclass Essai\n{\n" + declarations +
           " public static void main(String args[])\n {\n" + body + " }\n}";
  }

 private slots:
  void init() { editor = test::NewRunEditor("OrvJava - Java1.java", messages); }
  void cleanup() {
    editor->SetModified(false);
    editor->close();
    QApplication::processEvents();
  }

  void stepModeMarksTheLineUnderTheMainHeader() {
    editor->Pasapas(true);
    editor->Executer();
    QCOMPARE(Line(*editor, 7), kStep + " {");
    QCOMPARE(editor->CaretLine(), 7);
    QCOMPARE(editor->CaretOffset(), editor->LineOffset(7));
    QCOMPARE(Interpreter().ResumeLine, 7);
    QCOMPARE(Interpreter().Ecran().windowTitle(), QString("Orv Java - Java1.java"));
  }

  void resumesMoveTheMarkerAndARunRemovesEveryMarker() {
    editor->Pasapas(true);
    editor->Executer();
    editor->Continuer2();
    QCOMPARE(Line(*editor, 7), QString(" {"));
    QCOMPARE(Line(*editor, 8), kStep + "  ");
    editor->Continuer2();
    QCOMPARE(Line(*editor, 8), QString("  "));
    QCOMPARE(Line(*editor, 9), kStep + " }");
    // Markers left anywhere go at the next run.
    editor->Lines().SetLine(3, "\x95 static int i;");
    editor->Pasapas(false);
    editor->Executer();
    for (int i = 0; i < editor->Lines().Count(); ++i) QVERIFY(!Line(*editor, i).startsWith(kStep));
  }

  void toggleTwiceRestoresTheLineAndKeepsTheResumePoint() {
    editor->CaretToLine(4);
    Interpreter().ResumeLine = 9;
    editor->Arret();
    QCOMPARE(Line(*editor, 4), kBreak + " static float r;");
    QCOMPARE(Interpreter().ResumeLine, 9);
    QCOMPARE(editor->CaretLine(), 4);
    editor->Arret();
    QCOMPARE(Line(*editor, 4), QString(" static float r;"));
    QCOMPARE(editor->CaretOffset(), editor->LineOffset(4));
  }

  void breakpointStopsTheRunAndResumeGoesPastIt() {
    SetText(Program(" static int i;\n", "  i = 1;\n" + kBreak + "  i = 2;\n  i = 3;\n"));
    editor->Executer();
    QCOMPARE(Interpreter().ResumeLine, 7);
    QCOMPARE(editor->CaretLine(), 7);
    QCOMPARE(QString::fromStdString(Interpreter().Interpreter().Examiner("i")), QString("1"));
    editor->Continuer2();
    QCOMPARE(QString::fromStdString(Interpreter().Interpreter().Examiner("i")), QString("3"));
    QVERIFY(messages.isEmpty());
    QCOMPARE(Line(*editor, 7), kBreak + "  i = 2;");
  }

  void anErrorPutsTheCaretOnTheFailingLine() {
    SetText(Program(" static int i;\n", "  i = 1;\n  i = zz;\n"));
    editor->CaretToLine(0);
    editor->Executer();
    QCOMPARE(messages, QStringList{"Erreur dans expression"});
    QCOMPARE(editor->CaretLine(), 7);
  }

  void outputIsDrawnOnTheScreenAndKept() {
    SetText(Program("", "  System.out.println(\"Bonjour\");\n  System.out.print(\"Monde\");\n"));
    editor->Executer();
    TEcran& ecran = Interpreter().Ecran();
    QVERIFY(ecran.isVisible());
    const QImage image = ecran.Snapshot();
    auto inkIn = [&](QRect area) {
      int dark = 0;
      for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x)
          if (qGray(image.pixel(x, y)) < 128) ++dark;
      return dark;
    };
    const int width = ecran.TextWidth("Bonjour");
    QVERIFY(inkIn(QRect(0, 0, width, 17)) > 20);          // first line at the top
    QVERIFY(inkIn(QRect(0, 18, ecran.TextWidth("Monde"), 17)) > 20);  // 18 pixels lower
    QCOMPARE(inkIn(QRect(width + 5, 0, 200, 17)), 0);
    // Hiding and showing the screen erases nothing.
    ecran.hide();
    ecran.ShowScreen();
    QCOMPARE(ecran.Snapshot(), image);
  }

  void outputBelowTheWindowCanBeScrolledTo() {
    QString body;
    for (int i = 0; i < 40; ++i) body += "  System.out.println(\"ligne\");\n";
    SetText(Program("", body));
    editor->Executer();
    QVERIFY(Interpreter().Ecran().Snapshot().height() > 39 * 18);  // the 40th line
  }

  void theKeyboardBoxFeedsTheProgram() {
    SetText(Program(" static String s;\n static int n;\n",
                    "  FGETS(System.in, s);\n  FGETS(System.in, n);\n  n = n + 1;\n"));
    auto type = [](const QString& text) {
      WhenModal([text](QWidget* modal) {
        auto* box = qobject_cast<TForm12*>(modal);
        QVERIFY(box);
        QVERIFY(box->Edit1->text().isEmpty());  // emptied at every activation
        QTest::keyClicks(box->Edit1, text);
        QTest::keyClick(box->Edit1, Qt::Key_Return);
      });
    };
    type("Élise");
    QTimer::singleShot(50, [type] { type("41"); });
    editor->Executer();
    TForm3& t = Interpreter().Interpreter();
    QCOMPARE(FromCp1252(t.Examiner("s")), QString("Élise"));
    QCOMPARE(QString::fromStdString(t.Examiner("n")), QString("42"));
    QVERIFY(messages.isEmpty());
  }

  void escapeInterruptsARunThatResumes() {
    SetText(Program(" static int i, n;\n", "  while (i < 1)\n  {\n   n++;\n  }\n"));
    QTimer::singleShot(100, [this] { QTest::keyClick(editor->Memo1, Qt::Key_Escape); });
    editor->Executer();
    QCOMPARE(messages, QStringList{"Programme interrompu"});
    QVERIFY(Interpreter().Interpreter().Interrupted());
    const int counted = std::stoi(Interpreter().Interpreter().Examiner("n"));
    QVERIFY(counted > 0);
    QVERIFY(!editor->RunReadOnly());
    QTimer::singleShot(100, [] { QTest::keyClick(&Interpreter().Ecran(), Qt::Key_Escape); });
    editor->Continuer2();
    QVERIFY(std::stoi(Interpreter().Interpreter().Examiner("n")) > counted);
  }

  // Échap in the keyboard box, or Ctrl+Pause, stops the program waiting
  // there; the line that reads is where the run stopped.
  void theKeyboardBoxCanInterrupt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Échap") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+Pause") << int(Qt::Key_Pause) << int(Qt::ControlModifier);
  }
  void theKeyboardBoxCanInterrupt() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    SetText(Program(" static String s;\n static int n;\n", "  FGETS(System.in, s);\n  n = 1;\n"));
    WhenModal([key, modifiers](QWidget* modal) {
      QVERIFY(qobject_cast<TForm12*>(modal));
      QTest::keyClick(modal->focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    });
    editor->Executer();
    QCOMPARE(messages, QStringList{"Programme interrompu"});
    QVERIFY(!Form12Window().isVisible());
    QCOMPARE(QString::fromStdString(Interpreter().Interpreter().Examiner("n")), QString("0"));
    QCOMPARE(editor->CaretLine(), 7);
  }

  // A whole step-by-step walk ends like an uninterrupted run: no false error,
  // no marker left, and one more resume starts again from main.
  void aStepWalkEndsCleanly_data() {
    QTest::addColumn<QString>("body");
    QTest::newRow("one line") << "  System.out.println(\"Bonjour\");\n";
    QTest::newRow("for loop") << "  for (i=1; i<=3; i++)\n  {\n   n = n + i;\n  }\n";
  }
  void aStepWalkEndsCleanly() {
    QFETCH(QString, body);
    SetText(Program(" static int i, n;\n", body));
    editor->Pasapas(true);
    editor->Executer();
    int steps = 0;
    while (Interpreter().Interpreter().RunState != kFinished && steps++ < 100) {
      editor->Continuer2();
      // At a loop's end its closing brace, where the next step runs, is lit
      // and left unmarked.
      if (Interpreter().Interpreter().RunState == kStoppedBeforeCloser) {
        const int brace = Interpreter().ResumeLine - 1;
        QCOMPARE(Line(*editor, brace), QString("  }"));
        QCOMPARE(editor->LineBackground(brace), TEditeur::StepLineColor());
        QCOMPARE(editor->LineBackground(brace + 1), editor->LineBackground(0));
      }
    }
    QVERIFY(messages.isEmpty());
    QVERIFY(!editor->Memo1->toPlainText().contains(kStep));
    const QString n = QString::fromStdString(Interpreter().Interpreter().Examiner("n"));
    QCOMPARE(n, body.contains("for") ? QString("6") : QString("0"));
    QCOMPARE(Interpreter().ResumeLine, 4);  // main's header
    editor->Continuer2();  // starts again from main, one line
    QVERIFY(messages.isEmpty());
    QCOMPARE(Line(*editor, 5), kStep + " {");
  }

  void aFreshRunClearsTheScreenAResumeDoesNot() {
    TEcran& ecran = Interpreter().Ecran();
    SetText(Program("", "  System.out.println(\"Bonjour Zoé\");\n"));
    editor->Executer();
    SetText(Program(" static int i;\n", "  System.out.println(\"2\");\n" + kBreak + "  i = 1;\n  System.out.println(\"3\");\n"));
    editor->Executer();
    const QImage afterRun = ecran.Snapshot();
    int ink = 0;
    for (int y = 0; y < std::min(afterRun.height(), 18); ++y)
      for (int x = ecran.TextWidth("2") + 2; x < afterRun.width(); ++x) ink += qGray(afterRun.pixel(x, y)) < 128;
    QCOMPARE(ink, 0);  // nothing of "Bonjour Zoé" beside the "2"
    editor->Continuer2();
    QVERIFY(ecran.Snapshot().height() > 18);  // the resume added a line below
    QCOMPARE(Interpreter().Interpreter().RunState, kFinished);
    editor->Continuer2();  // after the end, a resume is a fresh run
    QCOMPARE(ecran.Transcript(), QString("2\n"));
    QVERIFY(ecran.Snapshot().height() <= 18);
  }

  void theTextIsReadOnlyDuringARunAndTheWindowCannotClose() {
    SetText(Program(" static int i, n;\n", "  while (i < 1)\n  {\n   n++;\n  }\n"));
    bool readOnly = false, closed = true;
    QTimer::singleShot(50, [&] {
      readOnly = editor->Memo1->isReadOnly();
      closed = editor->close();
    });
    editor->Executer();
    QVERIFY(readOnly);
    QVERIFY(!closed);  // the close interrupted the run instead
    QCOMPARE(messages, QStringList{"Programme interrompu"});
  }

  void listingOfTheDefaultProgram() {
    editor->Executer();
    Interpreter().Stats();
    TTableSymboles& table = TableSymbolesWindow();
    QVERIFY(table.isVisible());
    QCOMPARE(table.windowTitle(), QString("Table des Symboles"));
    QStringList shown;
    for (int i = 0; i < table.ListBox1->count(); ++i) shown << table.ListBox1->item(i)->text();
    QTest::keyClick(table.ListBox1, Qt::Key_Escape);
    QVERIFY(!table.isVisible());
    QCOMPARE(shown.mid(0, 3), (QStringList{"i , I , 1", "r , R , 1", "c , C , 1"}));
    QCOMPARE(shown.mid(5), (QStringList{"Void : 0", "Etiquettes : 0", "Var String : 0", "Var Char : 1",
                                        "Var Int : 1", "Var Float : 1", "Var File : 0",
                                        "Eléments en pile : 0"}));
  }

  void examineShowsValuesAndUnknownNames() {
    SetText(Program(" static int i;\n static float r;\n", "  i = 12;\n  r = 0.5f;\n"));
    editor->Executer();
    Interpreter().Examiner();
    TVariable& dialog = VariableWindow();
    QVERIFY(dialog.isVisible());
    QStringList results;
    for (const char* name : {"i", "r", "inconnu"}) {
      dialog.Edit1->setText(name);
      QTest::keyClick(dialog.Edit1, Qt::Key_Return);
      results << dialog.Edit2->text();
      QCOMPARE(dialog.Edit1->selectedText(), QString(name));
    }
    QVERIFY(dialog.isVisible());  // Enter evaluates, it does not close
    QTest::keyClick(dialog.Edit1, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(results, (QStringList{"12", "0.5", "Variable inconnue"}));
    QVERIFY(messages.isEmpty());
  }

  // On a French desktop the C library writes "2,5": nothing the interpreter
  // shows or stores may follow it. The same program through the runner, in
  // the C locale, is the reference.
  void floatsReadTheSameOnAFrenchDesktop() {
    test::FrenchNumericLocale french;
    if (!french.Active()) QSKIP("the fr_FR.UTF-8 locale is missing (scripts/deps makes it)");
    QTemporaryDir here, there;
    for (const QTemporaryDir* dir : {&here, &there}) {
      QFile numbers(dir->filePath("nombres.txt"));
      QVERIFY(numbers.open(QIODevice::WriteOnly));
      numbers.write("8.5\r\n0.25\r\n");
    }
    const QString program = Program(" static float r, q, a, b, k, m;\n static File f, g;\n",
        "  r = 2.5f;\n  q = r * 2f;\n  System.out.println(q);\n  q = r / 4f;\n  System.out.println(q);\n"
        "  q = Math.sqrt(r);\n  System.out.println(q);\n  q = Math.exp(r) - Math.log(r);\n  System.out.println(q);\n"
        "  f = new File(\"nombres.txt\");\n  FileInputStream entree = new FileInputStream(f);\n"
        "  FGETS(f, a);\n  FGETS(f, b);\n  f.close();\n  q = a + b;\n  System.out.println(q);\n"
        "  g = new File(\"sortie.txt\");\n  FileOutputStream sortie = new FileOutputStream(g);\n"
        "  FPUTS(r, g);\n  FPUTS(q, g);\n  g.close();\n  FGETS(System.in, k);\n  FGETS(System.in, m);\n"
        "  q = k * m;\n  System.out.println(q);\n");
    QFile source(there.filePath("Essai.java"));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(program.toLatin1());
    source.close();
    QProcess runner;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    runner.setProcessEnvironment(environment);
    runner.setWorkingDirectory(there.path());
    runner.start(ORV_RUNNER, {source.fileName()});
    runner.write("8,5\n8.5\n");
    runner.closeWriteChannel();
    QVERIFY(runner.waitForFinished(10000));
    QCOMPARE(runner.exitCode(), 0);
    const QString expected = QString::fromUtf8(runner.readAllStandardOutput());
    QVERIFY(expected.startsWith("5\n0.625\n1.58113883008446\n"));

    const QString before = QDir::currentPath();
    QDir::setCurrent(here.path());
    SetText(program);
    auto type = [](const QString& text) {
      WhenModal([text](QWidget* modal) {
        QTest::keyClicks(qobject_cast<TForm12*>(modal)->Edit1, text);
        QTest::keyClick(qobject_cast<TForm12*>(modal)->Edit1, Qt::Key_Return);
      });
    };
    type("8,5");
    QTimer::singleShot(50, [type] { type("8.5"); });
    editor->Executer();
    QDir::setCurrent(before);
    QVERIFY(messages.isEmpty());
    // The keyboard's lines are echoed where the program reads them.
    QStringList shown = Interpreter().Ecran().Transcript().split('\n');
    QCOMPARE(shown.mid(5, 2), (QStringList{"8,5", "8.5"}));
    shown.remove(5, 2);
    QCOMPARE(shown.join('\n'), expected);
    QFile written(here.filePath("sortie.txt")), reference(there.filePath("sortie.txt"));
    QVERIFY(written.open(QIODevice::ReadOnly) && reference.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), reference.readAll());

    Interpreter().Stats();
    TTableSymboles& table = TableSymbolesWindow();
    QMap<QString, QString> listed;
    for (int i = 0; i < table.ListBox1->count(); ++i)
      listed[table.ListBox1->item(i)->text().section(' ', 0, 0)] = table.Value(i);
    table.close();
    const QMap<QString, QString> values{{"r", "2.5"}, {"a", "8.5"}, {"b", "0.25"}, {"q", "72.25"}, {"k", "8.5"}, {"m", "8.5"}};
    for (auto [name, value] : values.asKeyValueRange()) {
      QCOMPARE(listed.value(name), value);
      QCOMPARE(QString::fromStdString(Interpreter().Interpreter().Examiner(name.toStdString())), value);
    }
  }

  void printerLinesAreSentAsOneJob() {
    SetText(Program(" static int i;\n", "  FPUTS(\"un\", PRN:);\n  FPUTS(\"deux\", PRN:);\n  PRN:.close();\n"));
    QStringList printed;
    GuiHost& host = Interpreter().Host();
    host.hasPrinter = [] { return true; };
    host.printer.print = [&printed](const QStringList& lines) {
      printed = lines;
      return true;
    };
    editor->Executer();
    host.hasPrinter = nullptr;
    host.printer.print = nullptr;
    QVERIFY(messages.isEmpty());
    QCOMPARE(printed, (QStringList{"un", "deux"}));
  }
};

QTEST_MAIN(RunCommandsTest)
#include "run_commands_test.moc"
