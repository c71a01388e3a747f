// The band of line numbers at the left of an editor's text area. It follows
// the text area's scrolling and font, fits its width to the number of lines,
// and shows a red dot beside the lines that carry a breakpoint.
#pragma once

#include <QWidget>

namespace orv {

class TColorMemo;

class TLineGutter : public QWidget {
  Q_OBJECT

 public:
  explicit TLineGutter(TColorMemo* memo);

  // Shown or not; hidden by default.
  void SetShown(bool shown);
  bool Shown() const { return shown_; }
  // The width for the memo's current line count and font (0 when hidden).
  int WantedWidth() const;
  // Keeps the gutter over the memo's left margin; the memo calls it.
  void Place();
  QSize sizeHint() const override { return QSize(WantedWidth(), 0); }

  static const QColor& BandColor();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColorMemo* memo_;
  bool shown_ = false;
};

}  // namespace orv
