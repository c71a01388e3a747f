#include "editor/rules/color_rules.h"

#include <algorithm>
#include <array>

namespace orv {
namespace {

bool IsBlank(char16_t c) { return c <= u' '; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::u16string UpperAscii(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) c = AsciiUpper(c);
  return out;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads hexadecimal digits (already upper case) into a 32-bit value.
bool ReadHex(std::u16string_view s, std::uint32_t& value) {
  if (s.empty() || s.size() > 8) return false;
  value = 0;
  for (char16_t c : s) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return true;
}

bool ReadDecimal(std::u16string_view s, std::uint32_t& value) {
  if (s.empty() || s.size() > 10) return false;
  std::uint64_t v = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  if (v > 0xFFFFFFFFull) return false;
  value = static_cast<std::uint32_t>(v);
  return true;
}

// An integer in which a leading "$" introduces hexadecimal digits.
bool ReadInteger(std::u16string_view s, std::uint32_t& value) {
  if (!s.empty() && s.front() == u'$') return ReadHex(s.substr(1), value);
  return ReadDecimal(s, value);
}

struct TNamedColor {
  std::u16string_view Name;
  std::uint32_t Rgb;
};
constexpr std::array<TNamedColor, 16> kHtmlColors = {{
    {u"BLACK", 0x000000}, {u"MAROON", 0x800000}, {u"GREEN", 0x008000}, {u"OLIVE", 0x808000},
    {u"NAVY", 0x000080},  {u"PURPLE", 0x800080}, {u"TEAL", 0x008080},  {u"GRAY", 0x808080},
    {u"SILVER", 0xC0C0C0}, {u"RED", 0xFF0000},   {u"LIME", 0x00FF00},  {u"YELLOW", 0xFFFF00},
    {u"BLUE", 0x0000FF},  {u"FUCHSIA", 0xFF00FF}, {u"AQUA", 0x00FFFF}, {u"WHITE", 0xFFFFFF},
}};

TColor RgbToColor(std::uint32_t rgb) {
  return (rgb & 0xFF00FF00u) | ((rgb & 0xFFu) << 16) | ((rgb >> 16) & 0xFFu);
}

// The colour after a separator, or the default when nothing follows it.
TColor ColorOrDefault(std::u16string_view rest, TColor def) {
  rest = Trim(rest);
  return rest.empty() ? def : ParseColor(rest);
}

}  // namespace

TColor ParseColor(std::u16string_view text) {
  std::u16string s = UpperAscii(Trim(text));
  if (s.size() > 10) s.resize(10);
  for (const auto& named : kHtmlColors)
    if (s == named.Name) return RgbToColor(named.Rgb);
  if (const auto hash = s.find(u'#'); hash != std::u16string::npos) s.erase(hash, 1);
  std::uint32_t value = 0;
  const bool ok = s.find(u'$') != std::u16string::npos ? ReadInteger(s, value) : ReadHex(s, value);
  return ok ? RgbToColor(value) : kClWhite;
}

// ---- TKeyDescrList ---------------------------------------------------------

int TKeyDescrList::Write(int i, const TKeyDescr& span) {
  if (i >= 0 && i < Count()) {
    Items[static_cast<size_t>(i)] = span;
  } else {
    Items.push_back(span);
    i = Count() - 1;
  }
  if (DirtyFirst < 0 || span.StartPos < DirtyFirst) DirtyFirst = span.StartPos;
  if (DirtyLast < 0 || span.EndPos > DirtyLast) DirtyLast = span.EndPos;
  return i + 1;
}

int TKeyDescrList::WriteNone(int i) {
  if (i >= 0 && i < Count()) Items[static_cast<size_t>(i)].StartPos = NoSpan;
  return i;
}

void TKeyDescrList::Reset() {
  for (auto& item : Items) item.StartPos = NoSpan;
  DirtyFirst = DirtyLast = -1;
}

void TEventDrawHost::SetColorLimMax(int n) {
  Descriptors.clear();
  Descriptors.shrink_to_fit();
  if (n > 0) Descriptors.resize(static_cast<size_t>(n));
}

// ---- TColorRule: tables ----------------------------------------------------

TColorRule& TColorRule::operator=(const TColorRule& other) {
  if (this == &other) return *this;
  KeyDrawingType = other.KeyDrawingType;
  ZOrder = other.ZOrder;
  KeyMaxHeight = other.KeyMaxHeight;
  KeyCase = other.KeyCase;
  Enabled = other.Enabled;
  PartWord = other.PartWord;
  DefKeyColor = other.DefKeyColor;
  SetKeywords(other.KeywordLines);
  SetKeyBegEndLst(other.PairLines);
  SetKeyLineEndLst(other.MarkerLines);
  return *this;
}

void TColorRule::SetKeywords(TLines lines) {
  KeywordLines = std::move(lines);
  BuildKeywords();
}

void TColorRule::SetKeyBegEndLst(TLines lines) {
  PairLines = std::move(lines);
  BuildPairs();
}

void TColorRule::SetKeyLineEndLst(TLines lines) {
  MarkerLines = std::move(lines);
  BuildMarkers();
}

void TColorRule::BuildKeywords() {
  Colors.clear();
  KeywordsPrepared.clear();
  for (const auto& line : KeywordLines) {
    const std::u16string_view trimmed = Trim(line);
    if (trimmed.empty()) continue;
    const size_t semi = trimmed.find(u';');
    const std::u16string_view key = Trim(trimmed.substr(0, semi));
    // Longer keywords do not fit the pattern; they are ignored like empty ones.
    if (key.empty() || key.size() > static_cast<size_t>(kMaxKeywordLength)) continue;
    const TColor color = semi == std::u16string_view::npos
                             ? DefKeyColor
                             : ColorOrDefault(trimmed.substr(semi + 1), DefKeyColor);
    int index = 0;
    if (const auto it = std::find(Colors.begin(), Colors.end(), color); it != Colors.end()) {
      index = static_cast<int>(it - Colors.begin()) + 1;
    } else if (Colors.size() < static_cast<size_t>(kMaxKeywordColors)) {
      Colors.push_back(color);
      index = static_cast<int>(Colors.size());
    } else {
      index = KeywordsPrepared.back().ColorIndex;
    }
    KeywordsPrepared.push_back({KeyCase ? std::u16string(key) : UpperAscii(key), index});
  }
}

void TColorRule::BuildPairs() {
  Pairs.assign(kMaxPairs, TPair{});
  const size_t n = std::min(PairLines.size(), static_cast<size_t>(kMaxPairs));
  for (size_t k = 0; k < n; ++k) {
    const std::u16string_view line = PairLines[k];
    const size_t semi = line.find(u';');
    if (semi == std::u16string_view::npos || semi == 0) continue;
    TPair& pair = Pairs[k];
    pair.Begin = std::u16string(line.substr(0, std::min<size_t>(semi, kMaxMarkerLength)));
    const std::u16string_view rest = line.substr(semi + 1);
    const size_t semi2 = rest.find(u';');
    pair.End = std::u16string(rest.substr(0, std::min<size_t>(semi2, kMaxMarkerLength)));
    pair.Color = semi2 == std::u16string_view::npos ? DefKeyColor
                                                    : ColorOrDefault(rest.substr(semi2 + 1), DefKeyColor);
  }
}

void TColorRule::BuildMarkers() {
  Pairs.assign(kMaxPairs, TPair{});
  const size_t n = std::min(MarkerLines.size(), static_cast<size_t>(kMaxPairs));
  for (size_t k = 0; k < n; ++k) {
    const std::u16string_view line = MarkerLines[k];
    const size_t semi = line.find(u';');
    std::u16string_view marker = line;
    std::u16string_view rest;
    if (semi != std::u16string_view::npos && semi >= 1) {
      marker = line.substr(0, semi);
      rest = line.substr(semi + 1);
    } else if (line.starts_with(u";;")) {
      marker = line.substr(0, 1);
      rest = line.substr(2);
    }
    Pairs[k].Begin = std::u16string(marker.substr(0, kMaxMarkerLength));
    Pairs[k].Color = ColorOrDefault(rest, DefKeyColor);
  }
}

bool TColorRule::Prepare() {
  BuildPairs();
  if (KeyDrawingType == TKeyDrawingType::dtKeyShow) BuildKeywords();
  if (KeyDrawingType == TKeyDrawingType::dtBeginLineEnd) BuildMarkers();
  return !PairLines.empty() || (KeyDrawingType == TKeyDrawingType::dtKeyShow && !KeywordLines.empty()) ||
         (KeyDrawingType == TKeyDrawingType::dtBeginLineEnd && !MarkerLines.empty());
}

int TColorRule::ActivePairCount() const {
  int n = 0;
  while (n < static_cast<int>(Pairs.size()) && !Pairs[static_cast<size_t>(n)].Begin.empty()) ++n;
  return n;
}

// ---- TDrawRules ------------------------------------------------------------

TDrawRules& TDrawRules::operator=(const TDrawRules& other) {
  if (this == &other) return *this;
  Items.clear();
  for (const auto& item : other.Items) Add() = *item;
  return *this;
}

TColorRule& TDrawRules::Add() {
  Items.push_back(std::make_unique<TColorRule>(this));
  return *Items.back();
}

void TDrawRules::Clear() { Items.clear(); }

void TDrawRules::PrepareAll() {
  if (!NeedsPrepare) return;
  bool any = false;
  for (auto& item : Items) any = item->Prepare() || any;
  if (any) NeedsPrepare = false;
}

}  // namespace orv
