#include "editor/rules/colorizer.h"

#include <algorithm>

namespace orv {

int TColorizer::Pass(const TScanText& text, const TPassOptions& options) {
  ColorRules.PrepareAll();
  Spans.Reset();
  Produce(text, options);
  if (!Resolve()) {
    Spans.WriteNone(0);
    return 0;
  }
  return BuildRuns();
}

void TColorizer::Produce(const TScanText& text, const TPassOptions& options) {
  int next = FindHotSpots(HotSpot, 0, text, Spans);
  if (options.TabsAsText) next = FindTabs(options.Background, next, text, Spans);
  if (options.RedrawAlways)
    next = Spans.Write(next, {options.CaretLineStart, options.SelStart, options.FontColor, 0, 0});
  for (int i = 0; i < ColorRules.Count(); ++i)
    if (ColorRules[i].Enabled) next = ColorRules[i].FindSpans(next, text, Spans);
  if (options.SelLength > 0)
    Spans.Write(next, {options.SelStart, options.SelStart + options.SelLength - 1, 0, kZSelection, 0});
}

bool TColorizer::Resolve() {
  const std::int32_t first = Spans.DirtyFirst, last = Spans.DirtyLast;
  if (first < 0 || last < first) return false;
  CellCount = static_cast<size_t>(last - first) + 2;  // one extra, empty, cell
  if (Cells.size() < CellCount) Cells.resize(CellCount);
  std::fill_n(Cells.begin(), CellCount, TCell{});
  for (int i = 0; i < Spans.Count(); ++i) {
    const TKeyDescr& span = Spans[i];
    if (span.StartPos == NoSpan || span.EndPos == NoSpan || span.EndPos < span.StartPos) continue;
    for (std::int32_t p = span.StartPos; p <= span.EndPos; ++p) {
      TCell& cell = Cells[static_cast<size_t>(p - first)];
      if (span.ZOrder >= cell.ZOrder) cell = {span.Color, span.ZOrder, span.IsKey, true};
    }
  }
  return true;
}

int TColorizer::BuildRuns() {
  const std::int32_t base = Spans.DirtyFirst;
  int out = 0;
  size_t runStart = 0;
  for (size_t i = 1; i < CellCount; ++i) {
    if (Cells[i].SameRun(Cells[runStart])) continue;
    const TCell& lastCell = Cells[i - 1];
    if (lastCell.Covered) {
      out = Spans.Write(out, {base + static_cast<std::int32_t>(runStart),
                              base + static_cast<std::int32_t>(i - 1), lastCell.Color, lastCell.ZOrder,
                              lastCell.IsKey});
    }
    runStart = i;
  }
  Spans.WriteNone(out);
  return out;
}

std::vector<TKeyDescr> TColorizer::Runs(int count) const {
  std::vector<TKeyDescr> runs;
  for (int i = 0; i < count && i < Spans.Count(); ++i) runs.push_back(Spans[i]);
  return runs;
}

}  // namespace orv
