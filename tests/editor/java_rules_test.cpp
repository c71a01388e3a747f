// The editor's rule set on typical program texts: expected colouring per
// character (see rules_test_util.h for the letters).
#include <gtest/gtest.h>

#include "tests/case_name.h"

#include "editor/rules/java_rules.h"
#include "rules_test_util.h"

namespace orv::test {
namespace {

struct TGolden {
  std::u16string Text;
  std::string Expected;
};

class JavaRulesGolden : public ::testing::TestWithParam<TGolden> {};

TEST_P(JavaRulesGolden, ColoursEveryCharacterAsTheRulesSay) {
  const TGolden& golden = GetParam();
  ASSERT_EQ(golden.Text.size(), golden.Expected.size()) << "malformed case";
  EXPECT_EQ(JavaColorMap(golden.Text), golden.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JavaRulesGolden,
    ::testing::Values(
        // Keywords stand alone: letters (and the at sign) around them reject them.
        TGolden{u"if(x) iff xif", "BB..........."},
        TGolden{u"int2 _int @int", "MMM...MMM....."},
        TGolden{u"i++ i ++", "......BB"},
        TGolden{u"x--; --x", "........"},
        TGolden{u"for(i=0;i<=10;i++)", "BBB..............."},
        TGolden{u"IF If iF", "BB.BB.BB"},
        TGolden{u"System.out.println", "BBBBBBBBBBBBBBBBBB"},
        TGolden{u"System.out.print(x)", "BBBBBBBBBBBBBBBB..."},
        TGolden{u"Math.abs()", "BBBBBBBBBB"},
        TGolden{u"Math.abs(x)", "BBBBBBBB..."},
        TGolden{u"FileInputStream f=new FileInputStream(x);",
                "BBBBBBBBBBBBBBB...BBB.BBBBBBBBBBBBBBB...."},
        // Declaration words are maroon; the main header wins over args[].
        TGolden{u"public static void main(String args[])", "MMMMMM.MMMMMM.MMMM.MMMMMMMMMMMMMMMMMMM"},
        TGolden{u"main(String args[])", "MMMMMMMMMMMMMMMMMMM"},
        TGolden{u"import java.util.*;", "MMMMMM............."},
        TGolden{u"{\r\n}", "B..B"},
        // Line comments: blue keywords turn gray, maroon ones stay maroon.
        TGolden{u"// int x for", "GGGMMMGGGGGG"},
        TGolden{u"x // c\r\ny", "..GGGG..."},
        TGolden{u"x // c", "..GGGG"},
        // Block comments: every keyword keeps its colour inside.
        TGolden{u"/* for int */ x", "GGGBBBGMMMGGG.."},
        TGolden{u"/* a\r\nb */", "GGGGGGGGGG"},
        TGolden{u"/*/ x", "GGG.."},
        TGolden{u"/* a */ x /* b", "GGGGGGG......."},
        TGolden{u"/* b", "...."}),
    [](const auto& info) { return orv::test::CaseName(info.index, info.param.Text); });

TEST(JavaRules, InstallsFourRulesInOrderWithDefaults) {
  TDrawRules rules;
  InstallJavaRules(rules);
  ASSERT_EQ(rules.Count(), 4);
  const TKeyDrawingType types[] = {TKeyDrawingType::dtBeginEnd, TKeyDrawingType::dtKeyShow,
                                   TKeyDrawingType::dtBeginLineEnd, TKeyDrawingType::dtKeyShow};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rules[i].KeyDrawingType, types[i]) << i;
    EXPECT_EQ(rules[i].ZOrder, 0);
    EXPECT_FALSE(rules[i].KeyCase);
    EXPECT_FALSE(rules[i].PartWord);
    EXPECT_TRUE(rules[i].Enabled);
    EXPECT_EQ(rules[i].KeyMaxHeight, 1);
  }
  EXPECT_EQ(rules[1].KeywordPattern().size(), 43u);
  EXPECT_EQ(rules[3].KeywordPattern().size(), 10u);
}

}  // namespace
}  // namespace orv::test
