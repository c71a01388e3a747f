// TColorMemo: the colouring text area of the editor windows. Editing,
// selection, clipboard and scrolling stay QPlainTextEdit's; the component
// colours the characters of the lines in view as its rules say, by giving the
// text blocks character formats (the selection highlight is drawn over them).
#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>
#include <functional>
#include <vector>

#include "editor/rules/colorizer.h"

namespace orv {

class TLineGutter;

class TColorMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  using TNotifyEvent = std::function<void(TColorMemo* Sender)>;
  using THotSpotClickEvent = std::function<void(TColorMemo* Sender, const QString& SRC)>;
  // Draws a keyword run itself (instead of the component) after each paint.
  using TKeyDrawEvent =
      std::function<void(QPainter& Canvas, const QString& PKey, const QRect& Rect, const QColor& KColor)>;
  // Sees a key before the control; true when it consumed the key.
  using TKeyPressEvent = std::function<bool(QKeyEvent* Key)>;

  explicit TColorMemo(QWidget* parent = nullptr);

  TNotifyEvent OnVScroll;
  TNotifyEvent OnHScroll;
  THotSpotClickEvent OnHotSpotClick;
  TKeyDrawEvent OnDrawKey;
  TKeyPressEvent OnKeyPress;
  void SetOnDraw(TDrawEvent handler) { Engine.Events.OnDraw = std::move(handler); }

  TDrawRules& ColorRules() { return Engine.ColorRules; }
  void SetColorRules(const TDrawRules& rules);
  int ColorLimMax() const { return Engine.Events.ColorLimMax(); }
  void SetColorLimMax(int n) { Engine.Events.SetColorLimMax(n); }
  THotSpot& HotSpot() { return Engine.HotSpot; }
  void SetHotSpot(const THotSpot& hotSpot);
  bool RedrawAlways = false;
  bool CanColor() const { return true; }

  // The colouring pass over the lines in view. Only blocks whose colours
  // changed get new formats, so typing a letter re-formats its line alone.
  void Recolor();
  int LastPassReformatted() const { return Reformatted; }
  int FirstVisibleLine() const { return firstVisibleBlock().blockNumber(); }
  QTextBlock FirstVisibleBlock() const { return firstVisibleBlock(); }

  // Offsets in which a line break counts two characters (CR LF), and back.
  int OffsetFromPosition(int position) const;
  int PositionFromOffset(int offset) const;
  // The text colour shown at a document position.
  QColor ColorAt(int position) const;
  QColor ToQColor(TColor color) const;
  TColor FontColor() const;
  // The blank around the text; the line numbers come left of it.
  void SetTextInset(const QMargins& margins);
  void SetLineNumbersVisible(bool visible);
  bool LineNumbersVisible() const;
  TLineGutter* Gutter() const { return LineGutter; }
  // Where a block stands in the viewport.
  QRectF GeometryOf(const QTextBlock& block) const {
    return blockBoundingGeometry(block).translated(contentOffset());
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;
  void insertFromMimeData(const QMimeData* source) override;
  void wheelEvent(QWheelEvent* e) override;

 public:
  // Ctrl + wheel: a step up or down (the editor window zooms).
  std::function<void(int Steps)> OnZoom;

 private:
  struct TRegion {
    QTextBlock First, Last;  // scanned blocks, inclusive
    bool EndsWithBreak = false;
  };
  struct TKeyRun {
    int Line = 0, Column = 0, Length = 0;
  };

  void RecolorPass();
  bool CollapseSelectionForNavigation(QKeyEvent* e);
  TRegion ChooseRegion() const;
  void FillRegionText(const TRegion& region);
  void ApplyRuns(const TRegion& region, int runs);
  QTextCharFormat RunFormat(const TKeyDescr& run) const;
  void SetBlockFormats(const QTextBlock& block, const QList<QTextLayout::FormatRange>& ranges);
  void ClearFormats();
  bool HotSpotAt(const QPoint& pos, QString* src) const;
  void DrawKeyRuns();

  void UpdateMargins();
  void FollowScroll(const QRect& rect, int dy);

  TColorizer Engine;
  TLineGutter* LineGutter = nullptr;
  QMargins Inset;
  std::u16string RegionText;  // reused from pass to pass
  // Block numbers, not QTextBlock handles: a handle outlives its block when
  // the text is edited. A block that moved keeps stale formats only while out
  // of view; every pass recomputes the blocks in view.
  std::vector<int> Formatted;
  bool AnyFormats = false;  // some block may carry formats
  std::vector<TKeyRun> KeyRuns;
  bool InRecolor = false;
  bool RecolorAgain = false;
  int TopLine = 0;  // the first visible line at the last scroll seen
  bool OverHotSpot = false;
  int Reformatted = 0;
};

}  // namespace orv
