#include "editor/rules/text_search.h"

namespace orv {
namespace {

char16_t Fold(char16_t c, bool matchCase) { return matchCase ? c : AnsiUpper(c); }

bool MatchesAt(std::u16string_view text, size_t p, std::u16string_view what, bool matchCase) {
  for (size_t i = 0; i < what.size(); ++i)
    if (Fold(text[p + i], matchCase) != Fold(what[i], matchCase)) return false;
  return true;
}

bool SeparatorAfter(std::u16string_view text, size_t end) {
  return end >= text.size() || !IsWordChar(text[end]);
}

// Rest of the current word, then the separators: the next word start.
size_t NextWordStart(std::u16string_view text, size_t p) {
  while (p < text.size() && IsWordChar(text[p])) ++p;
  while (p < text.size() && !IsWordChar(text[p])) ++p;
  return p;
}

// Separators, then word characters, backwards: the start of the word before
// p, or kNotFound when no word lies before p.
size_t PreviousWordStart(std::u16string_view text, size_t p) {
  size_t q = p;
  while (q > 0 && !IsWordChar(text[q - 1])) --q;
  if (q == 0) return kNotFound;
  while (q > 0 && IsWordChar(text[q - 1])) --q;
  return q;
}

bool Accepted(std::u16string_view text, size_t p, std::u16string_view what, const TSearchOptions& o) {
  return MatchesAt(text, p, what, o.MatchCase) && (!o.WholeWord || SeparatorAfter(text, p + what.size()));
}

size_t SearchUp(std::u16string_view text, size_t selStart, std::u16string_view what,
                const TSearchOptions& options) {
  if (selStart < what.size() || selStart > text.size()) return kNotFound;
  size_t p = selStart - what.size();
  // A whole word starts after a separator, even at the first candidate.
  if (options.WholeWord && p > 0 && IsWordChar(text[p - 1])) p = PreviousWordStart(text, p);
  while (p != kNotFound) {
    if (Accepted(text, p, what, options)) return p;
    if (p == 0) break;
    p = options.WholeWord ? PreviousWordStart(text, p) : p - 1;
  }
  return kNotFound;
}

}  // namespace

char16_t AnsiUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0xFF: return 0x0178;    // ÿ
    case 0x0153: return 0x0152;  // œ
    case 0x0161: return 0x0160;  // š
    case 0x017E: return 0x017D;  // ž
    default: return c;
  }
}

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && MatchesAt(a, 0, b, false);
}

size_t SearchDown(std::u16string_view text, size_t first, std::u16string_view what,
                  const TSearchOptions& options, std::optional<char16_t> charBefore) {
  if (what.empty() || first > text.size() || text.size() - first < what.size()) return kNotFound;
  const size_t last = text.size() - what.size();
  size_t p = first;
  if (options.WholeWord) {
    const std::optional<char16_t> before = p > 0 && !charBefore ? std::optional(text[p - 1]) : charBefore;
    if (before && IsWordChar(*before)) p = NextWordStart(text, p);
  }
  while (p <= last) {
    if (Accepted(text, p, what, options)) return p;
    p = options.WholeWord ? NextWordStart(text, p) : p + 1;
  }
  return kNotFound;
}

size_t SearchText(std::u16string_view text, size_t selStart, size_t selLength, std::u16string_view what,
                  const TSearchOptions& options) {
  if (what.empty() || selStart > text.size()) return kNotFound;
  if (!options.Down) return SearchUp(text, selStart, what, options);
  if (selLength > text.size() - selStart) return kNotFound;
  return SearchDown(text, selStart + selLength, what, options, std::nullopt);
}

std::vector<size_t> PlanReplaceAll(std::u16string_view text, size_t selStart, size_t selLength,
                                   std::u16string_view what, std::u16string_view replacement,
                                   const TSearchOptions& options) {
  std::vector<size_t> found;
  if (what.empty() || selStart > text.size() || selLength > text.size() - selStart) return found;
  TSearchOptions down = options;
  down.Down = true;
  size_t from = selStart + selLength;
  std::optional<char16_t> before;  // last character written so far, when it is a replacement's
  auto take = [&](size_t p) {
    found.push_back(p);
    from = p + what.size();
    if (!replacement.empty()) before = replacement.back();
    else if (p > 0 && (found.size() < 2 || p > found[found.size() - 2] + what.size())) before = text[p - 1];
    else if (p == 0) before.reset();
  };
  if (SameTextIgnoringCase(text.substr(selStart, selLength), what)) take(selStart);
  for (size_t p = SearchDown(text, from, what, down, before); p != kNotFound;
       p = SearchDown(text, from, what, down, before))
    take(p);
  return found;
}

}  // namespace orv
