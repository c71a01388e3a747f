// Code templates and pickers of the editor window.
#include <QTextBlock>

#include "editor/Childwin.h"
#include "common/gui/qt_text.h"
#include "editor/template_dialogs.h"

namespace orv {

namespace {

// The piece replaces the selection in one undo step, indented as the line
// it goes into, and the caret goes to the piece's caret place. An empty piece
// only removes the selection and leaves the caret where the selection began.
void InsertPiece(TColorMemo& memo, const TTemplate& generated) {
  QTextCursor cursor = memo.textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  const QTextBlock first = cursor.block();
  const int startLine = first.blockNumber();
  const int startColumn = cursor.position() - first.position();
  const std::string before = ToCp1252(first.text().left(startColumn));
  const TTemplate piece = Indented(generated, Indentation(before));
  if (!piece.Empty()) cursor.insertText(FromCp1252(piece.Text("\n")));
  cursor.endEditBlock();
  if (!piece.Empty()) {
    const QTextBlock target = memo.document()->findBlockByNumber(startLine + piece.CaretLine);
    cursor.setPosition(target.position() + (piece.CaretLine == 0 ? startColumn : 0) + piece.CaretColumn);
  }
  memo.setTextCursor(cursor);
  memo.ensureCursorVisible();
}

// While a run holds the window its text takes no insertion.
void RunTemplate(TEditeur& editor, TTemplateDialog& dialog) {
  if (editor.RunReadOnly() || !dialog.Execute()) return;
  InsertPiece(*editor.Memo1, dialog.Template());
}

void RunLoopTemplate(TEditeur& editor, TBoucleWhile::TKind kind) {
  TBoucleWhile& dialog = TemplateWindows::BoucleWhile();
  dialog.SetKind(kind);
  RunTemplate(editor, dialog);
}

void RunFileTemplate(TEditeur& editor, int mode) {
  TFileIO& dialog = TemplateWindows::FileIO();
  dialog.RadioGroup1->SetItemIndex(mode);
  RunTemplate(editor, dialog);
}

}  // namespace

void TEditeur::Forg() { RunTemplate(*this, TemplateWindows::BoucleFor()); }
void TEditeur::whileg() { RunLoopTemplate(*this, TBoucleWhile::TKind::While); }
void TEditeur::Dog() { RunLoopTemplate(*this, TBoucleWhile::TKind::Do); }
void TEditeur::Ifg() { RunTemplate(*this, TemplateWindows::ConditionIf()); }
void TEditeur::Liref() { RunFileTemplate(*this, TFileIO::kLecture); }
void TEditeur::Ecriref() { RunFileTemplate(*this, TFileIO::kEcriture); }

void TEditeur::Instructions() {
  if (RunReadOnly()) return;
  TMotsCle& keywords = TemplateWindows::MotsCle();
  const int row = keywords.Execute();
  if (row < 0) return;
  QTextCursor cursor = Memo1->textCursor();
  cursor.insertText(keywords.Entry(row));
  Memo1->setTextCursor(cursor);
}

// The caret goes to the start of the line the chosen procedure was listed
// from.
void TEditeur::ListeSubs() {
  TListeSel& procedures = TemplateWindows::ListeSel();
  procedures.Init(*Memo1);
  const int row = procedures.Execute();
  if (row < 0) return;
  CaretToLine(procedures.EntryLine(row));
  Memo1->ensureCursorVisible();
}

}  // namespace orv
