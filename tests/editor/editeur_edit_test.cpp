// The editor window's editing side: find and replace, automatic indentation,
// the line list the interpreter reads, caret offsets, the run switches.
#include <QPushButton>
#include <QSignalSpy>
#include <QScrollBar>
#include <QtTest>

#include "editor/find_dialogs.h"
#include "editor_test_support.h"

using namespace orv;
using namespace orv::test;

class EditeurEditTest : public QObject {
  Q_OBJECT

  TFakeDialogs dialogs;
  TEditeur* editor = nullptr;

  void SetText(const QString& text) { editor->Memo1->setPlainText(text); }
  QString Text() const { return editor->Memo1->toPlainText(); }
  QPair<int, int> Selection() const {
    const QTextCursor c = editor->Memo1->textCursor();
    return {c.selectionStart(), c.selectionEnd()};
  }
  void FindWith(const QString& what, TSearchOptions options) {
    editor->FindDialog()->SetSearchText(what);
    editor->FindDialog()->SetOptions(options);
    editor->Find();
  }
  void VerifyLineListFollowsTheDocument() {
    QCOMPARE(editor->SourceLineList().Blocks(), DocumentLines(*editor));
  }

 private slots:
  void init() {
    dialogs = TFakeDialogs();
    editor = NewEditor(dialogs);
  }
  void cleanup() {
    editor->SetModified(false);
    delete editor;
  }

  // ---- Find ----------------------------------------------------------------

  void findSelectsTheNextOccurrence_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("down");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("found");
    QTest::newRow("down") << "abc abc" << 1 << "abc" << true << false << false << 4;
    QTest::newRow("down to the very end") << "xx abc" << 0 << "abc" << true << false << false << 3;
    QTest::newRow("up to position 0") << "abc abc" << 4 << "abc" << false << false << false << 0;
    QTest::newRow("case ignored") << "x ABC" << 0 << "abc" << true << false << false << 2;
    QTest::newRow("case matched") << "ABC abc" << 0 << "abc" << true << true << false << 4;
    QTest::newRow("accents ignored") << "un ÉTÉ" << 0 << "été" << true << false << false << 3;
    QTest::newRow("whole word") << "abcd abc" << 0 << "abc" << true << false << true << 5;
    QTest::newRow("on a later line") << "ab\ncd" << 0 << "cd" << true << false << false << 3;
  }
  void findSelectsTheNextOccurrence() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, what);
    QFETCH(bool, down);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(int, found);
    SetText(text);
    PlaceCaret(*editor, caret);
    FindWith(what, {down, matchCase, wholeWord});
    QCOMPARE(dialogs.Messages, QStringList{});
    QCOMPARE(Selection(), qMakePair(found, found + int(what.size())));
  }

  void findNextContinuesAndFinallyReportsNotFound() {
    SetText("abc abc");
    PlaceCaret(*editor, 0);
    editor->FindDialog()->SetSearchText("abc");
    editor->FindDialog()->FindNextButton()->click();
    QCOMPARE(Selection(), qMakePair(0, 3));
    editor->Continuer();
    QCOMPARE(Selection(), qMakePair(4, 7));
    editor->Continuer();
    QCOMPARE(dialogs.Messages, QStringList{"Chaîne rechechée \"abc\" non trouvée"});
    QCOMPARE(Selection(), qMakePair(4, 7));
  }

  void findNextBeforeAnySearchReportsTheEmptyText() {
    editor->Continuer();
    QCOMPARE(dialogs.Messages, QStringList{"Chaîne rechechée \"\" non trouvée"});
    QVERIFY(!editor->FindDialog()->FindNextButton()->isEnabled());
  }

  void findWorksPastSixtyFiveThousandCharacters() {
    SetText(QString(100000, 'x') + " cible");
    PlaceCaret(*editor, 0);
    FindWith("CIBLE", {true, false, true});
    QCOMPARE(Selection(), qMakePair(100001, 100006));
    PlaceCaret(*editor, 100006);
    FindWith("x", {false, false, false});
    QCOMPARE(Selection(), qMakePair(99999, 100000));
  }

  // ---- Replace -------------------------------------------------------------

  void replaceOneAtATime() {
    SetText("un deux un");
    PlaceCaret(*editor, 0);
    editor->ReplaceDialog()->SetSearchText("UN");
    editor->ReplaceDialog()->SetReplaceText("1");
    editor->ReplaceDialog()->ReplaceButton()->click();  // nothing selected: finds the first
    QCOMPARE(Text(), QString("un deux un"));
    QCOMPARE(Selection(), qMakePair(0, 2));
    editor->Replace();
    QCOMPARE(Text(), QString("1 deux un"));
    QCOMPARE(Selection(), qMakePair(7, 9));
    editor->Replace();
    QCOMPARE(Text(), QString("1 deux 1"));
    QCOMPARE(dialogs.Messages, QStringList{"Chaîne recherchée \"UN\"non trouvée"});
  }

  void replaceDialogFindsWithItsOwnText() {
    SetText("alpha beta");
    editor->FindDialog()->SetSearchText("alpha");
    editor->ReplaceDialog()->SetSearchText("beta");
    editor->ReplaceDialog()->FindNextButton()->click();
    QCOMPARE(Selection(), qMakePair(6, 10));
  }

  void replaceAllFromTheCaretInOneUndoStep() {
    SetText("un deux un trois un");
    PlaceCaret(*editor, 3);
    editor->ReplaceDialog()->SetSearchText("un");
    editor->ReplaceDialog()->SetReplaceText("uno");
    editor->ReplaceDialog()->ReplaceAllButton()->click();
    QCOMPARE(Text(), QString("un deux uno trois uno"));
    QVERIFY(dialogs.Messages.isEmpty());
    QCOMPARE(editor->Memo1->textCursor().position(), 21);
    VerifyLineListFollowsTheDocument();
    editor->Memo1->undo();
    QCOMPARE(Text(), QString("un deux un trois un"));
  }

  void replaceAllWithoutOccurrencesDoesNothing() {
    SetText("abc");
    editor->ReplaceDialog()->SetSearchText("z");
    editor->Replace(true);
    QCOMPARE(Text(), QString("abc"));
    QVERIFY(dialogs.Messages.isEmpty());
    QVERIFY(!editor->Modified());
  }

  void replaceAllOnALongText() {
    QString text;
    for (int i = 0; i < 20000; ++i) text += "int a;\n";
    SetText(text);
    PlaceCaret(*editor, 0);
    editor->ReplaceDialog()->SetSearchText("a");
    editor->ReplaceDialog()->SetReplaceText("b");
    editor->ReplaceDialog()->SetOptions({true, true, true});
    editor->Replace(true);
    QCOMPARE(editor->Lines().Count(), 20000);
    QCOMPARE(editor->Lines().Line(19999), std::string("int b;"));
    QVERIFY(!Text().contains('a'));
  }

  // ---- Indentation ---------------------------------------------------------

  void enterIndentsLikeTheReferenceLine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("end of an indented line") << "a\n    x" << 1 << 5 << QStringList{"a", "    x", "    "};
    QTest::newRow("tabs and blanks") << "a\n\t x" << 1 << 3 << QStringList{"a", "\t x", "\t "};
    QTest::newRow("first line breaks plainly") << "    x" << 0 << 5 << QStringList{"    x", ""};
    QTest::newRow("column 0 takes the line above") << "a\n  b\nc" << 2 << 0 << QStringList{"a", "  b", "", "  c"};
    QTest::newRow("column 1 takes the line above") << "a\n  b\ncd" << 2 << 1 << QStringList{"a", "  b", "c", "  d"};
    QTest::newRow("second line at column 0 breaks plainly") << "  a\nb" << 1 << 0 << QStringList{"  a", "", "b"};
    QTest::newRow("unindented reference") << "a\nbc\n" << 1 << 2 << QStringList{"a", "bc", "", ""};
  }
  void enterIndentsLikeTheReferenceLine() {
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QStringList, expected);
    SetText(text);
    PlaceCaret(*editor, Pos(*editor, line, column));
    QTest::keyClick(editor->Memo1, Qt::Key_Return);
    QCOMPARE(Text().split('\n'), expected);
    VerifyLineListFollowsTheDocument();
  }

  void enterReplacesTheSelectionAndIndentsAtMost255() {
    SetText("a\n" + QString(300, ' ') + "xyz");
    PlaceCaret(*editor, Pos(*editor, 1, 303), Pos(*editor, 1, 301));
    QTest::keyClick(editor->Memo1, Qt::Key_Enter);
    const QStringList lines = Text().split('\n');
    QCOMPARE(lines[1], QString(300, ' ') + "x");
    QCOMPARE(lines[2], QString(255, ' '));
  }

  // ---- Line list -----------------------------------------------------------

  void lineListFollowsEveryKindOfEdit() {
    QTest::keyClicks(editor->Memo1, "abc");
    QTest::keyClick(editor->Memo1, Qt::Key_Return);
    PlaceCaret(*editor, Pos(*editor, 4, 3), Pos(*editor, 2, 0));
    QTest::keyClick(editor->Memo1, Qt::Key_Delete);
    VerifyLineListFollowsTheDocument();
    editor->Memo1->insertPlainText("p\nq\nr");
    VerifyLineListFollowsTheDocument();
    editor->Memo1->undo();
    editor->Memo1->undo();
    VerifyLineListFollowsTheDocument();
    editor->Memo1->redo();
    VerifyLineListFollowsTheDocument();
    editor->ToutSelectionner();
    editor->Couper();
    VerifyLineListFollowsTheDocument();
    QCOMPARE(editor->Lines().Count(), 0);
    editor->Coller();
    VerifyLineListFollowsTheDocument();
    QVERIFY(editor->Lines().Count() > 5);
  }

  void lineListOperations() {
    LineList& lines = editor->Lines();
    QCOMPARE(lines.Line(-1), std::string());
    QCOMPARE(lines.Line(11), std::string());
    lines.SetLine(3, "\x95 static int i;");
    QCOMPARE(editor->Memo1->document()->findBlockByNumber(3).text(), QString::fromUtf8("\u2022 static int i;"));
    lines.DeleteLine(0);
    QCOMPARE(lines.Count(), 10);
    QCOMPARE(lines.Line(0), std::string("class Sansnom"));
    lines.DeleteLine(9);  // the last line: the break before it goes too
    QCOMPARE(lines.Count(), 9);
    QCOMPARE(lines.Line(8), std::string(" }"));
    lines.SetLine(40, "x");
    lines.DeleteLine(-1);
    QCOMPARE(lines.Count(), 9);
    VerifyLineListFollowsTheDocument();
    // An empty last line is not counted.
    SetText("a\nb\n");
    QCOMPARE(lines.Count(), 2);
    SetText("");
    QCOMPARE(lines.Count(), 0);
  }

  void aLongLineStaysOneLineAndTheWindowScrollsToIt() {
    const std::string longLine(600, 'w');
    editor->Lines().SetLine(8, longLine);
    QCOMPARE(editor->Memo1->document()->findBlockByNumber(8).layout()->lineCount(), 1);
    QTRY_VERIFY(editor->Memo1->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(editor->Lines().Count(), 11);
    QCOMPARE(editor->Lines().Line(8), longLine);
  }

  void razRemovesOnlyLeadingStepMarkers() {
    editor->Lines().SetLine(1, "\x95" "class Sansnom");
    editor->Lines().SetLine(2, "\xBB{");
    editor->Lines().SetLine(3, " \x95static int i;");
    editor->Raz();
    QCOMPARE(editor->Lines().Line(1), std::string("class Sansnom"));
    QCOMPARE(editor->Lines().Line(2), std::string("\xBB{"));
    QCOMPARE(editor->Lines().Line(3), std::string(" \x95static int i;"));
  }

  // ---- Caret and run switches ---------------------------------------------

  void caretOffsetsCountALineEndAsTwo() {
    QCOMPARE(editor->LineOffset(0), 0);
    QCOMPARE(editor->LineOffset(2), 19 + 2 + 13 + 2);
    editor->CaretToLine(2);
    QCOMPARE(editor->CaretOffset(), 36);
    QCOMPARE(editor->CaretLine(), 2);
    QCOMPARE(editor->Memo1->textCursor().positionInBlock(), 0);
    editor->SetCaretOffset(38);  // inside the line break after "{"
    QCOMPARE(editor->CaretLine(), 2);
    QCOMPARE(editor->Memo1->textCursor().positionInBlock(), 1);
    editor->CaretToLine(99);
    QCOMPARE(editor->CaretLine(), 10);
  }

  void readOnlyDuringARunKeepsTheUserOut() {
    editor->SetRunReadOnly(true);
    const QString before = Text();
    QTest::keyClicks(editor->Memo1, "zz");
    QTest::keyClick(editor->Memo1, Qt::Key_Return);
    editor->Replace(true);
    QCOMPARE(Text(), before);
    editor->Lines().SetLine(8, "\x95  ");  // the run's markers still go in
    QCOMPARE(editor->Lines().Line(8), std::string("\x95  "));
    editor->SetRunReadOnly(false);
    QVERIFY(!editor->RunReadOnly());
    QTest::keyClicks(editor->Memo1, "z");
    QVERIFY(Text().startsWith('z'));
  }

  void windowEventsAreSignalled() {
    QSignalSpy activated(editor, &TEditeur::Activated), deactivated(editor, &TEditeur::Deactivated);
    editor->FormActivate();
    editor->FormDeactivate();
    QCOMPARE(activated.count(), 1);
    QCOMPARE(deactivated.count(), 1);
    QCOMPARE(activated[0][0].value<TEditeur*>(), editor);
  }

  void editsSetTheModifiedFlag() {
    QVERIFY(!editor->Modified());
    QTest::keyClicks(editor->Memo1, "q");
    QVERIFY(editor->Modified());
  }
};

QTEST_MAIN(EditeurEditTest)
#include "editeur_edit_test.moc"
