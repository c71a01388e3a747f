#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QWheelEvent>

#include "editor/ColMemo.h"
#include "editor/line_gutter.h"
#include "common/gui/qt_text.h"

namespace orv {

TColorMemo::TColorMemo(QWidget* parent) : QPlainTextEdit(parent) {
  viewport()->setMouseTracking(true);
  connect(this, &QPlainTextEdit::textChanged, this, &TColorMemo::Recolor);
  // Vertical scrolls are seen in FollowScroll: QPlainTextEdit moves its top
  // line with the scroll bar's signals blocked when it brings the caret into
  // view (jumps, finds, a run's step line), so valueChanged misses those.
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (OnHScroll) OnHScroll(this);
    Recolor();
  });
  LineGutter = new TLineGutter(this);
  connect(this, &QPlainTextEdit::blockCountChanged, this, &TColorMemo::UpdateMargins);
  connect(this, &QPlainTextEdit::updateRequest, this, &TColorMemo::FollowScroll);
  UpdateMargins();
}

// ---- Line numbers ------------------------------------------------------------

void TColorMemo::SetTextInset(const QMargins& margins) {
  Inset = margins;
  UpdateMargins();
}

void TColorMemo::SetLineNumbersVisible(bool visible) {
  LineGutter->SetShown(visible);
  UpdateMargins();
}

bool TColorMemo::LineNumbersVisible() const { return LineGutter->Shown(); }

void TColorMemo::UpdateMargins() {
  QMargins margins = Inset;
  margins.setLeft(margins.left() + LineGutter->WantedWidth());
  if (margins != viewportMargins()) setViewportMargins(margins);
  LineGutter->Place();
  LineGutter->update();
}

// Every change of the top line, however it came, is a vertical scroll: the
// lines now in view get their colours.
void TColorMemo::FollowScroll(const QRect& rect, int dy) {
  if (dy != 0) LineGutter->update();
  else LineGutter->update(0, rect.y(), LineGutter->width(), rect.height() + viewport()->y());
  const int top = FirstVisibleLine();
  if (top == TopLine) return;
  TopLine = top;
  if (OnVScroll) OnVScroll(this);
  Recolor();
}

void TColorMemo::SetColorRules(const TDrawRules& rules) {
  Engine.ColorRules = rules;
  Recolor();
}

void TColorMemo::SetHotSpot(const THotSpot& hotSpot) {
  Engine.HotSpot = hotSpot;
  Recolor();
}

// ---- Offsets ---------------------------------------------------------------

int TColorMemo::OffsetFromPosition(int position) const {
  const QTextBlock block = document()->findBlock(std::max(0, position));
  if (!block.isValid()) {
    const QTextBlock last = document()->lastBlock();
    return last.position() + last.length() - 1 + last.blockNumber();
  }
  return position + block.blockNumber();
}

int TColorMemo::PositionFromOffset(int offset) const {
  const QTextDocument* doc = document();
  int lo = 0, hi = doc->blockCount() - 1;
  while (lo < hi) {  // the last block starting at or before the offset
    const int mid = (lo + hi + 1) / 2;
    if (doc->findBlockByNumber(mid).position() + mid <= offset) lo = mid;
    else hi = mid - 1;
  }
  const QTextBlock block = doc->findBlockByNumber(lo);
  const int column = std::clamp(offset - (block.position() + lo), 0, block.length() - 1);
  return block.position() + column;
}

// ---- Colours ---------------------------------------------------------------

QColor TColorMemo::ToQColor(TColor color) const {
  if ((color >> 24) == 0x80) {
    switch (color & 0xFF) {
      case 8: return palette().color(QPalette::Text);
      case 13: return palette().color(QPalette::Highlight);
      case 14: return palette().color(QPalette::HighlightedText);
      case 15: return palette().color(QPalette::Button);
      default: return palette().color(QPalette::Base);  // 5, the window background
    }
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

TColor TColorMemo::FontColor() const {
  const QColor c = palette().color(QPalette::Text);
  return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
         (static_cast<TColor>(c.blue()) << 16);
}

QColor TColorMemo::ColorAt(int position) const {
  const QTextBlock block = document()->findBlock(position);
  if (block.isValid()) {
    const int column = position - block.position();
    for (const auto& range : block.layout()->formats())
      if (column >= range.start && column < range.start + range.length && range.format.hasProperty(QTextFormat::ForegroundBrush))
        return range.format.foreground().color();
  }
  return palette().color(QPalette::Text);
}

// ---- The pass --------------------------------------------------------------

void TColorMemo::Recolor() {
  if (InRecolor) {  // the pass itself moved the view: one more pass follows
    RecolorAgain = true;
    return;
  }
  for (int passes = 0; passes < 3; ++passes) {
    RecolorAgain = false;
    RecolorPass();
    if (!RecolorAgain) break;
  }
}

void TColorMemo::RecolorPass() {
  if (!isVisible()) return;
  if (!isEnabled() || !Engine.HasWork()) {
    ClearFormats();
    return;
  }
  const TRegion region = ChooseRegion();
  if (!region.First.isValid()) return;
  InRecolor = true;
  FillRegionText(region);
  TPassOptions options;
  options.TabsAsText = !tabChangesFocus();
  options.FontColor = FontColor();
  options.RedrawAlways = RedrawAlways;
  const QTextCursor caret = textCursor();
  options.SelStart = OffsetFromPosition(caret.selectionStart());
  options.CaretLineStart = OffsetFromPosition(document()->findBlock(caret.selectionStart()).position());
  // The selection is left out: QPlainTextEdit draws its highlight over the
  // formats, which is what the selection's top priority stands for.
  const std::int32_t scanStart = region.First.position() + region.First.blockNumber();
  const int runs = Engine.Pass({RegionText, scanStart}, options);
  ApplyRuns(region, runs);
  InRecolor = false;
}

TColorMemo::TRegion TColorMemo::ChooseRegion() const {
  TRegion region;
  const QTextBlock first = firstVisibleBlock();
  if (!first.isValid()) return region;
  region.First = first;
  if (Engine.ColorRules.Count() > 0) {
    for (int back = Engine.ColorRules[0].KeyMaxHeight - 1; back > 0 && region.First.previous().isValid(); --back)
      region.First = region.First.previous();
  }
  // Every block that shows, even in part: the last line of the view is
  // coloured like the others.
  const qreal bottom = viewport()->height();
  qreal top = blockBoundingGeometry(first).translated(contentOffset()).top();
  region.Last = first;
  for (QTextBlock b = first; b.isValid(); b = b.next()) {
    if (b != first && top >= bottom) {
      region.EndsWithBreak = true;
      break;
    }
    region.Last = b;
    top += blockBoundingRect(b).height();
  }
  return region;
}

void TColorMemo::FillRegionText(const TRegion& region) {
  RegionText.clear();
  for (QTextBlock b = region.First; b.isValid(); b = b.next()) {
    RegionText += View(b.text());
    if (b == region.Last) break;
    RegionText += u"\r\n";
  }
  if (region.EndsWithBreak) RegionText += u"\r\n";
}

QTextCharFormat TColorMemo::RunFormat(const TKeyDescr& run) const {
  QTextCharFormat format;
  const QColor color = ToQColor(run.Color);
  format.setForeground(color);
  if (run.ZOrder == kZHotSpotMarker) format.setBackground(color);
  if (run.ZOrder == kZHotSpotText && Engine.HotSpot.Underlined) format.setFontUnderline(true);
  return format;
}

void TColorMemo::ApplyRuns(const TRegion& region, int runs) {
  Reformatted = 0;
  KeyRuns.clear();
  const int firstNo = region.First.blockNumber(), lastNo = region.Last.blockNumber();
  for (const int line : Formatted)
    if (line < firstNo || line > lastNo) SetBlockFormats(document()->findBlockByNumber(line), {});
  Formatted.clear();
  const TKeyDescrList& list = Engine.SpanList();
  int r = 0;
  for (QTextBlock b = region.First; b.isValid(); b = b.next()) {
    const int start = b.position() + b.blockNumber();
    const int end = start + b.length() - 2;  // last character of the block
    QList<QTextLayout::FormatRange> ranges;
    while (r < runs && list[r].EndPos < start) ++r;
    for (int k = r; k < runs && list[k].StartPos <= end; ++k) {
      const TKeyDescr& run = list[k];
      if (run.StartPos < 0 || run.ZOrder == kZSelection || run.ZOrder == kZTab) continue;
      const int s = std::max(run.StartPos, start), e = std::min(run.EndPos, end);
      if (s > e) continue;
      if (run.IsKey && OnDrawKey && run.StartPos >= start && run.EndPos <= end) {
        KeyRuns.push_back({b.blockNumber(), s - start, e - s + 1});
        continue;
      }
      ranges.append({s - start, e - s + 1, RunFormat(run)});
    }
    SetBlockFormats(b, ranges);
    if (!ranges.isEmpty()) Formatted.push_back(b.blockNumber());
    AnyFormats = AnyFormats || !ranges.isEmpty();
    if (b == region.Last) break;
  }
  if (OnDrawKey) viewport()->update();
}

void TColorMemo::SetBlockFormats(const QTextBlock& block, const QList<QTextLayout::FormatRange>& ranges) {
  if (!block.isValid()) return;
  QTextLayout* layout = block.layout();
  if (layout->formats() == ranges) return;
  layout->setFormats(ranges);
  document()->markContentsDirty(block.position(), block.length());
  ++Reformatted;
}

// Rare (rules removed, area disabled): every block, since blocks formatted
// earlier may have moved.
void TColorMemo::ClearFormats() {
  if (!AnyFormats) return;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
    if (!b.layout()->formats().isEmpty()) SetBlockFormats(b, {});
  Formatted.clear();
  KeyRuns.clear();
  AnyFormats = false;
}

// ---- Triggers --------------------------------------------------------------

bool TColorMemo::CollapseSelectionForNavigation(QKeyEvent* e) {
  QTextCursor cursor = textCursor();
  if (!cursor.hasSelection() || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
      QGuiApplication::mouseButtons() != Qt::NoButton)
    return false;
  switch (e->key()) {
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_End: case Qt::Key_Home:
    case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Down:
      break;
    default:
      return false;
  }
  cursor.setPosition(cursor.selectionEnd());
  setTextCursor(cursor);
  Recolor();
  return true;
}

void TColorMemo::keyPressEvent(QKeyEvent* e) {
  CollapseSelectionForNavigation(e);
  if (OnKeyPress && OnKeyPress(e)) {
    e->accept();
    return;
  }
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (enter && (e->modifiers() & Qt::ShiftModifier)) {
    // A line break is always a new source line, never a break inside one.
    QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, QStringLiteral("\r"));
    QPlainTextEdit::keyPressEvent(&plain);
    return;
  }
  const QString text = e->text();
  const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                      !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (typing && !isReadOnly()) {
    const QString clean = ToEditorText(text);
    if (clean != text) {
      QTextCursor cursor = textCursor();
      cursor.insertText(clean);
      setTextCursor(cursor);
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(e);
}

void TColorMemo::keyReleaseEvent(QKeyEvent* e) {
  QPlainTextEdit::keyReleaseEvent(e);
  if (e->key() == Qt::Key_Shift && (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) Recolor();
}

void TColorMemo::mousePressEvent(QMouseEvent* e) {
  QPlainTextEdit::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && e->modifiers() == Qt::NoModifier) Recolor();
}

void TColorMemo::mouseReleaseEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton) return;
  Recolor();
  QString src;
  if (Engine.HotSpot.Active && OnHotSpotClick && HotSpotAt(e->position().toPoint(), &src)) OnHotSpotClick(this, src);
}

void TColorMemo::mouseMoveEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseMoveEvent(e);
  const bool over = Engine.HotSpot.Active && HotSpotAt(e->position().toPoint(), nullptr);
  if (over != OverHotSpot) {
    OverHotSpot = over;
    viewport()->setCursor(over ? Qt::PointingHandCursor : Qt::IBeamCursor);
  }
}

void TColorMemo::paintEvent(QPaintEvent* e) {
  QPlainTextEdit::paintEvent(e);
  DrawKeyRuns();
}

void TColorMemo::resizeEvent(QResizeEvent* e) {
  QPlainTextEdit::resizeEvent(e);
  LineGutter->Place();
  Recolor();
}

void TColorMemo::wheelEvent(QWheelEvent* e) {
  if ((e->modifiers() & Qt::ControlModifier) && OnZoom) {
    if (const int steps = e->angleDelta().y() / 120; steps != 0) OnZoom(steps);
    e->accept();
    return;
  }
  QPlainTextEdit::wheelEvent(e);
}

void TColorMemo::showEvent(QShowEvent* e) {
  QPlainTextEdit::showEvent(e);
  Recolor();
}

void TColorMemo::changeEvent(QEvent* e) {
  QPlainTextEdit::changeEvent(e);
  if (e->type() == QEvent::FontChange) UpdateMargins();
  if (e->type() == QEvent::FontChange || e->type() == QEvent::EnabledChange || e->type() == QEvent::PaletteChange)
    Recolor();
}

void TColorMemo::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !source->hasText()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(ToEditorText(source->text()));
  setTextCursor(cursor);
  ensureCursorVisible();
}

// ---- Hot spots and drawn keywords --------------------------------------------

bool TColorMemo::HotSpotAt(const QPoint& pos, QString* src) const {
  const QTextCursor cursor = cursorForPosition(pos);
  const QString line = cursor.block().text();
  const int column = cursor.positionInBlock();
  const QChar begin(Engine.HotSpot.BeginChar), end(Engine.HotSpot.EndChar);
  const QString rest = line.mid(column);
  const int e = static_cast<int>(rest.indexOf(end)) + 1, b = static_cast<int>(rest.indexOf(begin)) + 1;
  const bool inside = e > 0 && (e < b || b == 0 || begin == end);
  if (inside && src) {
    QString head = line.left(column);
    if (const qsizetype last = head.lastIndexOf(begin); last >= 0) head = head.mid(last + 1);
    *src = head + rest.left(e - 1);
  }
  return inside;
}

void TColorMemo::DrawKeyRuns() {
  if (!OnDrawKey || KeyRuns.empty()) return;
  QPainter painter(viewport());
  painter.setFont(font());
  const QPointF offset = contentOffset();
  for (const TKeyRun& key : KeyRuns) {
    const QTextBlock block = document()->findBlockByNumber(key.Line);
    if (!block.isValid()) continue;
    const QTextLayout* layout = block.layout();
    const QTextLine line = layout->lineForTextPosition(key.Column);
    if (!line.isValid()) continue;
    const QPointF origin = blockBoundingGeometry(block).translated(offset).topLeft() + layout->position();
    const QString text = block.text().mid(key.Column, key.Length);
    const QRect rect(QPointF(origin.x() + line.cursorToX(key.Column), origin.y() + line.y()).toPoint(),
                     QSize(fontMetrics().horizontalAdvance(text), qRound(line.height())));
    OnDrawKey(painter, text, rect, palette().color(QPalette::Text));
  }
}

}  // namespace orv
