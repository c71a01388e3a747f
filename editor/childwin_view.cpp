// The editor window's view: line numbers, the highlighted stop and step
// lines, zoom, going to a line, undo and redo keys.
#include <QKeyEvent>
#include <QTextBlock>

#include "common/markers.h"
#include "editor/Childwin.h"
#include "editor/line_gutter.h"
#include "common/gui/view_settings.h"

namespace orv {
namespace {

constexpr int kBaseFontPixels = 17;
const QString kLineNumbersKey = QStringLiteral("editeur/numerosDeLigne");
const QString kZoomKey = QStringLiteral("zoom/editeur");

}  // namespace

const QColor& TEditeur::StopLineColor() {
  static const QColor color(0xFF, 0xD4, 0xD4);
  return color;
}

const QColor& TEditeur::StepLineColor() {
  static const QColor color(0xFF, 0xF4, 0xA8);
  return color;
}

void TEditeur::ApplyViewSettings() {
  Memo1->SetLineNumbersVisible(LineNumbersWanted());
  SetZoom(RememberedZoom(kZoomKey));
}

bool TEditeur::LineNumbersWanted() { return Setting(kLineNumbersKey, true).toBool(); }
void TEditeur::SetLineNumbersWanted(bool shown) { SetSetting(kLineNumbersKey, shown); }

void TEditeur::SetZoom(int percent) {
  Zoom_ = percent;
  QFont font = this->font();
  font.setPixelSize(std::max(6, kBaseFontPixels * percent / kNormalZoom));
  Memo1->setFont(font);
}

// The new level becomes the one new windows open with.
void TEditeur::ZoomBy(int steps) {
  SetZoom(ZoomStep(Zoom_, steps));
  SetSetting(kZoomKey, Zoom_);
}

// Ctrl++, Ctrl+- and Ctrl+0 zoom; Ctrl+Y redoes as Ctrl+Maj+Z does.
bool TEditeur::ViewKeyPress(QKeyEvent* key) {
  if (!(key->modifiers() & Qt::ControlModifier)) return false;
  switch (key->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: ZoomBy(1); return true;
    case Qt::Key_Minus: ZoomBy(-1); return true;
    case Qt::Key_0: ZoomBy(0); return true;
    case Qt::Key_Y:
      if (key->modifiers() & Qt::ShiftModifier) return false;
      Memo1->redo();
      return true;
    default: return false;
  }
}

// The failing line keeps its colour until the text changes or another run
// starts; the "•" line is yellow for as long as its marker stands.
void TEditeur::SetStopLine(int line, const QColor& color) {
  StopLine_ = line;
  StopColor_ = color;
  StopRevision_ = Memo1->document()->revision();
  HighlightRevision_ = -1;
  UpdateLineHighlights();
}

// Runs on every change of the document, colouring passes included; only an
// edit (a new revision) can move the markers or end the stop line's colour.
void TEditeur::UpdateLineHighlights() {
  const int revision = Memo1->document()->revision();
  if (revision == HighlightRevision_) return;
  HighlightRevision_ = revision;
  if (StopLine_ >= 0 && revision != StopRevision_) StopLine_ = -1;
  QList<QTextEdit::ExtraSelection> selections;
  auto add = [&](int line, const QColor& color) {
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(Memo1->document()->findBlockByNumber(line));
    selection.format.setBackground(color);
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    selections << selection;
  };
  const std::vector<std::string>& blocks = SourceLines->Blocks();
  for (size_t i = 0; i < blocks.size(); ++i)
    if (!blocks[i].empty() && blocks[i][0] == kStepMarker) add(static_cast<int>(i), StepLineColor());
  if (StopLine_ >= 0 && StopLine_ < Memo1->document()->blockCount()) add(StopLine_, StopColor_);
  Memo1->setExtraSelections(selections);
}

QColor TEditeur::LineBackground(int line) const {
  for (const QTextEdit::ExtraSelection& selection : Memo1->extraSelections())
    if (selection.cursor.blockNumber() == line) return selection.format.background().color();
  return Memo1->palette().color(QPalette::Base);
}

void TEditeur::AllerALaLigne() {
  const int count = std::max(1, Memo1->document()->blockCount());
  const int line = Dialogs_->AskLineNumber(this, CaretLine() + 1, count);
  if (line < 1) return;
  CaretToLine(std::min(line, count) - 1);
  Memo1->ensureCursorVisible();
  Memo1->setFocus();
}

}  // namespace orv
