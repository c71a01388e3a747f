// The colouring text area inside an editor window: the colours of the lines
// in view, what a keystroke re-formats, the view-dependent region, keys and
// mouse, hot spots and the application's drawing events.
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "editor/find_dialogs.h"
#include "editor_test_support.h"

using namespace orv;
using namespace orv::test;

namespace {
const QColor kMaroon(0x80, 0, 0), kBlue(0, 0, 0xFF), kGray(0x80, 0x80, 0x80), kBlack(0, 0, 0);
}

class ColorMemoTest : public QObject {
  Q_OBJECT

  TFakeDialogs dialogs;
  TEditeur* editor = nullptr;

  QColor At(int line, int column) { return editor->Memo1->ColorAt(Pos(*editor, line, column)); }
  void SetText(const QString& text) {
    editor->Memo1->setPlainText(text);
    editor->Memo1->Recolor();
  }

 private slots:
  void init() {
    editor = new TEditeur;
    editor->SetDialogs(&dialogs);
    editor->resize(520, 420);
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
  }
  void cleanup() {
    editor->SetModified(false);
    delete editor;
  }


  // QPlainTextEdit brings the caret into view with the scroll bar's signals
  // blocked: every way of moving the view must still colour all its lines.
  void everyLineInViewIsColouredAfterEveryMove() {
    QString text;
    for (int i = 0; i < 200; ++i) text += i == 150 ? "int cible\n" : "int x\n";
    SetText(text);
    TColorMemo& memo = *editor->Memo1;
    const struct {
      const char* Name;
      std::function<void()> Move;
    } moves[] = {
        {"go to line", [&] { dialogs.LineNumbers = {120}; editor->AllerALaLigne(); }},
        {"go back up", [&] { dialogs.LineNumbers = {30}; editor->AllerALaLigne(); }},
        {"find", [&] { editor->FindDialog()->SetSearchText("cible"); editor->Find(); }},
        {"caret to line", [&] { editor->CaretToLine(60); memo.ensureCursorVisible(); }},
        {"centre", [&] { editor->CaretToLine(180); memo.centerCursor(); }},
        {"page up", [&] { QTest::keyClick(&memo, Qt::Key_PageUp); }},
        {"ctrl+home", [&] { QTest::keyClick(&memo, Qt::Key_Home, Qt::ControlModifier); }},
        {"ctrl+end", [&] { QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier); }},
        {"scroll bar", [&] { memo.verticalScrollBar()->setValue(77); }},
        {"marker edit", [&] { editor->Lines().SetLine(100, "\x95int x"); editor->CaretToLine(100); memo.ensureCursorVisible(); }},
    };
    for (const auto& move : moves) {
      move.Move();
      const int first = memo.FirstVisibleLine();
      const int shown = memo.viewport()->height() / memo.fontMetrics().lineSpacing();
      for (int line = first; line < std::min(200, first + shown); ++line) {
        const int column = editor->Lines().Line(line).front() == '\x95' ? 1 : 0;
        QVERIFY2(At(line, column) == kMaroon, qPrintable(QString("%1: line %2").arg(move.Name).arg(line)));
      }
    }
  }

  void defaultProgramIsColouredAsTheRulesSay() {
    struct {
      int Line, Column;
      QColor Expected;
    } const cases[] = {
        {0, 0, kMaroon}, {0, 5, kMaroon}, {0, 7, kBlack},    // import java.util.*;
        {1, 0, kMaroon}, {1, 6, kBlack},                     // class Sansnom
        {2, 0, kBlue},                                       // {
        {3, 1, kMaroon}, {3, 8, kMaroon}, {3, 12, kBlack},   //  static int i;
        {4, 8, kMaroon}, {5, 8, kMaroon},                    // float, char
        {6, 1, kMaroon}, {6, 15, kMaroon}, {6, 20, kMaroon}, // public static void main(
        {6, 32, kMaroon}, {6, 37, kMaroon},                  // args[] belongs to the main header
        {7, 1, kBlue},   {9, 1, kBlue}, {10, 0, kBlue},
    };
    for (const auto& c : cases)
      QCOMPARE(At(c.Line, c.Column).name(), c.Expected.name());
  }

  void typingALetterReformatsOnlyItsLine() {
    PlaceCaret(*editor, Pos(*editor, 3, 8));  // before "int"
    QTest::keyClick(editor->Memo1, Qt::Key_X);
    QCOMPARE(editor->Memo1->LastPassReformatted(), 1);
    QCOMPARE(At(3, 9).name(), kBlack.name());  // "xint" is no keyword
  }

  void closingACommentRecoloursEveryLineItSpans() {
    SetText("a\n/* b\nint c\n*\nd");
    QCOMPARE(At(1, 3).name(), kBlack.name());  // opened but not closed: nothing
    PlaceCaret(*editor, Pos(*editor, 3, 1));
    QTest::keyClick(editor->Memo1, Qt::Key_Slash);
    QVERIFY(editor->Memo1->LastPassReformatted() >= 3);
    QCOMPARE(At(1, 3).name(), kGray.name());
    QCOMPARE(At(2, 0).name(), kMaroon.name());  // keywords keep their colour in block comments
    QCOMPARE(At(2, 4).name(), kGray.name());
    QCOMPARE(At(4, 0).name(), kBlack.name());
  }

  void commentOpenedAboveTheViewIsNotColoured() {
    QString text = "a\n/*\nc\nc\nc\nc\n*/";
    for (int i = 0; i < 200; ++i) text += "\nx";
    SetText(text);
    QCOMPARE(At(4, 0).name(), kGray.name());
    editor->Memo1->verticalScrollBar()->setValue(3);
    QCOMPARE(editor->Memo1->FirstVisibleLine(), 3);
    QCOMPARE(At(4, 0).name(), kBlack.name());
    // Scanning from further up finds the opening again.
    editor->Memo1->ColorRules()[0].KeyMaxHeight = 3;
    editor->Memo1->Recolor();
    QCOMPARE(At(4, 0).name(), kGray.name());
    editor->Memo1->ColorRules()[0].KeyMaxHeight = 1;
    editor->Memo1->verticalScrollBar()->setValue(0);
    QCOMPARE(At(4, 0).name(), kGray.name());
  }

  void linesOutOfViewLoseTheirFormats() {
    QString text;
    for (int i = 0; i < 300; ++i) text += "int x\n";
    SetText(text);
    QCOMPARE(At(0, 0).name(), kMaroon.name());
    editor->Memo1->verticalScrollBar()->setValue(200);
    QCOMPARE(At(0, 0).name(), kBlack.name());
    QCOMPARE(At(201, 0).name(), kMaroon.name());
  }

  void deletingColouredLinesKeepsTheRestRight() {
    QString text;
    for (int i = 0; i < 40; ++i) text += i % 2 ? "int x\n" : "// c\n";
    SetText(text);
    PlaceCaret(*editor, Pos(*editor, 11, 0), Pos(*editor, 1, 0));
    QTest::keyClick(editor->Memo1, Qt::Key_Delete);
    editor->Memo1->verticalScrollBar()->setValue(5);
    editor->Memo1->verticalScrollBar()->setValue(0);
    QCOMPARE(At(0, 0).name(), kGray.name());
    QCOMPARE(At(1, 0).name(), kMaroon.name());
    editor->Memo1->ColorRules().Clear();
    editor->Memo1->Recolor();
    for (int line = 0; line < 30; ++line) QCOMPARE(At(line, 0).name(), kBlack.name());
  }

  void lastLineShownInPartIsColoured() {
    QString text;
    for (int i = 0; i < 100; ++i) text += "int x\n";
    SetText(text);
    const int lineHeight = editor->Memo1->cursorRect(QTextCursor(editor->Memo1->document())).height();
    editor->resize(520, 10 * lineHeight + lineHeight / 2);
    QCoreApplication::processEvents();
    const int viewHeight = editor->Memo1->viewport()->height();
    int partial = -1;
    for (int line = 0; line < 100 && partial < 0; ++line) {
      QTextCursor c(editor->Memo1->document()->findBlockByNumber(line));
      const QRect r = editor->Memo1->cursorRect(c);
      if (r.top() < viewHeight && r.bottom() >= viewHeight) partial = line;
    }
    QVERIFY(partial > 0);
    QCOMPARE(At(partial, 0).name(), kMaroon.name());
    QCOMPARE(At(partial + 1, 0).name(), kBlack.name());
  }

  void navigationKeyDropsTheSelectionAtItsEndThenMoves() {
    SetText("abcdefgh");
    PlaceCaret(*editor, 5, 2);
    QTest::keyClick(editor->Memo1, Qt::Key_Right);
    QCOMPARE(editor->Memo1->textCursor().position(), 6);
    QVERIFY(!editor->Memo1->textCursor().hasSelection());
    PlaceCaret(*editor, 2, 5);  // selected backwards
    QTest::keyClick(editor->Memo1, Qt::Key_Left);
    QCOMPARE(editor->Memo1->textCursor().position(), 4);
    PlaceCaret(*editor, 5, 2);
    QTest::keyClick(editor->Memo1, Qt::Key_Right, Qt::ShiftModifier);  // extends as usual
    QCOMPARE(editor->Memo1->textCursor().selectionStart(), 2);
    QCOMPARE(editor->Memo1->textCursor().selectionEnd(), 6);
  }

  void selectionKeepsItsHighlightOverKeywords() {
    auto maroonPixels = [&](const QRect& area) {
      const QImage image = editor->Memo1->viewport()->grab().toImage();
      int n = 0;
      for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
          const QColor c = image.pixelColor(x, y);
          n += c.red() > 90 && c.green() < 50 && c.blue() < 50;
        }
      return n;
    };
    QTextCursor start(editor->Memo1->document()->findBlockByNumber(1));
    QTextCursor end = start;
    end.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 5);
    const QRect area(editor->Memo1->cursorRect(start).topLeft(), editor->Memo1->cursorRect(end).bottomLeft());
    QVERIFY(maroonPixels(area) > 0);  // "class" drawn in maroon
    PlaceCaret(*editor, Pos(*editor, 1, 5), Pos(*editor, 1, 0));
    QCOMPARE(maroonPixels(area), 0);
  }

  void pastedTextGetsSourceLineBreaksAndKnownCharacters() {
    SetText("");
    QGuiApplication::clipboard()->setText(QString::fromUtf16(u"a\r\nb\u2028c\u4E2D\u20AC"));
    editor->Coller();
    QCOMPARE(DocumentLines(*editor), (std::vector<std::string>{"a", "b", "c?\x80"}));
  }

  void shiftEnterStartsANewSourceLine() {
    SetText("ab");
    PlaceCaret(*editor, 1);
    QTest::keyClick(editor->Memo1, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(editor->Memo1->document()->blockCount(), 2);
  }

  void noRulesNoColour() {
    editor->Memo1->ColorRules().Clear();
    editor->Memo1->Recolor();
    QCOMPARE(At(0, 0).name(), kBlack.name());
    QCOMPARE(At(2, 0).name(), kBlack.name());
  }

  void disabledAreaShowsNoColour() {
    editor->Memo1->setEnabled(false);
    QCOMPARE(At(0, 0).name(), kBlack.name());
    editor->Memo1->setEnabled(true);
    QCOMPARE(At(0, 0).name(), kMaroon.name());
  }

  void hotSpotsAreColouredAndClickable() {
    SetText(QString::fromUtf16(u"voir \x1e" u"aide\x1f ici"));
    QString clicked;
    editor->Memo1->OnHotSpotClick = [&](TColorMemo*, const QString& src) { clicked = src; };
    THotSpot hotSpot;
    hotSpot.Active = true;
    editor->Memo1->SetHotSpot(hotSpot);
    QCOMPARE(At(0, 6).name(), kBlue.name());
    QTextCursor c(editor->Memo1->document());
    c.setPosition(7);
    const QPoint point = editor->Memo1->cursorRect(c).center();
    QTest::mouseMove(editor->Memo1->viewport(), point);
    QTest::mouseClick(editor->Memo1->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(clicked, QString("aide"));
    clicked.clear();
    c.setPosition(12);  // in "ici", after the hot spot
    QTest::mouseClick(editor->Memo1->viewport(), Qt::LeftButton, Qt::NoModifier, editor->Memo1->cursorRect(c).center());
    QVERIFY(clicked.isEmpty());
  }

  void eventDrawRulesTakeTheApplicationsSpans() {
    SetText("abcdef\nghij");
    TColorMemo& memo = *editor->Memo1;
    memo.ColorRules().Clear();
    TColorRule& rule = memo.ColorRules().Add();
    rule.KeyDrawingType = TKeyDrawingType::dtEventDraw;
    memo.SetColorLimMax(4);
    memo.SetOnDraw([](const TColorRule&, std::u16string_view from, std::span<TKeyDescr> a, int& count) {
      const size_t g = from.find(u'g');
      a[0] = {1, 2, 0x00FF0000, 0, 0};
      a[1] = {static_cast<std::int32_t>(g), static_cast<std::int32_t>(g) + 1, 0x00808080, 0, 0};
      count = 2;
    });
    memo.Recolor();
    QCOMPARE(At(0, 0).name(), kBlack.name());
    QCOMPARE(At(0, 1).name(), kBlue.name());
    QCOMPARE(At(0, 2).name(), kBlue.name());
    QCOMPARE(At(1, 1).name(), kGray.name());  // offsets count the line break as two
    QCOMPARE(At(1, 2).name(), kBlack.name());
  }

  void drawKeyHandlerDrawsKeywordsInsteadOfTheComponent() {
    QStringList keys;
    QList<QRect> rects;
    editor->Memo1->OnDrawKey = [&](QPainter&, const QString& key, const QRect& rect, const QColor& color) {
      keys << key;
      rects << rect;
      QCOMPARE(color.name(), kBlack.name());
    };
    editor->Memo1->Recolor();
    editor->Memo1->viewport()->grab();
    QVERIFY(keys.contains("class"));
    QVERIFY(keys.contains("{"));
    const QRect classRect = rects[keys.indexOf("class")];
    QVERIFY(classRect.width() > 10);
    QCOMPARE(classRect.top(), editor->Memo1->cursorRect(QTextCursor(editor->Memo1->document()->findBlockByNumber(1))).top());
    QCOMPARE(At(1, 0).name(), kBlack.name());  // left to the handler
  }

  void scrollEventsAreReported() {
    QString text;
    for (int i = 0; i < 100; ++i) text += "x\n";
    SetText(text);
    int vertical = 0;
    editor->Memo1->OnVScroll = [&](TColorMemo*) { ++vertical; };
    editor->Memo1->verticalScrollBar()->setValue(10);
    QCOMPARE(vertical, 1);
  }

  void offsetsCountALineBreakAsTwoCharacters() {
    SetText("ab\ncd\n\nef");
    const TColorMemo& memo = *editor->Memo1;
    QCOMPARE(memo.OffsetFromPosition(3), 4);   // 'c'
    QCOMPARE(memo.OffsetFromPosition(7), 10);  // 'e'
    QCOMPARE(memo.PositionFromOffset(10), 7);
    QCOMPARE(memo.PositionFromOffset(3), 2);   // inside a line break: the end of the line
    QCOMPARE(memo.PositionFromOffset(999), 9);
    QCOMPARE(memo.PositionFromOffset(-5), 0);
  }
};

QTEST_MAIN(ColorMemoTest)
#include "color_memo_test.moc"
