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

namespace {

// Repeatedly takes the leftmost opening among the first n entries; close
// gives the last offset of its span and where scanning goes on, or false when
// the opening has no end (it then adds no span and the rule stops).
template <typename TClose>
int ScanOpenings(const std::vector<TColorRule::TPair>& pairs, int n, const TScanText& text,
                 TKeyDescrList& list, int next, std::uint8_t z, TClose close) {
  const std::u16string_view hay = text.Chars;
  for (size_t pos = 0; n > 0 && pos <= hay.size();) {
    int k = 0;
    const size_t open = FindLeftmost(hay, pairs, n, pos, k);
    if (open == kNone) break;
    const TColorRule::TPair& pair = pairs[static_cast<size_t>(k)];
    size_t last = 0;
    if (!close(pair, open, last, pos)) return list.WriteNone(next);
    next = list.Write(next, Span(text, open, last, pair.Color, z));
  }
  return next;
}

}  // namespace

int TColorRule::FindBeginEnd(int next, const TScanText& text, TKeyDescrList& list) {
  const std::u16string_view hay = text.Chars;
  return ScanOpenings(Pairs, ActivePairCount(), text, list, next, ZOrder,
                      [hay](const TPair& pair, size_t open, size_t& last, size_t& pos) {
                        const size_t end = hay.find(pair.End, open + 1);
                        if (end == kNone) return false;
                        last = end + pair.End.size() - 1;
                        pos = end + 1;
                        return true;
                      });
}

// A marker's span ends before the next CR LF, or with the text; at the end
// of the text scanning stops.
int TColorRule::FindBeginLineEnd(int next, const TScanText& text, TKeyDescrList& list) {
  const std::u16string_view hay = text.Chars;
  return ScanOpenings(Pairs, ActivePairCount(), text, list, next, ZOrder,
                      [hay](const TPair&, size_t open, size_t& last, size_t& pos) {
                        const size_t lineEnd = hay.find(u"\r\n", open + 1);
                        last = lineEnd == kNone ? hay.size() - 1 : lineEnd - 1;
                        pos = lineEnd == kNone ? hay.size() + 1 : lineEnd + 1;
                        return true;
                      });
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
