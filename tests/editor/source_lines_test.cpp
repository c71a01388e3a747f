// The source file format: line ends on reading, CR LF on writing.
#include <gtest/gtest.h>

#include "editor/rules/source_lines.h"

namespace orv {
namespace {

TEST(SourceLines, EveryLoneCrOrLfEndsALine) {
  using L = std::vector<std::string>;
  EXPECT_EQ(SplitSourceLines(""), (L{""}));
  EXPECT_EQ(SplitSourceLines("a\r\nb"), (L{"a", "b"}));
  EXPECT_EQ(SplitSourceLines("a\r\n"), (L{"a", ""}));
  EXPECT_EQ(SplitSourceLines("a\nb\rc"), (L{"a", "b", "c"}));
  EXPECT_EQ(SplitSourceLines("a\n\rb"), (L{"a", "", "b"}));
  EXPECT_EQ(SplitSourceLines("\r\r\n"), (L{"", "", ""}));
}

TEST(SourceLines, JoiningGivesTheNormalisedText) {
  EXPECT_EQ(JoinSourceLines(SplitSourceLines("a\nb\r\n\rc\r")), "a\r\nb\r\n\r\nc\r\n");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  // Only the line ends change: the lone CR (13) and LF (10) become CR LF.
  std::string expected = all;
  expected.replace(expected.find('\n'), 1, "\r\n");
  expected.replace(expected.find('\r', 12), 1, "\r\n");
  EXPECT_EQ(JoinSourceLines(SplitSourceLines(all)), expected);
}

}  // namespace
}  // namespace orv
