#include "utilities/pocket_model.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <string>
#include <vector>

namespace orv {
namespace {

// Presses the keys the characters stand for on the keyboard map; the
// message of the last failing key, if any, goes to *error.
void Type(PocketModel& pocket, const std::string& keys, std::string* error = nullptr) {
  for (char c : keys) {
    const auto key = PocketKeyForChar(static_cast<unsigned char>(c));
    ASSERT_TRUE(key.has_value()) << "unmapped test character " << c;
    if (auto message = pocket.Press(*key); message && error) *error = *message;
  }
}

struct SequenceCase {
  const char* keys;
  const char* display;
};

class PocketSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(PocketSequence, ShowsExpectedDisplay) {
  PocketModel pocket;
  std::string error;
  Type(pocket, GetParam().keys, &error);
  EXPECT_EQ(pocket.Display(), GetParam().display) << "keys " << GetParam().keys;
  EXPECT_EQ(error, "");
}

INSTANTIATE_TEST_SUITE_P(
    LeftToRight, PocketSequence,
    ::testing::Values(SequenceCase{"2+3=", "5"}, SequenceCase{"2+3*4=", "20"},
                      SequenceCase{"2+3==", "10"}, SequenceCase{"2+3=*4=", "40"},
                      SequenceCase{"12+=", "24"}, SequenceCase{"10-15=", "-5"},
                      SequenceCase{"7-7=", "0"}, SequenceCase{"0-0*5=", "0"},
                      SequenceCase{"5x", "0,2"}, SequenceCase{"9s", "3"},
                      SequenceCase{"4+5x=", "0,4"}, SequenceCase{"16s*4=", "16"},
                      SequenceCase{"7s", "2,64575131106459"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.keys}); });

INSTANTIATE_TEST_SUITE_P(
    Entry, PocketSequence,
    ::testing::Values(SequenceCase{"", ""}, SequenceCase{"=", ""},
                      SequenceCase{"2,50+", "2,50"},  // the first number stays as typed
                      SequenceCase{"2,50=", "2,50"}, SequenceCase{"5+2=7", "7"},
                      SequenceCase{"5+2=,3", "3"}, SequenceCase{"1,2,3+", ""},
                      SequenceCase{"1,2,3=", ""}, SequenceCase{"5+3c", ""},
                      SequenceCase{"5+3c2==", "2"},  // the clear forgot the "+"
                      SequenceCase{"00012=", "00012"}, SequenceCase{"1,=", "1,"},
                      SequenceCase{",5+,5=", "5,5"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.keys}); });  // the second comma joins the shown ",5"

INSTANTIATE_TEST_SUITE_P(
    ResultFormat, PocketSequence,
    ::testing::Values(SequenceCase{"2,05*1=", "2,05"}, SequenceCase{"2,05+", "2,05"},
                      SequenceCase{"2,05+0=", "2,05"}, SequenceCase{"2,05+0==", "4,1"},
                      SequenceCase{"1/3=", "0,333333333333333"},
                      SequenceCase{"2/3=", "0,666666666666667"}, SequenceCase{"0,1+0,2=", "0,3"},
                      SequenceCase{"1000000*1000000000=", "1E15"},
                      SequenceCase{"999999999999999+1=", "1E15"},
                      SequenceCase{"999999999999999+0=", "999999999999999"},
                      SequenceCase{"123456789*1000000000=", "1,23456789E17"},
                      SequenceCase{"1/10000=", "0,0001"}, SequenceCase{"1/40000=", "2,5E-5"},
                      SequenceCase{"0-1/40000=", "-2,5E-5"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.keys}); });

TEST(PocketModel, NextOperandIsTheShownResult) {
  PocketModel pocket;
  Type(pocket, "1/3==");  // the second "=" divides by the shown 0,333333333333333
  EXPECT_EQ(pocket.Accumulator(), (1.0L / 3.0L) / *ReadPocketNumber("0,333333333333333", ","));
  EXPECT_NE(pocket.Accumulator(), 1.0L);
  EXPECT_EQ(pocket.Display(), "1");
}

TEST(PocketModel, ReciprocalReplacesTheAccumulatorAndKeepsTheOperator) {
  PocketModel pocket;
  Type(pocket, "4+5x");
  EXPECT_EQ(pocket.PendingOp(), '+');
  EXPECT_EQ(pocket.Accumulator(), 1.0L / 5.0L);
  EXPECT_TRUE(pocket.NewEntry());
}

TEST(PocketModel, ComputesInExtendedPrecision) {
  PocketModel pocket;
  Type(pocket, "1/3=");
  EXPECT_EQ(pocket.Accumulator(), 1.0L / 3.0L);
  EXPECT_NE(pocket.Accumulator(), static_cast<long double>(1.0 / 3.0));
}

TEST(PocketModel, ClearForgetsTheComputationButNotNewEntry) {
  PocketModel pocket;
  Type(pocket, "5+3=");
  pocket.Press(PocketKey::Clear);
  EXPECT_EQ(pocket.Display(), "");
  EXPECT_EQ(pocket.Accumulator(), 0);
  EXPECT_EQ(pocket.Operand(), 0);
  EXPECT_EQ(pocket.PendingOp(), 0);
  EXPECT_FALSE(pocket.HasAccumulator());
  EXPECT_TRUE(pocket.NewEntry());
}

TEST(PocketModel, PointSeparatorOfOtherRegions) {
  PocketModel pocket(".");
  Type(pocket, "1,5+1=");  // the comma key types the region's separator
  EXPECT_EQ(pocket.Display(), "2.5");
}

struct Snapshot {
  std::string display;
  long double accumulator;
  char pendingOp;
  bool hasAccumulator, newEntry;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const PocketModel& p) {
  return {p.Display(), p.Accumulator(), p.PendingOp(), p.HasAccumulator(), p.NewEntry()};
}

struct FaultCase {
  std::string before;
  char key;
  std::string message;
};

class PocketFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PocketFault, ReportsAndKeepsTheStateFromBeforeTheKey) {
  PocketModel pocket;
  std::string error;
  Type(pocket, GetParam().before, &error);
  ASSERT_EQ(error, "");
  const Snapshot before = Take(pocket);
  Type(pocket, std::string(1, GetParam().key), &error);
  EXPECT_EQ(error, GetParam().message);
  EXPECT_EQ(Take(pocket), before);
}

const std::string kBig = "1" + std::string(2500, '0');       // 1E2500
const std::string kHuge = "1" + std::string(2470, '0');     // 1E2470
const std::string kTooBig = "1" + std::string(5000, '0');    // beyond the 80-bit range

INSTANTIATE_TEST_SUITE_P(
    Faults, PocketFault,
    ::testing::Values(
        FaultCase{"0", 'x', "Division flottante par zéro"},
        FaultCase{"5/0", '=', "Division flottante par zéro"},
        FaultCase{"5/0", '+', "Division flottante par zéro"},
        FaultCase{"0/0", '=', "Opération flottante incorrecte"},
        FaultCase{"5-9=", 's', "Opération flottante incorrecte"},
        FaultCase{"5+1,2,3", '=', "'1,2,3' n'est pas une valeur flottante correcte"},
        FaultCase{"", 'x', "'' n'est pas une valeur flottante correcte"},
        FaultCase{",", 's', "',' n'est pas une valeur flottante correcte"},
        FaultCase{"5+c", 'x', "'' n'est pas une valeur flottante correcte"},
        FaultCase{kBig + "*" + kBig, '=', "Débordement flottant"},
        FaultCase{kHuge + "x*=", 'x', "Débordement flottant"},  // 1/1E-4940
        FaultCase{"5+" + kTooBig, '=', "'" + kTooBig + "' n'est pas une valeur flottante correcte"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.before, std::string(1, info.param.key)}); });

TEST(PocketModel, FailedOperatorKeepsThePendingOperator) {
  PocketModel pocket;
  std::string error;
  Type(pocket, "5/0+", &error);
  EXPECT_EQ(error, "Division flottante par zéro");
  EXPECT_EQ(pocket.PendingOp(), '/');
  error.clear();
  Type(pocket, "2=", &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(pocket.Display(), "2,5");
}

TEST(PocketModel, ResultsTooSmallBecomeZeroSilently) {
  PocketModel pocket;
  std::string error;
  Type(pocket, kBig + "x*=", &error);  // 1E-2500 squared
  EXPECT_EQ(error, "");
  EXPECT_EQ(pocket.Display(), "0");
}

struct ReadCase {
  const char* text;
  const char* separator;
  std::optional<long double> value;
};

class PocketRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PocketRead, ReadsRegionalNumbers) {
  const auto v = ReadPocketNumber(GetParam().text, GetParam().separator);
  ASSERT_EQ(v.has_value(), GetParam().value.has_value()) << "'" << GetParam().text << "'";
  if (v) {
    EXPECT_EQ(*v, *GetParam().value) << GetParam().text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PocketRead,
    ::testing::Values(
        ReadCase{"12", ",", 12.0L}, ReadCase{"1,5", ",", 1.5L}, ReadCase{"1,", ",", 1.0L},
        ReadCase{",5", ",", 0.5L}, ReadCase{"-3", ",", -3.0L}, ReadCase{"+3", ",", 3.0L},
        ReadCase{" 7 ", ",", 7.0L}, ReadCase{"1,5E3", ",", 1500.0L},
        ReadCase{"25e-1", ",", 2.5L}, ReadCase{"1E-5000", ",", 0.0L},
        ReadCase{"0,1", ",", 0.1L}, ReadCase{"1.5", ".", 1.5L},
        ReadCase{"", ",", std::nullopt}, ReadCase{",", ",", std::nullopt},
        ReadCase{"1,2,3", ",", std::nullopt}, ReadCase{"1.5", ",", std::nullopt},
        ReadCase{"1,5", ".", std::nullopt}, ReadCase{"E5", ",", std::nullopt},
        ReadCase{"1E", ",", std::nullopt}, ReadCase{"--1", ",", std::nullopt},
        ReadCase{"1 2", ",", std::nullopt}, ReadCase{"inf", ",", std::nullopt},
        ReadCase{"nan", ",", std::nullopt}, ReadCase{"0x10", ",", std::nullopt},
        ReadCase{"1E5000", ",", std::nullopt}, ReadCase{"-", ",", std::nullopt}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.text}); });

struct FormatCase {
  long double value;
  const char* text;
};

class PocketFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PocketFormat, WritesGeneralFormat) {
  EXPECT_EQ(PocketGeneralFormat(GetParam().value, ","), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PocketFormat,
    ::testing::Values(FormatCase{0.0L, "0"}, FormatCase{-0.0L, "0"}, FormatCase{-7.0L, "-7"},
                      FormatCase{123.456L, "123,456"}, FormatCase{2.05L, "2,05"},
                      FormatCase{1e15L, "1E15"}, FormatCase{2.5e-5L, "2,5E-5"},
                      FormatCase{0.0001L, "0,0001"}, FormatCase{0.000099999L, "9,9999E-5"},
                      FormatCase{999999999999999.0L, "999999999999999"},
                      FormatCase{9999999999999999.0L, "1E16"},
                      FormatCase{99999.99999999999L, "100000"},
                      FormatCase{1.23456789012346e17L, "1,23456789012346E17"},
                      FormatCase{-1e-300L, "-1E-300"}, FormatCase{1e4000L, "1E4000"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.text}); });

TEST(PocketFormat, UsesTheGivenSeparator) { EXPECT_EQ(PocketGeneralFormat(1.5L, "."), "1.5"); }

TEST(PocketKeyMap, MapsTheKeyboardCharacters) {
  const std::vector<std::pair<char32_t, PocketKey>> mapped = {
      {U'0', PocketKey::Digit0}, {U'7', PocketKey::Digit7}, {U'9', PocketKey::Digit9},
      {U',', PocketKey::Comma},  {U'.', PocketKey::Comma},  {U'+', PocketKey::Plus},
      {U'-', PocketKey::Minus},  {U'*', PocketKey::Times},  {U'/', PocketKey::Divide},
      {U'=', PocketKey::Equals}, {U'C', PocketKey::Clear},  {U'c', PocketKey::Clear},
      {U'S', PocketKey::SquareRoot}, {U's', PocketKey::SquareRoot},
      {U'X', PocketKey::Reciprocal}, {U'x', PocketKey::Reciprocal}};
  for (const auto& [c, key] : mapped) {
    ASSERT_TRUE(PocketKeyForChar(c).has_value()) << static_cast<int>(c);
    EXPECT_EQ(*PocketKeyForChar(c), key) << static_cast<int>(c);
  }
  for (char32_t c : {U'a', U'e', U'E', U' ', U'\r', U'\x1b', U'%', U'é'})
    EXPECT_FALSE(PocketKeyForChar(c).has_value()) << static_cast<int>(c);
}

}  // namespace
}  // namespace orv
