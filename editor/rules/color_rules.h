// Colour rules of the colouring editor: the rule data, the prepared tables and
// the span producers. Texts are UTF-16 code units (what the editor widget
// holds); offsets are absolute offsets into the whole text, where a line break
// counts as the two characters CR LF.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// 0x00BBGGRR; a value with top byte 0x80 names a system colour.
using TColor = std::uint32_t;
constexpr TColor kClWindow = 0x80000005;  // the window background colour
constexpr TColor kClRed = 0x000000FF;
constexpr TColor kClBlue = 0x00FF0000;
constexpr TColor kClWhite = 0x00FFFFFF;
constexpr TColor kClGray = 0x00808080;

constexpr std::int32_t NoSpan = 2147483647;

// Reserved priorities.
constexpr std::uint8_t kZHotSpotText = 252;
constexpr std::uint8_t kZHotSpotMarker = 253;
constexpr std::uint8_t kZSelection = 254;
constexpr std::uint8_t kZTab = 255;

// Limits of the prepared tables.
constexpr int kMaxPairs = 40;
constexpr int kMaxMarkerLength = 6;
constexpr int kMaxKeywordLength = 31;
constexpr int kMaxKeywordColors = 41;

enum class TKeyDrawingType : std::uint8_t {
  dtKeyShow = 0,
  dtEventDraw = 1,
  dtBeginEnd = 2,
  dtBeginLineEnd = 3,
};

struct TKeyDescr {
  std::int32_t StartPos = NoSpan;
  std::int32_t EndPos = NoSpan;
  TColor Color = 0;
  std::uint8_t ZOrder = 0;
  std::uint8_t IsKey = 0;
};

// The span list of a component. Records are reused from pass to pass and the
// list only grows; writing a span also widens the dirty bounds of the pass.
class TKeyDescrList {
 public:
  TKeyDescrList() { Items.reserve(100); }

  // Writes a span at index i (reusing record i, else appending); returns the
  // index after the record written.
  int Write(int i, const TKeyDescr& span);
  // Marks record i (if any) as holding no span; returns i.
  int WriteNone(int i);
  // Start of a pass: every record holds no span, no bound is set.
  void Reset();

  int Count() const { return static_cast<int>(Items.size()); }
  TKeyDescr& operator[](int i) { return Items[static_cast<size_t>(i)]; }
  const TKeyDescr& operator[](int i) const { return Items[static_cast<size_t>(i)]; }

  std::int32_t DirtyFirst = -1;
  std::int32_t DirtyLast = -1;

 private:
  std::vector<TKeyDescr> Items;
};

// The region the producers scan: the text from the scan start (always the
// start of a line) up to the limit, where the terminator stands.
struct TScanText {
  std::u16string_view Chars;
  std::int32_t ScanStart = 0;
  std::int32_t Limit() const { return ScanStart + static_cast<std::int32_t>(Chars.size()); }
};

TColor ParseColor(std::u16string_view text);

class TColorRule;

// Application-supplied spans for dtEventDraw rules: the handler fills
// descriptors with offsets relative to FromPos and sets ItemsCount.
using TDrawEvent = std::function<void(const TColorRule& Sender, std::u16string_view FromPos,
                                      std::span<TKeyDescr> A, int& ItemsCount)>;

// The component side of dtEventDraw: the descriptor array and the handler.
class TEventDrawHost {
 public:
  int ColorLimMax() const { return static_cast<int>(Descriptors.size()); }
  // Frees the old array and allocates one of n records when n is above 0.
  void SetColorLimMax(int n);
  std::vector<TKeyDescr> Descriptors;
  TDrawEvent OnDraw;
};

class TDrawRules;

class TColorRule {
 public:
  using TLines = std::vector<std::u16string>;

  explicit TColorRule(TDrawRules* collection = nullptr) : Collection(collection) {}
  // Copies the settings and the lists (rebuilding the tables), not the owner.
  TColorRule& operator=(const TColorRule& other);
  TColorRule(const TColorRule&) = delete;

  std::uint8_t ZOrder = 0;
  int KeyMaxHeight = 1;
  TKeyDrawingType KeyDrawingType = TKeyDrawingType::dtBeginEnd;
  bool KeyCase = false;
  bool Enabled = true;
  bool PartWord = false;
  TColor DefKeyColor = kClRed;

  const TLines& Keywords() const { return KeywordLines; }
  const TLines& KeyBegEndLst() const { return PairLines; }
  const TLines& KeyLineEndLst() const { return MarkerLines; }
  // The setters store the list and rebuild the table that belongs to it.
  void SetKeywords(TLines lines);
  void SetKeyBegEndLst(TLines lines);
  void SetKeyLineEndLst(TLines lines);
  // Direct access to the lists without rebuilding; PrepareAll catches up.
  TLines& KeywordsNoPrepare() { return KeywordLines; }

  bool Prepare();
  // Appends the rule's spans for the region from index next on; returns the
  // index after the last record written.
  int FindSpans(int next, const TScanText& text, TKeyDescrList& list);

  // Prepared tables, exposed read-only for inspection.
  struct TPair {
    std::u16string Begin, End;
    TColor Color = 0;
  };
  struct TKeyword {
    std::u16string Text;
    int ColorIndex = 1;  // 1-based into ColorTable
  };
  const std::vector<TPair>& PairTable() const { return Pairs; }
  const std::vector<TKeyword>& KeywordPattern() const { return KeywordsPrepared; }
  const std::vector<TColor>& ColorTable() const { return Colors; }

 private:
  void BuildKeywords();
  void BuildPairs();
  void BuildMarkers();
  int ActivePairCount() const;
  int FindKeywords(int next, const TScanText& text, TKeyDescrList& list);
  int FindBeginEnd(int next, const TScanText& text, TKeyDescrList& list);
  int FindBeginLineEnd(int next, const TScanText& text, TKeyDescrList& list);
  int FindEventDraw(int next, const TScanText& text, TKeyDescrList& list);

  TDrawRules* Collection;
  TLines KeywordLines, PairLines, MarkerLines;
  std::vector<TPair> Pairs;
  std::vector<TKeyword> KeywordsPrepared;
  std::vector<TColor> Colors;
  std::u16string WorkBuffer;  // upper-case copy of the region (KeyCase false)
};

// The ordered rule collection of one component.
class TDrawRules {
 public:
  explicit TDrawRules(TEventDrawHost* owner = nullptr) : Owner(owner) {}
  TDrawRules(const TDrawRules&) = delete;
  // Copies the items; the owner stays.
  TDrawRules& operator=(const TDrawRules& other);

  TColorRule& Add();
  void Clear();
  int Count() const { return static_cast<int>(Items.size()); }
  TColorRule& operator[](int i) { return *Items[static_cast<size_t>(i)]; }
  const TColorRule& operator[](int i) const { return *Items[static_cast<size_t>(i)]; }

  void PrepareAll();
  bool NeedsPrepare = true;
  TEventDrawHost* Owner;

 private:
  std::vector<std::unique_ptr<TColorRule>> Items;
};

struct THotSpot {
  char16_t BeginChar = 30;  // 0 switches hot spots off
  char16_t EndChar = 31;
  TColor Color = kClBlue;
  TColor MarkerColor = kClWindow;
  bool Active = false;
  bool Underlined = true;
};

// The component's own producers, with the conventions of FindSpans.
int FindHotSpots(const THotSpot& hotSpot, int next, const TScanText& text, TKeyDescrList& list);
int FindTabs(TColor background, int next, const TScanText& text, TKeyDescrList& list);

// ASCII letter case and the "letter" of keyword boundaries (the at sign too).
inline char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }
inline bool IsKeyLetter(char16_t c) {
  return c == u'@' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace orv
