// The editor window: construction, caret positions, edit commands, automatic
// indentation and the window events.
#include <QCloseEvent>
#include <QFileInfo>
#include <QTextBlock>
#include <QVBoxLayout>

#include "common/markers.h"
#include "editor/Childwin.h"
#include "editor/find_dialogs.h"
#include "editor/rules/java_rules.h"
#include "interp/gui/session.h"

namespace orv {

namespace {
constexpr int kMaxIndent = 255;
}

TEditeur::TEditeur(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  Memo1 = new TColorMemo(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Memo1);
  SourceLines = new TEditorLines(Memo1->document());
  Dialogs_ = &TEditeurDialogs::Standard();
  FindDlg = new TFindDialog(this);
  ReplaceDlg = new TReplaceDialog(this);
  connect(FindDlg, &TSearchDialog::FindNextClicked, this, &TEditeur::Find);
  connect(ReplaceDlg, &TSearchDialog::FindNextClicked, this, &TEditeur::Find);
  connect(ReplaceDlg, &TReplaceDialog::ReplaceClicked, this, &TEditeur::Replace);
  Memo1->OnKeyPress = [this](QKeyEvent* key) { return ViewKeyPress(key) || FormKeyPress(key); };
  Memo1->OnZoom = [this](int steps) { ZoomBy(steps); };
  connect(Memo1->document(), &QTextDocument::contentsChanged, this, &TEditeur::UpdateLineHighlights);
  FormCreate();
  ApplyViewSettings();
}

TEditeur::~TEditeur() = default;

QString TEditeur::DefaultText() {
  return QStringLiteral(
      "import java.util.*;\n"
      "class Sansnom\n"
      "{\n"
      " static int i;\n"
      " static float r;\n"
      " static char c;\n"
      " public static void main(String args[])\n"
      " {\n"
      "  \n"
      " }\n"
      "}");
}

void TEditeur::FormCreate() {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(17);
  setFont(font);
  QPalette palette = Memo1->palette();
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));  // the inset around the text
  Memo1->setPalette(palette);
  Memo1->setAutoFillBackground(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->document()->setDocumentMargin(0);
  // One source line is one line on the screen; scroll bars show when the
  // text does not fit.
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Memo1->setTabChangesFocus(true);
  InstallJavaRules(Memo1->ColorRules());
  LoadText(DefaultText());
  FormResize();
}

void TEditeur::FormResize() { Memo1->SetTextInset(QMargins(3, 2, 3, 2)); }

void TEditeur::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TEditeur::LoadText(const QString& text) {
  SourceLines->SetSuspended(true);
  Memo1->setPlainText(text);
  SourceLines->SetSuspended(false);
  SourceLines->Rebuild();
  Memo1->document()->setModified(false);
}

bool TEditeur::Modified() const { return Memo1->document()->isModified(); }
void TEditeur::SetModified(bool modified) { Memo1->document()->setModified(modified); }

void TEditeur::SetDialogs(TEditeurDialogs* dialogs) {
  Dialogs_ = dialogs ? dialogs : &TEditeurDialogs::Standard();
}

void TEditeur::Message(const QString& text) { Dialogs_->Message(this, text); }

void TEditeur::SetRunReadOnly(bool readOnly) { Memo1->setReadOnly(readOnly); }
bool TEditeur::RunReadOnly() const { return Memo1->isReadOnly(); }

// ---- Caret -----------------------------------------------------------------

int TEditeur::CaretOffset() const { return Memo1->OffsetFromPosition(Memo1->textCursor().selectionStart()); }

void TEditeur::SetCaretOffset(int offset) {
  QTextCursor cursor = Memo1->textCursor();
  cursor.setPosition(Memo1->PositionFromOffset(offset));
  Memo1->setTextCursor(cursor);
}

int TEditeur::LineOffset(int line) const {
  const QTextDocument* doc = Memo1->document();
  if (line <= 0) return 0;
  if (line >= doc->blockCount()) return doc->characterCount() + doc->blockCount();
  return doc->findBlockByNumber(line).position() + line;
}

void TEditeur::CaretToLine(int line) { SetCaretOffset(LineOffset(line)); }

int TEditeur::CaretLine() const {
  return Memo1->document()->findBlock(Memo1->textCursor().selectionStart()).blockNumber();
}

// ---- Edit commands ---------------------------------------------------------

void TEditeur::Copier() { Memo1->copy(); }
void TEditeur::Couper() { Memo1->cut(); }
void TEditeur::Coller() { Memo1->paste(); }
void TEditeur::ToutSelectionner() { Memo1->selectAll(); }

void TEditeur::Raz() {
  const std::vector<std::string>& blocks = SourceLines->Blocks();
  QTextCursor group(Memo1->document());
  group.beginEditBlock();
  for (int i = 0; i < static_cast<int>(blocks.size()); ++i) {
    const std::string& line = blocks[static_cast<size_t>(i)];
    if (!line.empty() && line[0] == kStepMarker) SourceLines->SetLine(i, line.substr(1));
  }
  group.endEditBlock();
}

// Enter on a line below the first starts the new line with the blanks and
// tabs that begin the reference line: the caret's own line, or the line
// above when the caret stands in column 0 or 1.
bool TEditeur::FormKeyPress(QKeyEvent* key) {
  if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || Memo1->isReadOnly()) return false;
  QTextCursor cursor = Memo1->textCursor();
  const QTextBlock block = Memo1->document()->findBlock(cursor.selectionStart());
  const int column = cursor.selectionStart() - block.position();
  const QTextBlock reference = column <= 1 ? block.previous() : block;
  if (!reference.isValid() || reference.blockNumber() == 0) return false;
  const QString text = reference.text();
  int n = 0;
  while (n < text.size() && n < kMaxIndent && (text[n] == u' ' || text[n] == u'\t')) ++n;
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  cursor.insertBlock();
  cursor.insertText(text.left(n));
  cursor.endEditBlock();
  Memo1->setTextCursor(cursor);
  return true;
}

// ---- Window events ---------------------------------------------------------

bool TEditeur::FormCloseQuery() {
  // A running program reads this window's lines: it is interrupted first.
  if (Interpreter().Running()) {
    Interpreter().RequestInterrupt();
    return false;
  }
  if (!Modified()) return true;
  switch (Dialogs_->Question(this, QStringLiteral("Enregistrer changements dans '%1'?").arg(ProgramName()))) {
    case TEditeurDialogs::TAnswer::Oui: return Enregistrer();  // a save that did not happen keeps the window
    case TEditeurDialogs::TAnswer::Non: return true;
    case TEditeurDialogs::TAnswer::Annuler: return false;
  }
  return false;
}

void TEditeur::closeEvent(QCloseEvent* event) {
  if (!closeAgreed_ && !FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

// The program's files are closed when its window goes away or another window
// becomes active; never under a running program.
void TEditeur::FormClose() {
  if (!Interpreter().Running()) Interpreter().Interpreter().CloseAll();
  emit Closed(this);
}

void TEditeur::FormActivate() {
  Interpreter().StepMode = 0;
  emit Activated(this);
}

void TEditeur::FormDeactivate() {
  if (!Interpreter().Running()) Interpreter().Interpreter().CloseAll();
  emit Deactivated(this);
}

}  // namespace orv
