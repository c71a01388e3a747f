// One colouring pass over a region: every producer writes its spans, the
// spans are resolved by priority into cells, and equal neighbouring cells are
// merged into the drawable runs. Qt-free, so the whole pass is tested on texts.
#pragma once

#include <vector>

#include "editor/rules/color_rules.h"

namespace orv {

struct TPassOptions {
  bool TabsAsText = false;    // the control takes tab characters as text
  TColor Background = kClWindow;
  TColor FontColor = 0;
  bool RedrawAlways = false;  // adds the caret's line up to the caret in the font colour
  std::int32_t CaretLineStart = 0;
  std::int32_t SelStart = 0;  // the selection, absolute offsets
  std::int32_t SelLength = 0;
};

class TColorizer {
 public:
  TColorizer() : ColorRules(&Events) {}
  TColorizer(const TColorizer&) = delete;

  // Produces, resolves and builds the runs; returns how many runs there are.
  // The runs are SpanList()[0 .. result), followed by a NoSpan record when
  // the list is longer.
  int Pass(const TScanText& text, const TPassOptions& options);
  bool HasWork() const { return ColorRules.Count() > 0 || HotSpot.Active; }
  const TKeyDescrList& SpanList() const { return Spans; }
  std::vector<TKeyDescr> Runs(int count) const;

  TDrawRules ColorRules;
  THotSpot HotSpot;
  TEventDrawHost Events;

 private:
  struct TCell {
    TColor Color = 0;
    std::uint8_t ZOrder = 0;
    std::uint8_t IsKey = 0;
    bool Covered = false;
    bool SameRun(const TCell& o) const {
      return Color == o.Color && ZOrder == o.ZOrder && IsKey == o.IsKey;
    }
  };

  void Produce(const TScanText& text, const TPassOptions& options);
  bool Resolve();
  int BuildRuns();

  TKeyDescrList Spans;
  std::vector<TCell> Cells;
  size_t CellCount = 0;
};

}  // namespace orv
