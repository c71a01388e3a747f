// The keyword search list of the help: every @key of the book, sorted as a
// French reader expects (letter case and accents ignored), searched by the
// first letters typed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/help/help_book.h"

namespace orv::help {

// Lower case, accents removed (é -> e, œ -> oe), runs of blanks made one
// blank, trimmed: the form in which keywords are sorted and compared.
std::string FoldForSearch(std::string_view utf8);

struct IndexEntry {
  std::string Keyword;
  std::string Label;  // the keyword, followed by the topic's title when
                      // several topics share the keyword
  int Topic = 0;      // topic number
  std::string Anchor;
  std::string Folded;
};

class HelpIndex {
 public:
  HelpIndex() = default;
  explicit HelpIndex(const HelpBook& book);

  const std::vector<IndexEntry>& Entries() const { return entries_; }

  // Entries whose keyword begins with `typed` (folded), in list order, then
  // those where a later word of the keyword begins with it. Empty `typed`:
  // every entry.
  std::vector<const IndexEntry*> Matching(std::string_view typed) const;

 private:
  std::vector<IndexEntry> entries_;
};

}  // namespace orv::help
