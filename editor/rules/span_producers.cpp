// The span producers: the four rule kinds, hot spots and tabs. Each scans only
// the region it is given and writes absolute offsets.
#include <algorithm>

#include "editor/rules/color_rules.h"

namespace orv {
namespace {

constexpr size_t kNone = std::u16string_view::npos;

TKeyDescr Span(const TScanText& text, size_t first, size_t last, TColor color, std::uint8_t z,
               std::uint8_t isKey = 0) {
  return {text.ScanStart + static_cast<std::int32_t>(first),
          text.ScanStart + static_cast<std::int32_t>(last), color, z, isKey};
}

// The leftmost occurrence at or after pos among the begin texts of the first
// n pairs; on a tie the earlier entry wins.
size_t FindLeftmost(std::u16string_view hay, const std::vector<TColorRule::TPair>& pairs, int n,
                    size_t pos, int& which) {
  size_t best = kNone;
  for (int k = 0; k < n; ++k) {
    const size_t p = hay.find(pairs[static_cast<size_t>(k)].Begin, pos);
    if (p < best) {
      best = p;
      which = k;
    }
  }
  return best;
}

bool AcceptedAsWord(std::u16string_view hay, size_t p, size_t len) {
  const bool before = p > 0 && IsKeyLetter(hay[p - 1]);
  const bool after = p + len < hay.size() && IsKeyLetter(hay[p + len]);
  return !before && !after;
}

}  // namespace

int TColorRule::FindSpans(int next, const TScanText& text, TKeyDescrList& list) {
  switch (KeyDrawingType) {
    case TKeyDrawingType::dtKeyShow: return FindKeywords(next, text, list);
    case TKeyDrawingType::dtEventDraw: return FindEventDraw(next, text, list);
    case TKeyDrawingType::dtBeginEnd: return FindBeginEnd(next, text, list);
    case TKeyDrawingType::dtBeginLineEnd: return FindBeginLineEnd(next, text, list);
  }
  return next;
}

int TColorRule::FindKeywords(int next, const TScanText& text, TKeyDescrList& list) {
  if (KeywordsPrepared.empty()) return next;
  std::u16string_view hay = text.Chars;
  if (!KeyCase) {
    WorkBuffer.assign(text.Chars);  // keeps its capacity from pass to pass
    for (char16_t& c : WorkBuffer) c = AsciiUpper(c);
    hay = WorkBuffer;
  }
  for (const TKeyword& key : KeywordsPrepared) {
    const TColor color = Colors[static_cast<size_t>(key.ColorIndex - 1)];
    const size_t len = key.Text.size();
    for (size_t p = hay.find(key.Text); p != kNone; p = hay.find(key.Text, p + len)) {
      if (PartWord || AcceptedAsWord(hay, p, len))
        next = list.Write(next, Span(text, p, p + len - 1, color, ZOrder, 1));
    }
  }
  return next;
}

int TColorRule::FindBeginEnd(int next, const TScanText& text, TKeyDescrList& list) {
  const int n = ActivePairCount();
  const std::u16string_view hay = text.Chars;
  size_t pos = 0;
  while (n > 0 && pos <= hay.size()) {
    int k = 0;
    const size_t begin = FindLeftmost(hay, Pairs, n, pos, k);
    if (begin == kNone) break;
    const TPair& pair = Pairs[static_cast<size_t>(k)];
    const size_t end = hay.find(pair.End, begin + 1);
    if (end == kNone) return list.WriteNone(next);  // an opening without its close
    next = list.Write(next, Span(text, begin, end + pair.End.size() - 1, pair.Color, ZOrder));
    pos = end + 1;
  }
  return next;
}

int TColorRule::FindBeginLineEnd(int next, const TScanText& text, TKeyDescrList& list) {
  const int n = ActivePairCount();
  const std::u16string_view hay = text.Chars;
  size_t pos = 0;
  while (n > 0 && pos <= hay.size()) {
    int k = 0;
    const size_t marker = FindLeftmost(hay, Pairs, n, pos, k);
    if (marker == kNone) break;
    const TColor color = Pairs[static_cast<size_t>(k)].Color;
    const size_t lineEnd = hay.find(u"\r\n", marker + 1);
    if (lineEnd == kNone) return list.Write(next, Span(text, marker, hay.size() - 1, color, ZOrder));
    next = list.Write(next, Span(text, marker, lineEnd - 1, color, ZOrder));
    pos = lineEnd + 1;
  }
  return next;
}

int TColorRule::FindEventDraw(int next, const TScanText& text, TKeyDescrList& list) {
  TEventDrawHost* host = Collection ? Collection->Owner : nullptr;
  if (!host || host->ColorLimMax() <= 0 || !host->OnDraw) return next;
  std::fill(host->Descriptors.begin(), host->Descriptors.end(), TKeyDescr{0, 0, 0, 0, 0});
  int count = 0;
  host->OnDraw(*this, text.Chars, std::span<TKeyDescr>(host->Descriptors), count);
  // A handler may report more than it was given room for, or stray offsets:
  // only what lies inside the array and the region is used.
  count = std::clamp(count, 0, host->ColorLimMax());
  const std::int32_t size = static_cast<std::int32_t>(text.Chars.size());
  for (int i = 0; i < count; ++i) {
    const TKeyDescr& d = host->Descriptors[static_cast<size_t>(i)];
    if (d.StartPos == NoSpan || d.EndPos == NoSpan) continue;
    const std::int32_t first = std::max<std::int32_t>(d.StartPos, 0);
    const std::int32_t last = std::min<std::int32_t>(d.EndPos, size - 1);
    if (first > last) continue;
    next = list.Write(next, Span(text, static_cast<size_t>(first), static_cast<size_t>(last), d.Color,
                                 d.ZOrder != 0 ? d.ZOrder : ZOrder));
  }
  return next;
}

int FindHotSpots(const THotSpot& hotSpot, int next, const TScanText& text, TKeyDescrList& list) {
  if (!hotSpot.Active || hotSpot.BeginChar == 0) return next;
  const std::u16string_view hay = text.Chars;
  size_t pos = 0;
  while (pos <= hay.size()) {
    const size_t open = hay.find(hotSpot.BeginChar, pos);
    if (open == kNone) break;
    const size_t close = hay.find(hotSpot.EndChar, open + 1);
    if (close == kNone) return list.WriteNone(next);
    next = list.Write(next, Span(text, open, open, hotSpot.MarkerColor, kZHotSpotMarker));
    // Adjacent markers give an empty stretch (its end before its start).
    next = list.Write(next, {text.ScanStart + static_cast<std::int32_t>(open + 1),
                             text.ScanStart + static_cast<std::int32_t>(close) - 1, hotSpot.Color,
                             kZHotSpotText, 0});
    next = list.Write(next, Span(text, close, close, hotSpot.MarkerColor, kZHotSpotMarker));
    pos = close + 1;
  }
  return next;
}

int FindTabs(TColor background, int next, const TScanText& text, TKeyDescrList& list) {
  const std::u16string_view hay = text.Chars;
  for (size_t p = hay.find(u'\t'); p != kNone; p = hay.find(u'\t', p + 1))
    next = list.Write(next, Span(text, p, p, background, kZTab));
  return next;
}

}  // namespace orv
