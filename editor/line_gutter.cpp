#include "editor/line_gutter.h"

#include <QPainter>
#include <QPaintEvent>
#include <QTextBlock>

#include "editor/ColMemo.h"

namespace orv {
namespace {

constexpr int kPadding = 6;            // blank on each side of the numbers
constexpr ushort kBreakMarker = 0x00BB;  // "»" starts a breakpoint line

}  // namespace

TLineGutter::TLineGutter(TColorMemo* memo) : QWidget(memo), memo_(memo) {
  setObjectName("LineGutter");
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
}

void TLineGutter::SetShown(bool shown) {
  shown_ = shown;
  setVisible(shown);
}

const QColor& TLineGutter::BandColor() {
  static const QColor band(0xE8, 0xE8, 0xE8);
  return band;
}

int TLineGutter::WantedWidth() const {
  if (!shown_) return 0;
  int digits = 1;
  for (int n = memo_->document()->blockCount(); n >= 10; n /= 10) ++digits;
  const QFontMetrics metrics(memo_->font());
  return 2 * kPadding + digits * metrics.horizontalAdvance(u'9') + metrics.height() / 2;
}

void TLineGutter::Place() {
  const QRect area = memo_->contentsRect();
  setGeometry(area.left(), area.top(), WantedWidth(), area.height());
}

void TLineGutter::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), BandColor());
  painter.setFont(memo_->font());
  const QFontMetrics metrics(memo_->font());
  const int dot = std::max(4, metrics.height() / 3);
  // The viewport sits a margin below the gutter's top.
  const int shift = memo_->viewport()->geometry().top() - geometry().top();
  QTextBlock block = memo_->FirstVisibleBlock();
  qreal top = memo_->GeometryOf(block).top() + shift;
  while (block.isValid() && top <= event->rect().bottom()) {
    const qreal height = memo_->GeometryOf(block).height();
    if (block.isVisible() && top + height >= event->rect().top()) {
      const QRectF line(0, top, width() - kPadding, metrics.height());
      painter.setPen(memo_->palette().color(QPalette::Text));
      painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QString::number(block.blockNumber() + 1));
      const QString text = block.text();
      if (!text.isEmpty() && text.at(0).unicode() == kBreakMarker) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xD0, 0x10, 0x10));
        painter.drawEllipse(QRectF(kPadding / 2.0, top + (metrics.height() - dot) / 2.0, dot, dot));
        painter.setRenderHint(QPainter::Antialiasing, false);
      }
    }
    top += height;
    block = block.next();
  }
}

}  // namespace orv
