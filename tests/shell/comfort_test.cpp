// What the environment adds for the learner's comfort: line numbers, the
// caret's place, zoom, recent files, recovery after a crash, files from the
// command line. Settings go to a temporary folder.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSettings>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "editor/Childwin.h"
#include "editor/line_gutter.h"
#include "common/gui/qt_text.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/input_box.h"
#include "interp/gui/session.h"
#include "common/gui/view_settings.h"
#include "shell/Main.h"
#include "shell/help/help_viewer.h"
#include "shell/recent_files.h"
#include "shell/recovery.h"
#include "shell/startup.h"
#include "tests/editor/editor_test_support.h"

using namespace orv;

namespace {

// Types `text` and Enter in the keyboard box as soon as a program opens it.
void TypeInKeyboardBox(const QString& text) {
  auto* box = qobject_cast<TForm12*>(QApplication::activeModalWidget());
  if (!box) {
    QTimer::singleShot(10, [text] { TypeInKeyboardBox(text); });
    return;
  }
  QTest::keyClicks(box->Edit1, text);
  QTest::keyClick(box->Edit1, Qt::Key_Return);
}

}  // namespace

class ComfortTest : public QObject {
  Q_OBJECT

  QTemporaryDir settings, files;
  TMainForm* main = nullptr;
  QStringList messages;

  // A program whose class is named after its file (no message on opening).
  QString File(const QString& name) {
    const QString path = files.filePath(name);
    test::WriteBytes(path, "import java.util.*;\r\nclass " + QFileInfo(name).baseName().toLatin1() + "\r\n{\r\n}\r\n");
    return path;
  }
  int EditorCount() const { return static_cast<int>(main->MdiArea()->subWindowList().size()); }
  void CloseAll() {
    for (TEditeur* editor : main->Editors()) editor->SetModified(false);
    main->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
  }
  QStringList RecentEntries() {
    QMenu* menu = main->Menu("File1");
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList entries;
    for (QAction* action : menu->actions())
      if (action->text().startsWith('&') && action->text().at(1).isDigit()) entries << action->text();
    return entries;
  }

 private slots:
  void initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    main = CreateWindows();
    main->message = [this](const QString& m) { messages << m; };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
  }
  void cleanup() {
    CloseAll();
    messages.clear();
  }

  void theGutterFitsTheLineCount() {
    main->FileNewItemClick();
    TColorMemo* memo = main->ActiveEditor()->Memo1;
    QVERIFY(memo->LineNumbersVisible());
    auto widthFor = [memo](int lines) {
      memo->setPlainText(QString("x\n").repeated(lines - 1) + "x");
      return memo->Gutter()->WantedWidth();
    };
    const int digit = QFontMetrics(memo->font()).horizontalAdvance(u'9');
    const int nine = widthFor(9), ten = widthFor(10), hundred = widthFor(100);
    QCOMPARE(ten - nine, digit);
    QCOMPARE(hundred - ten, digit);
    QCOMPARE(memo->viewport()->geometry().left(), hundred + 3);  // the text starts right of the numbers
    QCOMPARE(memo->Gutter()->width(), hundred);
  }

  void lineNumbersAreSwitchedForEveryEditorAndRemembered() {
    main->FileNewItemClick();
    main->FileNewItemClick();
    QAction* item = main->Action("NumerosLigne1");
    QVERIFY(item->isChecked());
    item->trigger();
    for (TEditeur* editor : main->Editors()) {
      QVERIFY(!editor->Memo1->LineNumbersVisible());
      QCOMPARE(editor->Memo1->viewport()->geometry().left(), 3);
    }
    QCOMPARE(Setting("editeur/numerosDeLigne").toBool(), false);
    main->FileNewItemClick();
    QVERIFY(!main->ActiveEditor()->Memo1->LineNumbersVisible());  // a new window follows
    item->trigger();
    QVERIFY(main->ActiveEditor()->Memo1->LineNumbersVisible());
  }

  void theStatusBarShowsTheCaretAndCtrlGMovesIt() {
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    QCOMPARE(main->CaretPanel->text(), QString("Ligne 9, col 3"));  // the blank line inside main
    test::TFakeDialogs dialogs;
    editor->SetDialogs(&dialogs);
    dialogs.LineNumbers = {4};
    main->Action("AllerLigne1")->trigger();
    QCOMPARE(editor->CaretLine(), 3);
    QCOMPARE(main->CaretPanel->text(), QString("Ligne 4, col 1"));
    dialogs.LineNumbers = {999};  // beyond the end: the last line
    main->Action("AllerLigne1")->trigger();
    QCOMPARE(editor->CaretLine(), 10);
    QCOMPARE(main->Action("AllerLigne1")->shortcut(), QKeySequence("Ctrl+G"));
    editor->SetDialogs(nullptr);
  }

  // Ctrl++ / Ctrl+- / Ctrl+0 step through the levels; a new window opens at
  // the last level, and the help viewer keeps its own.
  void zoomLevelsAreRemembered() {
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    QTest::keyClick(editor->Memo1, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(editor->Memo1, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(editor->Zoom(), 125);
    QCOMPARE(editor->Memo1->font().pixelSize(), 21);
    QCOMPARE(editor->font().pixelSize(), 17);  // printing keeps the window's own size
    QTest::keyClick(editor->Memo1, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(editor->Zoom(), 110);
    main->FileNewItemClick();
    QCOMPARE(main->ActiveEditor()->Zoom(), 110);
    QTest::keyClick(main->ActiveEditor()->Memo1, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(main->ActiveEditor()->Zoom(), 100);
    QCOMPARE(Setting("zoom/editeur").toInt(), 100);
    main->ShowHelpTopic(6);
    const qreal before = main->Aide->Browser->font().pointSizeF();
    main->Aide->ZoomBy(3);
    QCOMPARE(main->Aide->Zoom(), 150);
    QCOMPARE(main->Aide->Browser->font().pointSizeF(), before * 1.5);
    QCOMPARE(Setting("zoom/aide").toInt(), 150);
    main->Aide->ZoomBy(0);
    main->Aide->close();
  }

  void recentFilesAreListedNewestFirstAndMissingOnesDropped() {
    QStringList list;
    for (int i = 1; i <= 9; ++i) list = WithRecentFile(list, files.filePath(QString("F%1.java").arg(i)));
    QCOMPARE(list.size(), kRecentFiles);
    QCOMPARE(list.front(), files.filePath("F9.java"));
    QCOMPARE(list.back(), files.filePath("F2.java"));
    list = WithRecentFile(list, files.filePath("sub/../F5.java"));  // the same file comes to the front
    QCOMPARE(list.size(), kRecentFiles);
    QCOMPARE(list.front(), files.filePath("F5.java"));
    QCOMPARE(list.count(files.filePath("F5.java")), 1);

    SetSetting("fichiers/recents", QStringList());
    const QString a = File("A.java"), b = File("B.java");
    main->OpenEditor(a);
    main->OpenEditor(b);
    TEditeur* editor = main->ActiveEditor();
    editor->Memo1->insertPlainText("x");
    QVERIFY(editor->Enregistrer());  // saved: first again
    QCOMPARE(RecentEntries(), (QStringList{"&1 " + b, "&2 " + a}));
    CloseAll();
    QFile::remove(a);
    QMenu* menu = main->Menu("File1");
    QMetaObject::invokeMethod(menu, "aboutToShow");
    for (QAction* action : menu->actions())
      if (action->text() == "&2 " + a) action->trigger();
    QCOMPARE(EditorCount(), 0);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains("n'existe plus"));
    QCOMPARE(RecentEntries(), QStringList{"&1 " + b});
    // The entries stand right above "Quitter".
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.at(actions.indexOf(main->Action("FileExitItem")) - 2)->text(), "&1 " + b);
  }

  void filesFromTheCommandLineOpenAndAMissingOneIsReported() {
    const QString a = File("Un.java");
    main->OpenFiles({a, files.filePath("Absent.java"), File("Deux.java")});
    QCOMPARE(EditorCount(), 2);
    QCOMPARE(main->Editors().front()->windowTitle(), QString("OrvJava - Un.java"));
    QCOMPARE(messages, QStringList{"Le fichier « " + files.filePath("Absent.java") + " » n'existe pas."});
  }

  // A modified window is copied; a save or a close removes the copy; copies
  // of an environment that is gone come back as modified windows.
  void recoveryCopiesAreWrittenRemovedAndOffered() {
    QTemporaryDir folder;
    auto* recovery = new TRecovery(folder.path(), main);
    main->SetRecovery(recovery);
    const QString path = File("Garde.java");
    TEditeur* saved = main->OpenEditor(path);
    saved->Memo1->insertPlainText("// à garder\n");
    main->FileNewItemClick();
    TEditeur* fresh = main->ActiveEditor();
    fresh->Memo1->insertPlainText("x");
    recovery->CopyNow();
    const QDir own(recovery->OwnFolder());
    QCOMPARE(own.entryList({"*.java"}, QDir::Files).size(), 2);
    QVERIFY(saved->Enregistrer());
    recovery->CopyNow();
    QCOMPARE(own.entryList({"*.java"}, QDir::Files).size(), 1);
    QVERIFY(test::ReadBytes(path).startsWith("// \xE0 garder\r\n"));  // the save, never the copy

    // The same copy, as a crashed environment leaves it: no one holds it.
    QDir().mkpath(folder.filePath("ancien"));
    for (const QString& name : own.entryList(QDir::Files))
      if (name != "verrou") QFile::copy(own.filePath(name), folder.filePath("ancien/" + name));
    QCOMPARE(recovery->LeftCopies().size(), 1);  // its own copies are not offered
    CloseAll();
    QCOMPARE(own.entryList({"*.java"}, QDir::Files).size(), 0);  // closing removes the copy

    int asked = 0;
    main->askReopen = [&asked](int count) { return asked = count, true; };
    main->OfferRecoveredTexts();
    QCOMPARE(asked, 1);
    QCOMPARE(EditorCount(), 1);
    TEditeur* back = main->ActiveEditor();
    QCOMPARE(back->windowTitle(), QString("OrvJava - Java2.java"));
    QVERIFY(back->Modified());
    QVERIFY(back->Memo1->toPlainText().contains("\n  x\n"));
    QVERIFY(!QDir(folder.filePath("ancien")).exists());
    main->askReopen = [](int) { return false; };
    main->OfferRecoveredTexts();  // nothing left: nothing asked
    QCOMPARE(EditorCount(), 1);
    main->askReopen = nullptr;
    main->SetRecovery(nullptr);
    delete recovery;
  }

  // After a stop the failing line is light red until the text changes, the
  // next line of a step-mode run is yellow, and the status line says why.
  void stopsAreShownOnTheLineAndInTheStatusLine() {
    Interpreter().Host().messageBox = [this](const QString& m) { messages << m; };
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    const QColor plain = editor->LineBackground(0);
    struct Stop {
      const char* line;
      QString status;
      bool red;
    };
    for (const Stop& stop : {Stop{"i = zz;", "Arrêt à la ligne 9 : Erreur dans expression", true},
                             Stop{"i = 5 / 0;", "Arrêt à la ligne 9 : division par zéro", true},
                             Stop{"\u00BBi = 1;", "Arrêt à la ligne 9 : point d'arrêt", false}}) {
      editor->Lines().SetLine(8, ToCp1252(QString::fromUtf8(stop.line)));
      main->Action("Excuter1")->trigger();
      QCOMPARE(main->StatusLine->text(), stop.status);
      QCOMPARE(editor->LineBackground(8), stop.red ? TEditeur::StopLineColor() : plain);
    }
    editor->Lines().SetLine(8, "i = zz;");
    main->Action("Excuter1")->trigger();
    QTest::keyClick(editor->Memo1, Qt::Key_X);  // an edit ends the red line
    QCOMPARE(editor->LineBackground(8), plain);
    editor->Lines().SetLine(8, "  ");
    main->Action("Pasapas")->trigger();
    main->Action("Excuter1")->trigger();
    QCOMPARE(editor->LineBackground(7), TEditeur::StepLineColor());
    QCOMPARE(main->StatusLine->text(), QString("Arrêt à la ligne 8 : pas à pas"));
    main->Action("Continuer2")->trigger();
    QCOMPARE(editor->LineBackground(7), plain);
    QCOMPARE(editor->LineBackground(8), TEditeur::StepLineColor());
    main->Action("Pasapas")->trigger();
    main->Action("Continuer2")->trigger();  // to the end: no step line, no stop
    QCOMPARE(main->StatusLine->text(), QString("Programme terminé"));
    QCOMPARE(editor->LineBackground(8), plain);
    Interpreter().Host().messageBox = nullptr;
  }

  // The learner steps with F7 while the symbol table is the active window;
  // after each step the keyboard is back in the editor, not on the screen.
  void stepKeysWorkFromTheDebugViews() {
    main->FileNewItemClick();
    main->Action("Pasapas")->trigger();
    main->Action("Excuter1")->trigger();
    QCOMPARE(main->ActiveEditor()->Memo1->textCursor().blockNumber(), 7);
    main->Action("Tabledessymboles1")->trigger();
    QWidget& table = TableSymbolesWindow();
    table.activateWindow();
    // The screen above the frame may still hold the activation a moment.
    QTRY_COMPARE(QApplication::activeWindow(), &table);
    QSignalSpy runs(&Interpreter(), &InterpreterSession::RunningChanged);
    QTest::keyClick(&table, Qt::Key_F7);
    QCOMPARE(runs.count(), 2);  // started and ended one step
    QCOMPARE(main->StatusLine->text(), QString("Arrêt à la ligne 9 : pas à pas"));
    table.close();
    main->Action("Pasapas")->trigger();
  }

  void theCloseQuestionNamesAWindowNeverSaved() {
    main->FileNewItemClick();
    main->FileNewItemClick();
    main->FileNewItemClick();
    test::TFakeDialogs dialogs;
    TEditeur* editor = main->ActiveEditor();
    editor->SetDialogs(&dialogs);
    editor->SetModified(true);
    QVERIFY(!editor->FormCloseQuery());
    QCOMPARE(dialogs.Questions, QStringList{"Enregistrer changements dans 'Java3.java'?"});
    editor->SetDialogs(nullptr);
  }

  // "Exécuter > Animer" at the fastest pace on a program whose line 10 (index
  // 9) differs by row. The run goes one line a tick, each stop the F7 one,
  // until the program stops it (end, breakpoint, error, keyboard) or the
  // learner pauses it (the run then stands exactly as after F7 steps) or
  // closes its window.
  void anAnimatedRunStepsOneLineATickUntilAStop_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("action");  // done once the run waits on line 9 (index 8)
    QTest::addColumn<int>("resume");      // where the run waits at the end; -1: ended
    QTest::addColumn<QString>("i");
    QTest::addColumn<QString>("message");
    const QString plain = "  i = 3;";
    QTest::newRow("to the end") << plain << "" << -1 << "4" << "";
    QTest::newRow("breakpoint") << "\u00BB  i = 3;" << "" << 9 << "2" << "";
    QTest::newRow("error") << "  i = zz;" << "" << 9 << "2" << "Erreur dans expression";
    QTest::newRow("keyboard") << "  FGETS(System.in, s);" << "" << 10 << "2" << "";
    QTest::newRow("Échap") << plain << "Échap" << 8 << "1" << "";
    QTest::newRow("Ctrl+Pause") << plain << "Ctrl+Pause" << 8 << "1" << "";
    QTest::newRow("click in the text") << plain << "clic" << 8 << "1" << "";
    QTest::newRow("F7") << plain << "Continuer2" << 8 << "1" << "";
    QTest::newRow("F9") << plain << "Excuter1" << 8 << "1" << "";
    QTest::newRow("Maj+F9") << plain << "Animer1" << 8 << "1" << "";
    QTest::newRow("Maj+F7") << plain << "PasArriere1" << 7 << "0" << "";  // paused, then i = 1 taken back
    QTest::newRow("step mode off") << plain << "Pasapas" << 8 << "1" << "";
    QTest::newRow("editor closed") << plain << "fermer" << -2 << "" << "";
    QTest::newRow("main window closed") << plain << "quitter" << -2 << "" << "";
  }
  void anAnimatedRunStepsOneLineATickUntilAStop() {
    QFETCH(QString, line);
    QFETCH(QString, action);
    QFETCH(int, resume);
    QFETCH(QString, i);
    QFETCH(QString, message);
    main->PaceBox->setValue(main->PaceBox->maximum());
    const int pace = TEditeur::AnimationPace();
    QCOMPARE(pace, 200);  // 5 lines a second, remembered
    Interpreter().Host().messageBox = [this](const QString& m) { messages << m; };
    // The main window closing is done on a frame of its own.
    TMainForm* frame = main;
    if (action == "quitter") {
      frame = new TMainForm;
      frame->message = [this](const QString& m) { messages << m; };
      frame->show();
    }
    frame->FileNewItemClick();
    QPointer<TEditeur> editor = frame->ActiveEditor();
    const QString program = "import java.util.*;\nclass Sansnom\n{\n static int i;\n static String s;\n"
                            " public static void main(String args[])\n {\n  i = 1;\n  i = 2;\n" +
                            line + "\n  i = 4;\n }\n}";
    editor->Memo1->setPlainText(program);
    editor->SetModified(false);
    if (line.contains("FGETS")) {
      QTimer::singleShot(0, this, [] { TypeInKeyboardBox("abc"); });
    }
    QList<int> lines;
    QList<qint64> times;
    QElapsedTimer clock;
    clock.start();
    connect(editor, &TEditeur::RunStopped, this, [&](int stop) {
      lines << stop;
      times << clock.elapsed();
    });
    QSignalSpy animations(editor, &TEditeur::AnimationChanged);
    frame->Action("Animer1")->trigger();
    QVERIFY(frame->Action("Pasapas")->isChecked());
    QCOMPARE(animations.count(), 1);
    if (!action.isEmpty()) {
      QTRY_COMPARE_WITH_TIMEOUT(Interpreter().ResumeLine, 8, 5000);
      QVERIFY(editor->Animating());
      if (action == "Échap") QTest::keyClick(editor->Memo1, Qt::Key_Escape);
      else if (action == "Ctrl+Pause") QTest::keyClick(editor->Memo1, Qt::Key_Pause, Qt::ControlModifier);
      else if (action == "clic") QTest::mouseClick(editor->Memo1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
      else if (action == "fermer") editor->SetModified(false), editor->close();
      else if (action == "quitter") editor->SetModified(false), frame->close();
      else frame->Action(action)->trigger();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!editor || !editor->Animating(), 5000);
    const int steps = static_cast<int>(lines.size());
    QTest::qWait(3 * pace);  // nothing runs after the stop
    QCOMPARE(lines.size(), steps);
    // From main's body on, one line after the other, a pace apart: never two
    // lines at once.
    QVERIFY(steps >= 3);
    QCOMPARE(lines.first(), 6);
    for (int k = 1; k < steps; ++k) {
      const bool failed = k == steps - 1 && !message.isEmpty();  // the failing line stops the run again
      QCOMPARE(lines[k], failed ? lines[k - 1] : lines[k - 1] + 1);
      QVERIFY2(times[k] - times[k - 1] >= pace - 20, qPrintable(QString::number(times[k] - times[k - 1])));
    }
    QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (resume == -2) {  // the window went: it is deleted, nothing kept it alive
      QTRY_VERIFY(!editor);
      if (frame != main) delete frame;
    } else {
      QVERIFY(!editor->Animating());
      QCOMPARE(animations.count(), 2);
      TForm3& interpreter = Interpreter().Interpreter();
      if (resume == -1) {
        QCOMPARE(interpreter.RunState, kFinished);
        QCOMPARE(main->StatusLine->text(), QString("Programme terminé"));
      } else {
        QCOMPARE(Interpreter().ResumeLine, resume);
      }
      QCOMPARE(QString::fromStdString(interpreter.Examiner("i")), i);
      if (line.contains("FGETS")) QCOMPARE(FromCp1252(interpreter.Examiner("s")), QString("abc"));
      if (resume == 8) {
        // Paused: the run stands as after F9 and two F7 in step mode.
        const QString text = editor->Memo1->toPlainText(), status = main->StatusLine->text();
        const int caret = editor->CaretLine();
        QCOMPARE(text.split('\n').at(8), QString(QChar(0x2022)) + "  i = 2;");
        editor->Pasapas(true);
        editor->Executer();
        editor->Continuer2();
        editor->Continuer2();
        QCOMPARE(editor->Memo1->toPlainText(), text);
        QCOMPARE(QString::fromStdString(interpreter.Examiner("i")), QString("1"));
        QCOMPARE(main->StatusLine->text(), status);
        if (action != "clic") QCOMPARE(caret, 8);
        editor->Continuer2();  // and F7 goes on by hand, one line
        QCOMPARE(Interpreter().ResumeLine, 9);
        QCOMPARE(QString::fromStdString(interpreter.Examiner("i")), QString("2"));
      }
    }
    if (main->Action("Pasapas")->isChecked()) main->Action("Pasapas")->trigger();
    Interpreter().StepMode = 0;
    Interpreter().Host().messageBox = nullptr;
  }
};

QTEST_MAIN(ComfortTest)
#include "comfort_test.moc"
