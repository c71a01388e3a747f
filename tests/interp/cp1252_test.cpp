#include "common/cp1252.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Cp1252, EveryNonNulByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, MarkersAndAccentsMapToTheirCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\x95"), "\u2022");  // step marker
  EXPECT_EQ(Cp1252ToUtf8("\xbb"), "\u00bb");  // breakpoint marker
  EXPECT_EQ(Cp1252ToUtf8("\x80\xe9"), "\u20ac\u00e9");
  EXPECT_EQ(Utf8ToCp1252("\u0153uvre"), "\x9cuvre");
  EXPECT_EQ(Cp1252ToUnicode(0x81), 0x81u);  // undefined byte keeps its value
}

TEST(Cp1252, UnmappableAndMalformedInputBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\u4e2d"), "?");
  EXPECT_EQ(Utf8ToCp1252("a\xff" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("\xe2\x82"), "?");  // truncated sequence at the end
  EXPECT_EQ(Utf8ToCp1252("\xe2" "ab"), "?ab");  // broken sequence keeps what follows
  EXPECT_EQ(Utf8ToCp1252("\xc0\xaf"), "?");  // overlong form
}

}  // namespace
}  // namespace orv
