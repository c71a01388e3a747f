// The learner's comfort around a run: debug views that follow the steps, the
// screen's text kept, the keyboard box under the output, the screen's zoom
// and its place beside the editor.
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "editor/Childwin.h"
#include "run_test_support.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "common/gui/qt_text.h"
#include "interp/gui/session.h"
#include "common/gui/view_settings.h"

using namespace orv;
using test::WhenModal;

namespace {

QString Program(const QString& declarations, const QString& body) {
  return "import java.util.*;\nclass Essai\n{\n" + declarations + " public static void main(String args[])\n {\n" +
         body + " }\n}";
}

int IndexOf(const TTableSymboles& table, const QString& text) {
  for (int i = 0; i < table.ListBox1->count(); ++i)
    if (table.ListBox1->item(i)->text() == text) return i;
  return -1;
}

// The rightmost column holding dark pixels.
int InkRight(const QImage& image) {
  int right = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = right + 1; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) right = x;
  return right;
}

}  // namespace

class ScreenViewsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir settings;
  TEditeur* editor = nullptr;
  QStringList messages;

  void Run(const QString& program) {
    editor->Memo1->setPlainText(program);
    editor->Executer();
  }

 private slots:
  void initTestCase() {
    QVERIFY(settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  }
  void init() { editor = test::NewRunEditor("OrvJava - Essai.java", messages); }
  void cleanup() {
    TableSymbolesWindow().hide();
    VariableWindow().hide();
    PileExecutionWindow().hide();
    editor->SetModified(false);
    editor->close();
    QApplication::processEvents();
  }

  // Open while the learner steps, both views show the values as they are
  // now, bold where they changed at the last step, without a message box
  // and without disturbing the run.
  void openViewsFollowEachStep() {
    Run(Program(" static int i;\n static String s;\n static int tab[] = new int[3];\n",
                "  i = 5;\n  s = \"mot\";\n  i = 6;\n"));
    TTableSymboles& table = TableSymbolesWindow();
    TVariable& examine = VariableWindow();
    Interpreter().Stats();
    Interpreter().Examiner();
    QVERIFY(table.isVisible() && examine.isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    examine.Edit1->setText("i");
    QTest::keyClick(examine.Edit1, Qt::Key_Return);
    QCOMPARE(examine.Edit2->text(), QString("6"));
    const int iLine = IndexOf(table, "i , I , 1"), sLine = IndexOf(table, "s , S , 1");
    QVERIFY(iLine >= 0 && sLine >= 0);
    QCOMPARE(table.Value(iLine), QString("6"));
    QVERIFY(table.Value(IndexOf(table, "tab[ , I , 2")).isNull());  // no value for an array
    QVERIFY(!table.Changed(iLine));

    // Step by step from the start: "i = 5;" then "s = ...", then "i = 6;".
    Interpreter().StepMode = 1;
    editor->Executer();  // stops on the "{" under main: every value is new
    QCOMPARE(table.Value(iLine), QString("0"));
    QVERIFY(table.Changed(iLine));
    QCOMPARE(examine.Edit2->text(), QString("0"));
    QVERIFY(examine.Edit2->font().bold());
    editor->Continuer2();  // "{"
    QVERIFY(!table.Changed(iLine) && !examine.Edit2->font().bold());
    editor->Continuer2();  // i = 5
    QCOMPARE(table.Value(iLine), QString("5"));
    QVERIFY(table.Changed(iLine));
    QVERIFY(!table.Changed(sLine));
    QCOMPARE(examine.Edit2->text(), QString("5"));
    QVERIFY(examine.Edit2->font().bold());
    editor->Continuer2();  // s = "mot"
    QCOMPARE(table.Value(sLine), QString("mot"));
    QVERIFY(table.Changed(sLine) && !table.Changed(iLine));
    QVERIFY(!examine.Edit2->font().bold());
    QCOMPARE(table.ListBox1->item(iLine)->text(), QString("i , I , 1"));  // the line's own text stays

    // A name whose index became wrong says so once, when asked, not at every step.
    examine.Edit1->setText("tab[s]");
    QTest::keyClick(examine.Edit1, Qt::Key_Return);
    QCOMPARE(messages, QStringList{"Indice de type incorrect"});
    int steps = 0;
    while (Interpreter().Interpreter().RunState != kFinished && steps++ < 20) editor->Continuer2();
    QCOMPARE(Interpreter().Interpreter().RunState, kFinished);  // refreshes leave the run's state alone
    QCOMPARE(messages, QStringList{"Indice de type incorrect"});
    QCOMPARE(table.Value(iLine), QString("6"));

    QTest::keyClick(examine.Edit1, Qt::Key_Escape);
    QTest::keyClick(table.ListBox1, Qt::Key_Escape);
    QVERIFY(!examine.isVisible() && !table.isVisible());
  }

  // The count lines are bold when their count changes between two looks.
  void aCountThatChangesIsBold() {
    Run(Program(" static int i;\n", ""));
    Interpreter().Stats();
    TTableSymboles& table = TableSymbolesWindow();
    Run(Program(" static int i, j;\n", ""));
    const int ints = IndexOf(table, "Var Int : 2");
    QVERIFY(ints >= 0);
    QVERIFY(table.Changed(ints));
    QVERIFY(!table.Changed(IndexOf(table, "Var Float : 0")));
    QVERIFY(table.Changed(IndexOf(table, "j , I , 2")));  // a new variable
  }

  // Stepping into a for loop inside a procedure, the stack view lists the
  // loop above the call; a double-click on an entry puts the caret on its
  // line, and once the run ends nothing is left.
  void theStackViewFollowsTheSteps() {
    editor->Memo1->setPlainText(Program(" static int i, k;\n",
                                        "  k = 1;\n  affiche();\n }\n void affiche()\n {\n  for (i=1; i<=3; i++)\n"
                                        "  {\n   k = k + i;\n  }\n"));
    TPileExecution& pile = PileExecutionWindow();
    connect(&pile, &TPileExecution::LineChosen, editor, &TEditeur::CaretToLine);
    Interpreter().StepMode = 1;
    editor->Executer();
    Interpreter().Pile();
    QVERIFY(pile.isVisible());
    QCOMPARE(pile.LineOf(0), -1);  // nothing in progress yet
    const auto texts = [&pile] {
      QStringList list;
      for (int i = 0; i < pile.ListBox1->count(); ++i) list << pile.ListBox1->item(i)->text();
      return list;
    };
    QStringList seen;
    for (int step = 0; step < 12 && texts().size() < 2; ++step) {
      editor->Continuer2();
      if (seen.isEmpty() || seen.back() != texts().first()) seen << texts().first();
    }
    QCOMPARE(texts(), (QStringList{"for i de 1 à 3, pas 1 (ligne 12)", "appel de affiche() depuis la ligne 8"}));
    QCOMPARE(seen.mid(seen.size() - 2), (QStringList{"appel de affiche() depuis la ligne 8", "for i de 1 à 3, pas 1 (ligne 12)"}));
    QApplication::processEvents();  // the list lays its items out
    for (int row : {1, 0}) {
      const QRect rect = pile.ListBox1->visualItemRect(pile.ListBox1->item(row));
      QTest::mouseClick(pile.ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
      QTest::mouseDClick(pile.ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
      QCOMPARE(editor->Memo1->textCursor().blockNumber() + 1, row == 1 ? 8 : 12);
    }
    int steps = 0;
    while (Interpreter().Interpreter().RunState != kFinished && steps++ < 40) editor->Continuer2();
    QCOMPARE(Interpreter().Interpreter().RunState, kFinished);
    QCOMPARE(pile.ListBox1->count(), 1);
    QCOMPARE(pile.LineOf(0), -1);
    disconnect(&pile, &TPileExecution::LineChosen, editor, &TEditeur::CaretToLine);
  }

  // A large array: the cell each step writes is the one highlighted, and a
  // paint draws only the cells in sight.
  void arrayCellsFollowEachStep() {
    Run(Program(" static int i;\n static float t[] = new float[2000];\n",
                "  for (i=1; i<=2000; i++)\n  {\n   t[i] = (float)i;\n  }\n"));
    TTableSymboles& table = TableSymbolesWindow();
    Interpreter().Stats();
    QVERIFY(table.Cells->isVisible());
    QCOMPARE(table.Cells->Arrays().size(), size_t{1});
    QCOMPARE(table.Cells->Arrays()[0].Cells.size(), size_t{2000});
    QCOMPARE(table.Cells->Arrays()[0].Cells[1999], std::string("2000"));
    QVERIFY(!table.Cells->Changed(0, 1999));  // a first look
    Interpreter().StepMode = 1;
    editor->Executer();  // a fresh run: every element is back to 0
    QVERIFY(table.Cells->Changed(0, 1999));
    const auto highlighted = [&table] {
      std::vector<size_t> cells;
      for (size_t i = 0; i < 2000; ++i)
        if (table.Cells->Changed(0, i)) cells.push_back(i);
      return cells;
    };
    // Each element written is highlighted at its step, alone.
    for (size_t element : {0, 1}) {
      int steps = 0;
      do editor->Continuer2();
      while (highlighted().empty() && ++steps < 6);
      QCOMPARE(highlighted(), std::vector<size_t>{element});
      QCOMPARE(table.Cells->Arrays()[0].Cells[element], std::to_string(element + 1));
    }
    table.Cells->grab();
    QVERIFY(table.Cells->PaintedCells() > 0);
    QVERIFY(table.Cells->PaintedCells() < 400);
    Interpreter().StepMode = 0;
  }

  // What the screen shows can be copied and saved, line by line.
  void theTranscriptFollowsThePrintLines_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("atTheStop");  // null: the run does not stop
    QTest::addColumn<QString>("transcript");
    QTest::newRow("prints then a print-line")
        << "  System.out.print(\"ab\");\n  System.out.print(\"cd\");\n  System.out.println(\"ef\");\n"
           "  System.out.print(\"gh\");\n"
        << QString() << "abcdef\ngh";
    QTest::newRow("an empty line") << "  System.out.println(\"Zoé\");\n  System.out.println(\"\");\n  System.out.println(\"fin\");\n"
                                   << QString() << "Zoé\n\nfin\n";
    QTest::newRow("nothing printed") << "" << QString() << "";
    // The run stops at the breakpoint; the resume's output follows.
    QTest::newRow("a resume goes on") << "  System.out.println(\"un\");\n" + QString(QChar(0x00BB)) +
                                             "  i = 1;\n  System.out.println(\"deux\");\n"
                                      << "un\n" << "un\ndeux\n";
  }
  void theTranscriptFollowsThePrintLines() {
    QFETCH(QString, body);
    QFETCH(QString, atTheStop);
    QFETCH(QString, transcript);
    TEcran& ecran = Interpreter().Ecran();
    Run(Program("", "  System.out.println(\"avant\");\n"));
    Run(Program(" static int i;\n", body));  // a fresh run starts a new transcript
    if (!atTheStop.isNull()) {
      QCOMPARE(ecran.Transcript(), atTheStop);
      editor->Continuer2();
    }
    QCOMPARE(ecran.Transcript(), transcript);
    QApplication::clipboard()->setText("autre chose");
    ecran.CopyTextItem->trigger();
    QCOMPARE(QApplication::clipboard()->text(), transcript);
    QCOMPARE(ecran.ProposedSaveName(), QString("Essai-sortie.txt"));
    QTemporaryDir dir;
    const QString path = dir.filePath("sortie");
    ecran.askSaveName = [path] { return path; };
    ecran.SaveTextItem->trigger();
    ecran.askSaveName = nullptr;
    QFile file(path + ".txt");  // a name without extension is a text file
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), transcript.toUtf8());
  }

  // A step back takes back what was drawn after a mark, and the
  // transcript's end, line ends included.
  void aRollBackForgetsWhatCameAfterItsMark() {
    TEcran& ecran = Interpreter().Ecran();
    ecran.Clear();
    ecran.DrawText(0, 0, "abc");
    ecran.NewLine();
    const ScreenMark lineStart = ecran.Mark();
    const QImage before = ecran.Snapshot();
    ecran.DrawText(0, 18, "un ");
    const ScreenMark midLine = ecran.Mark();
    ecran.DrawText(27, 18, "deux");
    ecran.NewLine();
    ecran.RollBack(midLine);
    QCOMPARE(ecran.Transcript(), QString("abc\nun "));
    ecran.RollBack(lineStart);
    QCOMPARE(ecran.Transcript(), QString("abc\n"));
    QCOMPARE(ecran.Snapshot(), before);
  }

  void aFailedSaveSaysWhyAndKeepsTheText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "absent/sortie.txt" << "dossier introuvable";
    QTest::newRow("a folder") << "" << "c'est un dossier";
    QTest::newRow("a full disk") << "/dev/full" << "espace disque insuffisant";
  }
  void aFailedSaveSaysWhyAndKeepsTheText() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    TEcran ecran;
    QStringList said;
    ecran.messageBox = [&said](const QString& m) { said << m; };
    ecran.DrawText(0, 0, "Résultat");
    ecran.NewLine();
    const QString path = name.isEmpty() ? dir.path() : name.startsWith('/') ? name : dir.filePath(name);
    QVERIFY(!ecran.SaveText(path));
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith("Le texte de l'écran n'a pas pu être enregistré") && said[0].contains(reason),
             qPrintable(said[0]));
    QCOMPARE(ecran.Transcript(), QString("Résultat\n"));
    QVERIFY(ecran.SaveText(dir.filePath("ici.txt")));  // nothing lost: a second try works
    ecran.Clear();
    QCOMPARE(ecran.Transcript(), QString());
  }

  // The keyboard box opens under the program's last line while the screen
  // has room there, else under the screen window; either way it covers none
  // of the text.
  void theKeyboardBoxOpensUnderTheLastLine_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("insideTheScreen");
    QTest::newRow("room on the screen") << 2 << true;
    QTest::newRow("screen full") << 40 << false;
  }
  void theKeyboardBoxOpensUnderTheLastLine() {
    QFETCH(int, lines);
    QFETCH(bool, insideTheScreen);
    QString body;
    for (int i = 1; i <= lines; ++i) body += QString("  System.out.println(\"ligne %1\");\n").arg(i);
    body += "  System.out.print(\"Votre nom ? \");\n  FGETS(System.in, s);\n";
    TEcran& ecran = Interpreter().Ecran();
    QRect box, lastLine, screen;
    WhenModal([&](QWidget* modal) {
      auto* form = qobject_cast<TForm12*>(modal);
      QVERIFY(form);
      box = form->frameGeometry();
      QWidget* canvas = ecran.findChild<QScrollArea*>()->widget();
      const int top = lines * 18;  // where the prompt was drawn
      lastLine = QRect(canvas->mapToGlobal(QPoint(0, top)), QSize(ecran.TextWidth("Votre nom ? "), 18));
      screen = ecran.frameGeometry();
      QVERIFY(form->Prompt->isVisible());
      form->Edit1->setText("Léa");
      QTest::keyClick(form->Edit1, Qt::Key_Return);
    });
    Run(Program(" static String s;\n", body));
    QVERIFY(messages.isEmpty());
    QCOMPARE(FromCp1252(Interpreter().Interpreter().Examiner("s")), QString("Léa"));
    QVERIFY(screen.contains(lastLine));  // the line the program asks with is in view
    QVERIFY(!box.intersects(lastLine));
    QVERIFY(box.top() >= lastLine.bottom());
    if (insideTheScreen) {
      QVERIFY2(box.top() <= lastLine.bottom() + 8,
               qPrintable(QString("box at %1, last line ends at %2").arg(box.top()).arg(lastLine.bottom())));
      QVERIFY(screen.contains(box.topLeft()));
      QCOMPARE(box.left(), ecran.geometry().left());
    } else {
      QVERIFY(box.top() > screen.bottom());
    }
  }

  // Zoom keys and the wheel enlarge the drawing, not the program's page.
  void zoomScalesTheDrawingOnly_data() {
    QTest::addColumn<QList<int>>("keys");  // key, modifiers, ...
    QTest::addColumn<int>("zoom");
    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("Ctrl++ twice") << QList<int>{Qt::Key_Plus, ctrl, Qt::Key_Plus, ctrl} << 125;
    QTest::newRow("Ctrl+=") << QList<int>{Qt::Key_Equal, ctrl} << 110;
    QTest::newRow("Ctrl+-") << QList<int>{Qt::Key_Minus, ctrl} << 90;
    QTest::newRow("Ctrl+0 after Ctrl++") << QList<int>{Qt::Key_Plus, ctrl, Qt::Key_0, ctrl} << 100;
    QTest::newRow("+ without Ctrl") << QList<int>{Qt::Key_Plus, 0} << 100;
  }
  void zoomScalesTheDrawingOnly() {
    QFETCH(QList<int>, keys);
    QFETCH(int, zoom);
    SetSetting("zoom/ecran", 100);
    TEcran ecran;
    ecran.show();
    ecran.DrawText(0, 0, "Bonjour");
    const int width = ecran.TextWidth("Bonjour");
    const int inkAt100 = InkRight(ecran.grab().toImage());
    for (int i = 0; i < keys.size(); i += 2)
      QTest::keyClick(ecran.focusWidget() ? ecran.focusWidget() : &ecran, Qt::Key(keys[i]), Qt::KeyboardModifiers(keys[i + 1]));
    QCOMPARE(ecran.Zoom(), zoom);
    QCOMPARE(ecran.TextWidth("Bonjour"), width);
    QCOMPARE(ecran.Snapshot().width(), width);  // the program's page is the same
    const int ink = InkRight(ecran.grab().toImage());
    QVERIFY2(qAbs(ink - inkAt100 * zoom / 100) <= 3, qPrintable(QString("ink to %1 at %2 %").arg(ink).arg(zoom)));
    QWidget* canvas = ecran.findChild<QScrollArea*>()->widget();
    QVERIFY(qAbs(canvas->minimumWidth() - width * zoom / 100) <= 1);  // the scroll extent follows
    QCOMPARE(TEcran().Zoom(), zoom);  // remembered for the next session
  }

  // A line's opaque background must not cover the letters of the line above:
  // descenders, commas and accents stay within their 18-pixel band at every
  // zoom.
  void lettersStayInTheirLine_data() {
    QTest::addColumn<int>("zoom");
    for (int zoom : {100, 150, 200}) QTest::newRow(qPrintable(QString("%1 %").arg(zoom))) << zoom;
  }
  void lettersStayInTheirLine() {
    QFETCH(int, zoom);
    TEcran ecran;
    ecran.SetZoom(zoom);
    ecran.resize(700, 300);
    ecran.show();
    ecran.DrawText(0, 0, "grand gjpqy 8,5 ;");
    const QImage alone = ecran.grab().toImage();
    const int band = 18 * zoom / 100;
    int below = 0;
    for (int y = band; y < alone.height(); ++y)
      for (int x = 0; x < alone.width(); ++x) below += qGray(alone.pixel(x, y)) < 160;
    QCOMPARE(below, 0);
    ecran.DrawText(0, 18, "ÉÀÇ gjpqy ;");
    const QImage both = ecran.grab().toImage();
    QCOMPARE(both.copy(0, 0, both.width(), band), alone.copy(0, 0, alone.width(), band));
    SetSetting("zoom/ecran", 100);
  }

  // The debug views open side by side along the bottom of the client area
  // (0,0)-(999,699), or stacked along its right edge when the bottom would
  // cover the line being executed.
  void debugViewsOpenClearOfTheExecutedLine_data() {
    QTest::addColumn<QRect>("avoid");
    QTest::addColumn<QPoint>("table");
    QTest::addColumn<QPoint>("variable");
    QTest::newRow("nothing to avoid") << QRect() << QPoint(0, 250) << QPoint(640, 500);
    QTest::newRow("line at the top") << QRect(0, 40, 1000, 20) << QPoint(0, 250) << QPoint(640, 500);
    QTest::newRow("line at the bottom") << QRect(0, 600, 300, 20) << QPoint(360, 0) << QPoint(680, 450);
    QTest::newRow("line under both") << QRect(0, 600, 1000, 20) << QPoint(0, 250) << QPoint(640, 500);
  }
  void debugViewsOpenClearOfTheExecutedLine() {
    QFETCH(QRect, avoid);
    QFETCH(QPoint, table);
    QFETCH(QPoint, variable);
    const QRect client(0, 0, 1000, 700);
    const std::vector<QSize> frames = {QSize(640, 450), QSize(320, 200)};
    QCOMPARE(ToolPlace(client, frames, 0, avoid), table);
    QCOMPARE(ToolPlace(client, frames, 1, avoid), variable);
  }

  void ctrlWheelZooms() {
    SetSetting("zoom/ecran", 100);
    TEcran ecran;
    ecran.show();
    QWidget* viewport = ecran.findChild<QScrollArea*>()->viewport();
    auto wheel = [viewport](int delta, Qt::KeyboardModifiers modifiers) {
      QWheelEvent event(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                        Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
      QApplication::sendEvent(viewport, &event);
    };
    wheel(120, Qt::ControlModifier);
    QCOMPARE(ecran.Zoom(), 110);
    wheel(60, Qt::ControlModifier);  // half a notch: not yet
    QCOMPARE(ecran.Zoom(), 110);
    wheel(60, Qt::ControlModifier);
    QCOMPARE(ecran.Zoom(), 125);
    wheel(-240, Qt::ControlModifier);
    QCOMPARE(ecran.Zoom(), 100);
    wheel(-120, Qt::NoModifier);  // scrolling, not zooming
    QCOMPARE(ecran.Zoom(), 100);
    QSignalSpy interrupts(&ecran, &TEcran::InterruptRequested);
    QTest::keyClick(&ecran, Qt::Key_Escape);
    QCOMPARE(interrupts.count(), 1);
  }

  // A 300 x 200 screen, the editor's text placed on the test desktop.
  void theScreenOpensBesideTheEditorText_data() {
    QTest::addColumn<QRect>("text");
    QTest::addColumn<QPoint>("place");
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(desk.width() >= 700 && desk.height() >= 600);
    const int w = desk.width(), h = desk.height();
    QTest::newRow("right of it") << QRect(0, 40, 400, 500) << QPoint(400, 40);
    QTest::newRow("left of it") << QRect(w - 350, 50, 350, 300) << QPoint(w - 650, 50);
    QTest::newRow("below it") << QRect(100, 0, w - 200, 300) << QPoint(100, 300);
    QTest::newRow("kept on the desktop") << QRect(0, h - 100, 400, 100) << QPoint(400, h - 200);
    QTest::newRow("no room: usual place") << QRect(50, 50, w - 100, h - 100) << QPoint();
  }
  void theScreenOpensBesideTheEditorText() {
    QFETCH(QRect, text);
    QFETCH(QPoint, place);
    QSettings("OrvJava", "OrvJava").remove("ecran/position");
    TEcran ecran;
    ecran.resize(300, 200);
    ecran.PlaceBeside(text);
    // Beside the text the whole window counts; the usual place is that of
    // the client area, as at start-up.
    auto at = [&ecran, place] { return place.isNull() ? ecran.geometry().topLeft() : ecran.frameGeometry().topLeft(); };
    const QPoint expected = place.isNull() ? QPoint(104, 108) : place;
    QCOMPARE(at(), expected);
    ecran.show();
    QTest::qWait(500);
    ecran.PlaceBeside(QRect(0, 0, 10, 10));  // visible: stays where it is
    QCOMPARE(at(), expected);
    QVERIFY(!Setting("ecran/position").isValid());  // our own moves are not remembered
  }

  void whereTheLearnerMovedTheScreenIsKept() {
    QSettings("OrvJava", "OrvJava").remove("ecran/position");
    TEcran ecran;
    ecran.resize(300, 200);
    ecran.PlaceBeside(QRect(0, 0, 400, 500));
    ecran.show();
    QTest::qWait(500);
    ecran.move(30, 320);  // the learner drags it
    QCOMPARE(Setting("ecran/position").toPoint(), QPoint(30, 320));
    ecran.hide();
    ecran.PlaceBeside(QRect(0, 0, 400, 500));
    QCOMPARE(ecran.pos(), QPoint(30, 320));
    TEcran next;  // the next session
    QCOMPARE(next.pos(), QPoint(30, 320));
  }
};

QTEST_MAIN(ScreenViewsTest)
#include "screen_views_test.moc"
