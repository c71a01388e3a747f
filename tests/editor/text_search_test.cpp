// Find and replace without a window: directions, letter case, whole words,
// long texts and replace-all.
#include <gtest/gtest.h>

#include "editor/rules/text_search.h"

namespace orv {
namespace {

TSearchOptions Opts(bool down, bool matchCase = false, bool wholeWord = false) {
  return {down, matchCase, wholeWord};
}

struct TSearchCase {
  const char* Name;
  std::u16string Text;
  size_t SelStart, SelLength;
  std::u16string What;
  TSearchOptions Options;
  size_t Expected;
};

TEST(SearchText, Table) {
  const TSearchCase cases[] = {
      {"down from the selection end", u"ab ab ab", 0, 2, u"ab", Opts(true), 3},
      {"down finds the very end", u"xxxab", 0, 0, u"ab", Opts(true), 3},
      {"down needs room for the text", u"xxxab", 4, 0, u"ab", Opts(true), kNotFound},
      {"up from the end finds position 0", u"ab xx", 5, 0, u"ab", Opts(false), 0},
      {"up ends before the selection", u"abab", 2, 2, u"ab", Opts(false), 0},
      {"up with no room", u"ab", 1, 0, u"ab", Opts(false), kNotFound},
      {"empty text never found", u"abc", 0, 0, u"", Opts(true), kNotFound},
      {"case ignored", u"x Hello", 0, 0, u"hELLO", Opts(true), 2},
      {"case matched", u"Hello hello", 0, 0, u"hello", Opts(true, true), 6},
      {"accented letters fold", u"un été", 0, 0, u"ÉTÉ", Opts(true), 3},
      {"accented letters with match case", u"un été", 0, 0, u"ÉTÉ", Opts(true, true), kNotFound},
      {"oe and y diaeresis fold", u"cœur ÿ", 0, 0, u"CŒUR Ÿ", Opts(true), 0},
      {"whole word skips parts of words", u"foobar foo", 0, 0, u"foo", Opts(true, false, true), 7},
      {"whole word needs a separator after", u"foo_ foo1 foo", 0, 0, u"foo", Opts(true, false, true), 0},
      {"whole word digits belong to words", u"foo1 foo", 0, 0, u"foo", Opts(true, false, true), 5},
      {"whole word never starts inside a word", u"xfoo", 1, 0, u"foo", Opts(true, false, true), kNotFound},
      {"whole word up", u"foo foox foo x", 14, 0, u"foo", Opts(false, false, true), 9},
      {"whole word up skips the word the caret is in", u"foo xfoo", 8, 0, u"foo", Opts(false, false, true), 0},
      {"whole word up reaches position 0", u"foo xx", 6, 0, u"foo", Opts(false, false, true), 0},
      {"selection past the end", u"abc", 9, 0, u"a", Opts(true), kNotFound},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SearchText(c.Text, c.SelStart, c.SelLength, c.What, c.Options), c.Expected) << c.Name;
}

TEST(SearchText, WorksBeyondSixtyFiveThousandCharacters) {
  std::u16string text(200000, u'x');
  text.replace(150000, 8, u" needle ");
  EXPECT_EQ(SearchText(text, 70000, 0, u"NEEDLE", Opts(true, false, true)), 150001u);
  EXPECT_EQ(SearchText(text, text.size(), 0, u"needle", Opts(false)), 150001u);
}

TEST(SameTextIgnoringCase, FoldsAccentsAndComparesLengths) {
  EXPECT_TRUE(SameTextIgnoringCase(u"Éte", u"éTE"));
  EXPECT_FALSE(SameTextIgnoringCase(u"ete", u"été"));
  EXPECT_FALSE(SameTextIgnoringCase(u"ab", u"abc"));
}

TEST(PlanReplaceAll, ReplacesFromTheSelectionOn) {
  const std::u16string text = u"a a a a";
  EXPECT_EQ(PlanReplaceAll(text, 0, 0, u"a", u"bb", Opts(true)), (std::vector<size_t>{0, 2, 4, 6}));
  EXPECT_EQ(PlanReplaceAll(text, 3, 0, u"a", u"bb", Opts(true)), (std::vector<size_t>{4, 6}));
  // A selection holding the text (in any case) is replaced first.
  EXPECT_EQ(PlanReplaceAll(u"A a", 0, 1, u"a", u"b", Opts(true, true)), (std::vector<size_t>{0, 2}));
  EXPECT_TRUE(PlanReplaceAll(text, 0, 0, u"z", u"b", Opts(true)).empty());
  // Searching up in the dialog does not change replace-all.
  EXPECT_EQ(PlanReplaceAll(text, 3, 0, u"a", u"b", Opts(false)), (std::vector<size_t>{4, 6}));
}

TEST(PlanReplaceAll, AdjacentOccurrencesAndEmptyReplacement) {
  EXPECT_EQ(PlanReplaceAll(u"aaaa", 0, 0, u"aa", u"", Opts(true)), (std::vector<size_t>{0, 2}));
  EXPECT_EQ(PlanReplaceAll(u"aaa", 0, 0, u"a", u"aa", Opts(true)), (std::vector<size_t>{0, 1, 2}));
}

TEST(PlanReplaceAll, WholeWordSeesTheEndOfTheReplacement) {
  // After "x foo" becomes "x barz", the next candidate follows a letter of the
  // replacement: "foo" right after it is no longer a word of its own.
  EXPECT_EQ(PlanReplaceAll(u"foo foo", 0, 0, u"foo", u"bar", Opts(true, false, true)),
            (std::vector<size_t>{0, 4}));
  EXPECT_EQ(PlanReplaceAll(u"foofoo foo", 0, 3, u"foo", u"x", Opts(true, false, true)),
            (std::vector<size_t>{0, 7}));
  EXPECT_EQ(PlanReplaceAll(u"foo+foo", 0, 3, u"foo", u"", Opts(true, false, true)),
            (std::vector<size_t>{0, 4}));
}

}  // namespace
}  // namespace orv
