#include <cmath>

#include <gtest/gtest.h>

#include "interp/real48.h"
#include "interp/text.h"
#include "tests/french_numeric.h"

namespace orv {
namespace {

std::string Shown(long double decimal) { return FloatText(*ToReal48(decimal)); }

TEST(FloatText, ShowsTheRoundingOfTheSixByteReal) {
  const struct { long double value; const char* text; } cases[] = {
      {0.1L, "0.100000000000023"},   {3.14L, "3.13999999999942"}, {100.1L, "100.099999999977"},
      {0.5L, "0.5"},                 {123456.5L, "123456.5"},     {1E15L, "1E15"},
      {0.00001L, "9.99999999999612E-6"}, {2.5L, "2.5"},           {3.0L, "3"},
      {-2.5L, "-2.5"},               {0, "0"},                    {1500, "1500"},
      {0x1p-13L, "0.0001220703125"}, {0x1p-23L, "1.19209289550781E-7"},
      {0x1p49L, "562949953421312"},  {0x1p50L, "1.12589990684262E15"},
      {0.0001L, "9.9999999999989E-5"},  // just below 0.0001 once rounded
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(c.value), c.text) << static_cast<double>(c.value);
  const test::FrenchNumericLocale french;  // printf would write "2,5" there
  ASSERT_TRUE(french.Active()) << "no fr_FR.UTF-8 locale: scripts/deps generates it";
  for (const auto& c : cases) EXPECT_EQ(Shown(c.value), c.text) << "fr_FR " << static_cast<double>(c.value);
  EXPECT_EQ(ParseDecimal("8.5"), 8.5L);
  EXPECT_FALSE(ParseDecimal("8,5").has_value());
  EXPECT_EQ(WithDecimalPoint("8,5"), "8.5");
}

TEST(FloatText, ThirdComputedInExtendedThenRounded) {
  const long double third = *ToReal48(*ToReal48(1.0L) / *ToReal48(3.0L));
  EXPECT_EQ(FloatText(third), "0.333333333333485");
}

TEST(Real48, RoundsHalfAwayFromZeroAtTheFortiethBit) {
  const long double one = 1.0L, ulp = std::ldexp(1.0L, -39);
  EXPECT_EQ(*ToReal48(one + ulp / 2), one + ulp);     // half: away from zero
  EXPECT_EQ(*ToReal48(-(one + ulp / 2)), -(one + ulp));
  EXPECT_EQ(*ToReal48(one + ulp / 4), one);
  EXPECT_EQ(*ToReal48(2 - ulp / 4), 2.0L);             // carries into the exponent
}

TEST(Real48, RangeLimits) {
  EXPECT_EQ(*ToReal48(Real48Max()), Real48Max());
  EXPECT_FALSE(ToReal48(Real48Max() * 1.0001L).has_value());
  EXPECT_FALSE(ToReal48(1e39L).has_value());
  EXPECT_EQ(*ToReal48(Real48Min()), Real48Min());
  EXPECT_EQ(*ToReal48(Real48Min() / 4), 0.0L);
  EXPECT_FALSE(ToReal48(NAN).has_value());
}

TEST(Real48, BytesRoundTrip) {
  for (long double v : {0.1L, -3.5L, 1.0L, 1e30L, -1e-30L, 0.0L}) {
    const long double r = *ToReal48(v);
    EXPECT_EQ(Real48FromBytes(Real48Bytes(r)), r);
  }
  const auto one = Real48Bytes(1.0L);  // exponent byte 129, mantissa all zero
  EXPECT_EQ(one[0], 129);
  for (int i = 1; i < 6; ++i) EXPECT_EQ(one[i], 0);
  EXPECT_EQ(Real48Bytes(-1.0L)[5], 0x80);
}

TEST(Conversions, Int32Table) {
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInt32("+5"), 5);
  EXPECT_EQ(ParseInt32("007"), 7);
  for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "5 * 2", "1.0", " 5", "0x10",
                          "99999999999999999999"})
    EXPECT_FALSE(ParseInt32(bad).has_value()) << bad;
}

TEST(Conversions, DecimalTable) {
  EXPECT_EQ(ParseDecimal("1.5e3"), 1500.0L);
  EXPECT_EQ(ParseDecimal("-2.5"), -2.5L);
  EXPECT_EQ(ParseDecimal("+.5"), 0.5L);
  EXPECT_EQ(ParseDecimal("5."), 5.0L);
  EXPECT_EQ(ParseDecimal("1E-5000"), 0.0L);
  for (const char* bad : {"", ".", "1,5", "1.5e", "inf", "nan", "0x1p3", "1e99999", " 1", "1.2.3"})
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

TEST(Conversions, WrapAroundArithmetic) {
  EXPECT_EQ(WrapAdd(INT32_MAX, 1), INT32_MIN);
  EXPECT_EQ(WrapSub(INT32_MIN, 1), INT32_MAX);
  EXPECT_EQ(WrapMul(65536, 65536), 0);
  EXPECT_EQ(WrapDiv(INT32_MIN, -1), INT32_MIN);
  EXPECT_EQ(WrapRem(INT32_MIN, -1), 0);
  EXPECT_EQ(WrapDiv(-7, 2), -3);
  EXPECT_EQ(WrapRem(-7, 2), -1);
  EXPECT_EQ(WrapRem(7, -2), 1);
}

TEST(Conversions, TrimAndTail) {
  EXPECT_EQ(TrimView(" \t\x01 a b \r\n"), "a b");
  EXPECT_EQ(Tail(std::string(300, 'x'), 1).size(), kMaxPiece);
  EXPECT_EQ(Tail("abc", 5), "");
  EXPECT_EQ(UpperAscii("\xe9t\xe9"), "\xe9T\xe9");  // accented letters keep their case
}

}  // namespace
}  // namespace orv
