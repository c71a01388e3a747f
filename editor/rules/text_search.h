// Find and replace on the editor's text, without any window: the search
// moves down from the end of the selection or up from its start, with optional
// letter-case matching and whole-word matching. Positions are plain indices
// into the text, so texts of any length work.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct TSearchOptions {
  bool Down = true;
  bool MatchCase = false;
  bool WholeWord = false;
};

constexpr size_t kNotFound = static_cast<size_t>(-1);

// Upper case as the Windows ANSI conversion does it: ASCII and the accented
// letters of Windows-1252 (é -> É, œ -> Œ, ÿ -> Ÿ); others are unchanged.
char16_t AnsiUpper(char16_t c);
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

// Word characters for whole-word search: ASCII letters and digits.
inline bool IsWordChar(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The occurrence of `what` nearest the selection in the chosen direction, or
// kNotFound. An empty search text is never found.
size_t SearchText(std::u16string_view text, size_t selStart, size_t selLength, std::u16string_view what,
                  const TSearchOptions& options);

// Replace-all from a selection on: the positions (in the original text,
// increasing, not overlapping) of the occurrences that replacing and searching
// again from the end of each replacement would replace, the selection first if
// it holds the search text. Searches down whatever the direction.
std::vector<size_t> PlanReplaceAll(std::u16string_view text, size_t selStart, size_t selLength,
                                   std::u16string_view what, std::u16string_view replacement,
                                   const TSearchOptions& options);

// The same search with the character before the first candidate given
// separately (the end of a replacement that is not in `text`).
size_t SearchDown(std::u16string_view text, size_t first, std::u16string_view what,
                  const TSearchOptions& options, std::optional<char16_t> charBefore);

}  // namespace orv
