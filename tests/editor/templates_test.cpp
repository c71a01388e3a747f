// The editor window's code templates and pickers, driven through their real
// modal dialogs: a zero-delay timer acts on the dialog once it is shown.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "editor/rules/template_text.h"
#include "editor/template_dialogs.h"
#include "editor_test_support.h"

using namespace orv;
using namespace orv::test;

namespace {

using Command = void (TEditeur::*)();
using Action = std::function<void()>;

TBoucleFor& For() { return TemplateWindows::BoucleFor(); }
TBoucleWhile& While() { return TemplateWindows::BoucleWhile(); }
TConditionIf& If() { return TemplateWindows::ConditionIf(); }
TFileIO& FileIO() { return TemplateWindows::FileIO(); }
TMotsCle& KeywordList() { return TemplateWindows::MotsCle(); }
TListeSel& Procedures() { return TemplateWindows::ListeSel(); }

void FillFor(const QString& counter, const QString& from, const QString& to, int direction) {
  For().Edit1->setText(counter);
  For().Edit2->setText(from);
  For().Edit3->setText(to);
  For().RadioGroup1->SetItemIndex(direction);
}

void FillCondition(TConditionDialog& dialog, const QString& a, int op, const QString& b) {
  dialog.Edit1->setText(a);
  dialog.RadioGroup1->SetItemIndex(op);
  dialog.Edit2->setText(b);
}

void Key(QDialog& dialog, Qt::Key key) { QTest::keyClick(dialog.focusWidget(), key); }

// Enter or Escape on a given control of the dialog, which takes the focus.
void KeyOn(QWidget* control, Qt::Key key) {
  control->setFocus();
  QTest::keyClick(control, key);
}

// Each dialog filled in, and the values the piece must be made of: the texts
// of the pieces themselves are tabled once, in template_text_test.cpp.
struct TemplateCase {
  const char* name;
  Command command;
  std::function<TTemplateDialog&()> dialog;
  Action fill;
  std::function<TTemplate()> generated;
};

QStringList Piece(const TemplateCase& c) {
  QStringList lines;
  for (const std::string& line : c.generated().Lines) lines << FromCp1252(line);
  return lines;
}

const std::vector<TemplateCase>& TemplateCases() {
  static const std::vector<TemplateCase> cases = {
      {"for up", &TEditeur::Forg, For, [] { FillFor("i", "0", "10", 0); },
       [] { return ForTemplate({"i", "0", "10", false}); }},
      {"for down", &TEditeur::Forg, For, [] { FillFor("i", "0", "10", 1); },
       [] { return ForTemplate({"i", "0", "10", true}); }},
      {"while", &TEditeur::whileg, While, [] { FillCondition(While(), "x", 1, "5"); },
       [] { return WhileTemplate({"x", 1, "5"}); }},
      {"do", &TEditeur::Dog, While, [] { FillCondition(While(), "x", 5, "0"); },
       [] { return DoTemplate({"x", 5, "0"}); }},
      {"if", &TEditeur::Ifg, If, [] { FillCondition(If(), "a", 3, "b"); },
       [] { return IfTemplate({"a", 3, "b"}, false); }},
      {"if else", &TEditeur::Ifg, If,
       [] {
         FillCondition(If(), "a", 0, "b");
         If().CheckBox1->setChecked(true);
       },
       [] { return IfTemplate({"a", 0, "b"}, true); }},
      {"file reading", &TEditeur::Liref, FileIO,
       [] {
         FileIO().Edit1->setText("f");
         FileIO().Edit2->setText("notes é.txt");
       },
       [] { return FileTemplate("f", "notes \xE9.txt", false); }},
      {"file writing", &TEditeur::Ecriref, FileIO,
       [] {
         FileIO().Edit1->setText("g");
         FileIO().Edit2->setText("sortie.txt");
       },
       [] { return FileTemplate("g", "sortie.txt", true); }},
  };
  return cases;
}

}  // namespace

class TemplatesTest : public QObject {
  Q_OBJECT

  TFakeDialogs dialogs;
  TEditeur* editor = nullptr;

  QString Text() const { return editor->Memo1->toPlainText(); }
  QPair<int, int> Selection() const {
    const QTextCursor c = editor->Memo1->textCursor();
    return {c.selectionStart(), c.selectionEnd()};
  }
  QPair<int, int> CaretLineColumn() const {
    const QTextCursor c = editor->Memo1->textCursor();
    return {c.blockNumber(), c.positionInBlock()};
  }

  // Runs the command; `act` is done on the dialog once it is shown. True when
  // the dialog was shown and the action closed it (it is closed anyway, so a
  // faulty action never leaves the test waiting).
  bool Drive(QDialog& dialog, const Action& act, Command command) {
    bool shown = false, closed = false;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, [&] {
      shown = dialog.isVisible() && QApplication::activeModalWidget() == &dialog;
      if (shown) act();
      closed = !dialog.isVisible();
      if (!closed) dialog.reject();
    });
    timer.start(0);
    (editor->*command)();
    timer.stop();
    return shown && closed;
  }
  bool Confirm(const TemplateCase& c) {
    return Drive(c.dialog(), [&] { c.fill(); c.dialog().OKButton->click(); }, c.command);
  }

  // "x" / "  debut fin" / "y" with "debut" selected.
  void SetTextWithSelection() {
    editor->Memo1->setPlainText("x\n  debut fin\ny");
    PlaceCaret(*editor, Pos(*editor, 1, 7), Pos(*editor, 1, 2));
  }

 private slots:
  // The offscreen platform warns at every sized dialog it shows.
  void initTestCase() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
      if (!text.contains("propagateSizeHints")) previous(type, context, text);
    });
  }
  void init() {
    TemplateWindows::DestroyAll();
    dialogs = TFakeDialogs();
    editor = NewEditor(dialogs);
  }
  void cleanup() {
    editor->SetModified(false);
    delete editor;
  }

  // ---- Templates -----------------------------------------------------------

  void everyTemplateReplacesTheSelectionAndPutsTheCaretOnItsEmptyLine() {
    for (const TemplateCase& c : TemplateCases()) {
      SetTextWithSelection();
      const QString before = Text();
      QVERIFY2(Confirm(c), c.name);
      // The piece stands where its first line does: under "  ".
      QStringList expected = {"x"};
      for (const QString& line : Piece(c)) expected += "  " + line;
      expected.last() += " fin";
      expected += "y";
      QCOMPARE(Text().split('\n'), expected);
      QCOMPARE(CaretLineColumn(), qMakePair(3, 2));
      QCOMPARE(Selection().first, Selection().second);
      QCOMPARE(editor->SourceLineList().Blocks(), DocumentLines(*editor));
      editor->Memo1->undo();  // one undo step takes the whole piece back
      QCOMPARE(Text(), before);
    }
  }

  // The caret positions in the window's own counting (line ends as CR LF):
  // the do block's empty line is 7 past where the piece starts, the if
  // branch's empty line 17 before the end of an if-else piece.
  // A template goes in as one edit: Ctrl+Z takes it away whole, after the
  // typing before it stays; Ctrl+Y and Ctrl+Maj+Z bring it back.
  void aTemplateIsUndoneAndRedoneInOneStep() {
    editor->Memo1->setPlainText("x\n");
    PlaceCaret(*editor, Pos(*editor, 1, 0));
    QTest::keyClicks(editor->Memo1, "abc");
    const QString typed = Text();
    QVERIFY(Confirm(TemplateCases().front()));
    const QString withTemplate = Text();
    QVERIFY(withTemplate.contains("for (i=0; i<=10; i++)"));
    QTest::keyClick(editor->Memo1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(), typed);
    QTest::keyClick(editor->Memo1, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Text(), withTemplate);
    QTest::keyClick(editor->Memo1, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor->Memo1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Text(), withTemplate);
  }

  void caretOffsetsCountLineEndsAsTwo() {
    editor->Memo1->setPlainText("ab\ncd");
    PlaceCaret(*editor, Pos(*editor, 1, 1));
    const int start = editor->CaretOffset();
    QVERIFY(Confirm(TemplateCases()[3]));
    QCOMPARE(editor->CaretOffset(), start + 7);

    editor->Memo1->setPlainText("");
    QVERIFY(Confirm(TemplateCases()[5]));
    const int end = editor->LineOffset(7) + 1;  // after the closing "}"
    QCOMPARE(editor->CaretOffset(), end - 17);
  }

  // The caret goes into the piece just inserted, even below an earlier one.
  void aSecondFileOpeningTakesTheCaretToItsOwnEmptyLine() {
    editor->Memo1->setPlainText("");
    QVERIFY(Confirm(TemplateCases()[6]));
    editor->Memo1->moveCursor(QTextCursor::End);
    editor->Memo1->insertPlainText("\n");
    QVERIFY(Confirm(TemplateCases()[6]));
    QCOMPARE(CaretLineColumn(), qMakePair(6, 0));
    QCOMPARE(editor->Memo1->document()->findBlockByNumber(7).text(), QString("  inStream.close();"));
  }

  void aMissingValueOnlyRemovesTheSelection_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("for without a counter") << 0;
    QTest::newRow("while without an operator") << 2;
    QTest::newRow("do without a first operand") << 3;
    QTest::newRow("if without an operator") << 5;
  }
  void aMissingValueOnlyRemovesTheSelection() {
    QFETCH(int, which);
    const TemplateCase& c = TemplateCases()[static_cast<size_t>(which)];
    SetTextWithSelection();
    const Action empty = [&] {
      c.fill();
      if (which == 0) For().Edit1->clear();
      if (which == 2 || which == 5) c.dialog().findChild<TRadioGroup*>()->SetItemIndex(-1);
      if (which == 3) While().Edit1->clear();
      c.dialog().OKButton->click();
    };
    QVERIFY(Drive(c.dialog(), empty, c.command));
    QCOMPARE(Text(), QString("x\n   fin\ny"));
    // The caret stays where the selection began.
    QCOMPARE(CaretLineColumn(), qMakePair(1, 2));
  }

  void cancellingLeavesTextAndSelectionUnchanged() {
    const std::pair<const char*, std::function<void(QDialog&)>> ways[] = {
        {"Annuler", [](QDialog& d) { static_cast<TTemplateDialog&>(d).AnnulerButton->click(); }},
        {"Escape", [](QDialog& d) { Key(d, Qt::Key_Escape); }},
        {"close box", [](QDialog& d) { d.close(); }},
    };
    for (const TemplateCase& c : TemplateCases()) {
      for (const auto& [way, cancel] : ways) {
        editor->Memo1->setPlainText("un\ndeux");
        QVERIFY(Confirm(c));  // a confirmed use first
        PlaceCaret(*editor, 2, 1);
        const QString text = Text();
        QVERIFY2(Drive(c.dialog(), [&] { cancel(c.dialog()); }, c.command), way);
        QVERIFY2(!c.dialog().Confirmed(), way);
        QCOMPARE(Text(), text);
        QCOMPARE(Selection(), qMakePair(1, 2));
      }
    }
  }

  void enterConfirmsExceptOnTheFocusedAnnulerButton() {
    const std::pair<const char*, std::function<QWidget*()>> controls[] = {
        {"first operand", [] { return If().Edit1; }},
        {"second operand", [] { return If().Edit2; }},
        {"operator", [] { return If().RadioGroup1->Button(0); }},
        {"check box", [] { return If().CheckBox1; }},
        {"OK", [] { return If().OKButton; }},
    };
    for (const auto& [name, control] : controls) {
      editor->Memo1->setPlainText("");
      QVERIFY2(Drive(If(), [&] { FillCondition(If(), "a", 0, "b"); KeyOn(control(), Qt::Key_Return); }, &TEditeur::Ifg), name);
      QVERIFY2(If().Confirmed(), name);
      QCOMPARE(Text().section('\n', 0, 0), QString("if (a==b)"));
    }
    editor->Memo1->setPlainText("");
    QVERIFY(Drive(If(), [] { KeyOn(If().AnnulerButton, Qt::Key_Return); }, &TEditeur::Ifg));
    QVERIFY(!If().Confirmed());
    QCOMPARE(Text(), QString());
  }

  void typedValuesAreKeptBetweenUses() {
    editor->Memo1->setPlainText("");
    const Action type = [] {
      QTest::keyClicks(For().Edit1, "k");
      QTest::keyClicks(For().Edit2, "n");
      QTest::keyClicks(For().Edit3, "1");
      For().RadioGroup1->Button(1)->click();
      Key(For(), Qt::Key_Return);
    };
    QVERIFY(Drive(For(), type, &TEditeur::Forg));
    QCOMPARE(Text().section('\n', 0, 0), QString("for (k=n; k>=1; k--)"));
    QString shown;
    const Action look = [&] {
      shown = For().Edit1->text() + "|" + For().Edit2->text() + "|" + For().Edit3->text() + "|" +
              QString::number(For().RadioGroup1->ItemIndex());
      // The counter is ready to be typed over.
      QCOMPARE(For().focusWidget(), For().Edit1);
      QCOMPARE(For().Edit1->selectedText(), QString("k"));
      Key(For(), Qt::Key_Escape);
    };
    QVERIFY(Drive(For(), look, &TEditeur::Forg));
    QCOMPARE(shown, QString("k|n|1|1"));

    QVERIFY(Confirm(TemplateCases()[5]));  // if-else
    bool checked = false;
    int op = -1;
    QVERIFY(Drive(If(), [&] { checked = If().CheckBox1->isChecked(); op = If().RadioGroup1->ItemIndex(); If().close(); },
                  &TEditeur::Ifg));
    QVERIFY(checked);
    QCOMPARE(op, 0);
  }

  void whileAndDoShareTheirDialogUnderTheirOwnCaption() {
    QString caption;
    QVERIFY(Drive(While(), [&] { caption = While().windowTitle(); While().reject(); }, &TEditeur::Dog));
    QCOMPARE(caption, QString("Boucle Do"));
    QVERIFY(Drive(While(), [&] { caption = While().windowTitle(); While().reject(); }, &TEditeur::whileg));
    QCOMPARE(caption, QString("Boucle While"));
    // The do loop's values come back in the while loop.
    editor->Memo1->setPlainText("");
    QVERIFY(Confirm(TemplateCases()[3]));
    editor->Memo1->setPlainText("");
    QVERIFY(Drive(While(), [] { While().OKButton->click(); }, &TEditeur::whileg));
    QCOMPARE(Text().section('\n', 0, 0), QString("while (x!=0)"));
  }

  void fileCommandsPresetTheirMode() {
    editor->Memo1->setPlainText("");
    int mode = -1;
    const Action lookAndSwitch = [&] {
      mode = FileIO().RadioGroup1->ItemIndex();
      FileIO().RadioGroup1->SetItemIndex(TFileIO::kEcriture);  // the user may still change it
      FileIO().OKButton->click();
    };
    QVERIFY(Drive(FileIO(), lookAndSwitch, &TEditeur::Liref));
    QCOMPARE(mode, int(TFileIO::kLecture));
    QCOMPARE(Text().section('\n', 1, 1), QString("  FileOutputStream outStream=new FileOutputStream();"));
    QVERIFY(Drive(FileIO(), [&] { mode = FileIO().RadioGroup1->ItemIndex(); FileIO().reject(); }, &TEditeur::Ecriref));
    QCOMPARE(mode, int(TFileIO::kEcriture));
    QVERIFY(Drive(FileIO(), [&] { mode = FileIO().RadioGroup1->ItemIndex(); FileIO().reject(); }, &TEditeur::Liref));
    QCOMPARE(mode, int(TFileIO::kLecture));
  }

  // A fresh dialog counts up, has no operator chosen and no else part.
  void dialogsStartWithTheirDefaults() {
    QCOMPARE(For().RadioGroup1->ItemIndex(), 0);
    QCOMPARE(While().RadioGroup1->ItemIndex(), -1);
    QCOMPARE(If().RadioGroup1->ItemIndex(), -1);
    QVERIFY(!If().CheckBox1->isChecked());
  }

  void noTemplateWhileARunHoldsTheWindow() {
    editor->SetRunReadOnly(true);
    const QString text = Text();
    QVERIFY(!Drive(For(), [] { For().OKButton->click(); }, &TEditeur::Forg));
    QVERIFY(!Drive(KeywordList(), [] { KeywordList().accept(); }, &TEditeur::Instructions));
    QCOMPARE(Text(), text);
  }

  void windowsOfADeletedOwnerAreMadeAnew() {
    auto* owner = new QWidget;
    TemplateWindows::SetOwner(owner);
    TemplateWindows::DestroyAll();
    QCOMPARE(For().parentWidget(), owner);
    For().Edit1->setText("old");
    delete owner;
    TemplateWindows::SetOwner(nullptr);
    QCOMPARE(For().parentWidget(), nullptr);
    QCOMPARE(For().Edit1->text(), QString());
  }

  // ---- Keyword picker ------------------------------------------------------

  // The keywords themselves are tabled in template_text_test.cpp.
  void keywordListHoldsTheKeywordsInOrderInAFixedFont() {
    const auto& keywords = orv::Keywords();
    QCOMPARE(KeywordList().ListBox1->count(), static_cast<int>(keywords.size()));
    for (size_t i = 0; i < keywords.size(); ++i)
      QCOMPARE(KeywordList().Entry(static_cast<int>(i)), FromCp1252(keywords[i]));
    QVERIFY(QFontInfo(KeywordList().ListBox1->font()).fixedPitch());
  }

  void pickingAKeywordReplacesTheSelectionAndStaysHighlighted() {
    SetTextWithSelection();
    const int row = 47;
    QVERIFY(Drive(KeywordList(), [&] {
      KeywordList().ListBox1->setCurrentRow(row);
      Key(KeywordList(), Qt::Key_Return);
    }, &TEditeur::Instructions));
    QCOMPARE(Text(), QString("x\n  System.out.println fin\ny"));
    QCOMPARE(CaretLineColumn(), qMakePair(1, 20));
    int highlighted = -1;
    QVERIFY(Drive(KeywordList(), [&] {
      highlighted = KeywordList().Highlighted();
      QTest::keyClick(KeywordList().ListBox1, Qt::Key_Down);
      Key(KeywordList(), Qt::Key_Enter);
    }, &TEditeur::Instructions));
    QCOMPARE(highlighted, row);
    QCOMPARE(Text(), QString("x\n  System.out.printlntoLowerCase fin\ny"));
  }

  void doubleClickPicksAKeyword() {
    editor->Memo1->setPlainText("");
    QVERIFY(Drive(KeywordList(), [] {
      QListWidget* list = KeywordList().ListBox1;
      const QPoint at = list->visualItemRect(list->item(2)).center();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }, &TEditeur::Instructions));
    QCOMPARE(Text(), QString("(float)"));
  }

  void escapeOrTheCloseBoxInsertNothing() {
    editor->Memo1->setPlainText("abc");
    PlaceCaret(*editor, 1, 0);
    QVERIFY(Drive(KeywordList(), [] { KeywordList().ListBox1->setCurrentRow(47); KeywordList().close(); }, &TEditeur::Instructions));
    QCOMPARE(Text(), QString("abc"));
    QCOMPARE(KeywordList().Highlighted(), 47);  // the close box leaves the highlight
    QVERIFY(Drive(KeywordList(), [] { Key(KeywordList(), Qt::Key_Escape); }, &TEditeur::Instructions));
    QCOMPARE(Text(), QString("abc"));
    QCOMPARE(Selection(), qMakePair(0, 1));
    QCOMPARE(KeywordList().Highlighted(), -1);
    // Enter with nothing highlighted (an empty procedure list) inserts nothing either.
    editor->Memo1->setPlainText("abc");
    QVERIFY(Drive(Procedures(), [] { Key(Procedures(), Qt::Key_Return); }, &TEditeur::ListeSubs));
    QCOMPARE(Procedures().Highlighted(), -1);
    QCOMPARE(Text(), QString("abc"));
  }

  // ---- Procedure picker ----------------------------------------------------

  void procedureListShowsTheVoidLines() {
    editor->Memo1->setPlainText(
        "class Essai\n{\n public static void main(String args[])\n {\n }\n   Void affiche()\n {\n }\n"
        " static void f()\n\tvoid g()\n");
    QStringList listed;
    QVERIFY(Drive(Procedures(), [&] {
      for (int i = 0; i < Procedures().ListBox1->count(); ++i) listed << Procedures().ListBox1->item(i)->text();
      Procedures().reject();
    }, &TEditeur::ListeSubs));
    QCOMPARE(listed, (QStringList{"Void affiche()", "void g()"}));
  }

  void choosingAProcedurePutsTheCaretAtTheStartOfItsLine() {
    // An earlier line that merely contains the header's text does not count.
    editor->Memo1->setPlainText("class A\n{\n // voir void g()\n void f()\n {\n }\n  void g()\n {\n }\n}");
    PlaceCaret(*editor, 3);
    QVERIFY(Drive(Procedures(), [] {
      Procedures().ListBox1->setCurrentRow(1);
      Key(Procedures(), Qt::Key_Return);
    }, &TEditeur::ListeSubs));
    QCOMPARE(CaretLineColumn(), qMakePair(6, 0));
    QCOMPARE(editor->CaretOffset(), editor->LineOffset(6));
    // Escape: no choice, the caret stays.
    QVERIFY(Drive(Procedures(), [] {
      Procedures().ListBox1->setCurrentRow(0);
      Key(Procedures(), Qt::Key_Escape);
    }, &TEditeur::ListeSubs));
    QCOMPARE(CaretLineColumn(), qMakePair(6, 0));
  }

  // The list frames its first entry when it takes the focus: Enter there
  // jumps as a double click on it does.
  void enterJumpsToTheEntryTheListShowsAsCurrent() {
    editor->Memo1->setPlainText("class A\n{\n void f()\n {\n }\n void g()\n}");
    PlaceCaret(*editor, 0);
    int current = -1;
    QVERIFY(Drive(Procedures(), [&] {
      current = Procedures().ListBox1->currentRow();
      QTest::keyClick(Procedures().ListBox1, Qt::Key_Return);
    }, &TEditeur::ListeSubs));
    QCOMPARE(current, 0);
    QCOMPARE(CaretLineColumn(), qMakePair(2, 0));
    QVERIFY(Drive(Procedures(), [&] {
      QTest::keyClick(Procedures().ListBox1, Qt::Key_Down);
      QTest::keyClick(Procedures().ListBox1, Qt::Key_Return);
    }, &TEditeur::ListeSubs));
    QCOMPARE(CaretLineColumn(), qMakePair(5, 0));
  }

  void procedureListIsFilledAnewEachTime() {
    editor->Memo1->setPlainText("void a()\nvoid b()");
    QVERIFY(Drive(Procedures(), [] { Procedures().ListBox1->setCurrentRow(1); Procedures().close(); }, &TEditeur::ListeSubs));
    editor->Memo1->setPlainText("void c()");
    QStringList listed;
    int highlighted = 0;
    QVERIFY(Drive(Procedures(), [&] {
      listed << Procedures().ListBox1->item(0)->text();
      highlighted = Procedures().Highlighted();
      Key(Procedures(), Qt::Key_Return);
    }, &TEditeur::ListeSubs));
    QCOMPARE(listed, QStringList{"void c()"});
    QCOMPARE(highlighted, 0);  // the entry framed on opening, not the row chosen last time
    QCOMPARE(Procedures().ListBox1->count(), 1);
  }
};

QTEST_MAIN(TemplatesTest)
#include "templates_test.moc"
