// The rule engine: colour texts, the prepared tables and their
// limits, the span list conventions, priorities and the run building.
#include <gtest/gtest.h>

#include "rules_test_util.h"

namespace orv::test {
namespace {

TEST(ParseColor, NamesNumbersAndFailures) {
  struct Case {
    std::u16string Text;
    TColor Expected;
  } cases[] = {
      {u"RED", 0x0000FF},          {u" navy ", 0x800000},     {u"Maroon", 0x000080},
      {u"#FF8000", 0x0080FF},      {u"FF8000", 0x0080FF},     {u"$0000FF", 0xFF0000},
      {u"#$FF", 0xFF0000},         {u"12", 0x120000},         {u"clRed", 0xFFFFFF},
      {u"zz", 0xFFFFFF},           {u"", 0xFFFFFF},           {u"1$2", 0xFFFFFF},
      {u"blueberries", 0xFFFFFF},  {u"00FF00junk", 0xFFFFFF}, {u"silver", 0xC0C0C0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseColor(c.Text), c.Expected) << std::string(c.Text.begin(), c.Text.end());
}

// A rule of the given kind whose list of that kind is set.
TColorRule& AddRule(TColorizer& c, TKeyDrawingType type, TColorRule::TLines lines) {
  TColorRule& rule = c.ColorRules.Add();
  rule.KeyDrawingType = type;
  switch (type) {
    case TKeyDrawingType::dtKeyShow: rule.SetKeywords(std::move(lines)); break;
    case TKeyDrawingType::dtBeginLineEnd: rule.SetKeyLineEndLst(std::move(lines)); break;
    default: rule.SetKeyBegEndLst(std::move(lines)); break;
  }
  return rule;
}
TColorRule& KeywordRule(TColorizer& c, TColorRule::TLines lines) {
  return AddRule(c, TKeyDrawingType::dtKeyShow, std::move(lines));
}
TColorRule& PairRule(TColorizer& c, TColorRule::TLines lines) {
  return AddRule(c, TKeyDrawingType::dtBeginEnd, std::move(lines));
}
TColorRule& MarkerRule(TColorizer& c, TColorRule::TLines lines) {
  return AddRule(c, TKeyDrawingType::dtBeginLineEnd, std::move(lines));
}

TEST(KeywordLines, ColourAfterTheSeparator) {
  TColorizer c;
  KeywordRule(c, {u"while;#00FF00", u"do;clGreen", u"if;", u" for ; RED ", u" ; blue", u"", u"x"});
  EXPECT_EQ(ColorMap(c, u"while do if for x"), "LLLLL.WW.RR.RRR.R");
}

TEST(KeywordLines, TheFortySecondColourTakesThePrecedingKeywordsColour) {
  TColorizer c;
  TColorRule::TLines lines;
  std::u16string text;
  for (int i = 0; i < 42; ++i) {
    const std::u16string key = u"k" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                               std::u16string(1, static_cast<char16_t>(u'A' + i / 26));
    std::string hex = "#0000" + std::string(1, "0123456789ABCDEF"[i / 16]) + "0123456789ABCDEF"[i % 16];
    lines.push_back(key + u";" + std::u16string(hex.begin(), hex.end()));
    text += key + u" ";
  }
  const TColorRule& rule = KeywordRule(c, lines);
  ASSERT_EQ(rule.ColorTable().size(), 41u);
  EXPECT_EQ(rule.KeywordPattern()[41].ColorIndex, rule.KeywordPattern()[40].ColorIndex);
  const int runs = c.Pass({text, 0}, {});
  const auto all = c.Runs(runs);
  ASSERT_EQ(all.size(), 42u);
  EXPECT_EQ(all[41].Color, all[40].Color);
  EXPECT_NE(all[40].Color, all[39].Color);
}

TEST(KeywordLines, OverlongKeywordsAreIgnoredAndCaseFollowsKeyCase) {
  TColorizer c;
  const std::u16string longKey(32, u'a');
  TColorRule& rule = KeywordRule(c, {longKey, std::u16string(31, u'b'), u"If"});
  EXPECT_EQ(rule.KeywordPattern().size(), 2u);
  EXPECT_EQ(rule.KeywordPattern()[1].Text, u"IF");
  EXPECT_EQ(ColorMap(c, u"if IF " + longKey), "RR.RR." + std::string(32, '.'));
  rule.KeyCase = true;
  rule.SetKeywords({u"If"});
  EXPECT_EQ(ColorMap(c, u"if IF If"), "......RR");
}

TEST(KeywordLines, PartWordMatchesInsideWords) {
  TColorizer c;
  KeywordRule(c, {u"if"}).PartWord = true;
  EXPECT_EQ(ColorMap(c, u"xiffy"), ".RR..");
}

TEST(PairLines, SeparatorsColoursAndTheEmptyEntryThatEndsTheTable) {
  TColorizer c;
  const TColorRule& rule = PairRule(c, {u"/*;*/;GRAY", u"(*;*)", u"/*", u"{;}"});
  ASSERT_EQ(rule.PairTable().size(), 40u);
  EXPECT_EQ(rule.PairTable()[0].Color, 0x808080u);
  EXPECT_EQ(rule.PairTable()[1].Color, kClRed);
  EXPECT_TRUE(rule.PairTable()[2].Begin.empty());
  EXPECT_EQ(rule.PairTable()[3].Begin, u"{");  // stored, yet hidden behind the empty entry
  EXPECT_EQ(ColorMap(c, u"/*a*/(*b*){c}"), "GGGGGRRRRR...");
}

TEST(PairLines, TextsAreCutToSixAndOnlyFortyLinesCount) {
  TColorizer c;
  TColorRule::TLines lines(40, u"<<;>>");
  lines.push_back(u"[;]");
  const TColorRule& rule = PairRule(c, lines);
  EXPECT_EQ(rule.PairTable().size(), 40u);
  PairRule(c, {u"abcdefgh;ijklmnop"});
  EXPECT_EQ(c.ColorRules[1].PairTable()[0].Begin, u"abcdef");
  EXPECT_EQ(c.ColorRules[1].PairTable()[0].End, u"ijklmn");
  EXPECT_EQ(ColorMap(c, u"[x] <<y>>"), "....RRRRR");
}

TEST(PairLines, ALineStartingWithTheSeparatorDefinesNothing) {
  TColorizer c;
  PairRule(c, {u";*/", u"/*;*/"});
  EXPECT_EQ(ColorMap(c, u"/* */"), ".....");
}

TEST(BeginEnd, UnclosedOpeningStopsTheRuleButKeepsEarlierSpans) {
  TColorizer c;
  PairRule(c, {u"/*;*/", u"{;}"});
  EXPECT_EQ(ColorMap(c, u"{a} /* x {b}"), "RRR.........");
  // The leftmost opening wins, whatever the order of the entries.
  EXPECT_EQ(ColorMap(c, u"{/*}*/"), "RRRR..");
}

TEST(MarkerLines, SeparatorForms) {
  TColorizer c;
  const TColorRule& rule = MarkerRule(c, {u"//;blue", u";;lime", u";x", u"--"});
  EXPECT_EQ(rule.PairTable()[0].Begin, u"//");
  EXPECT_EQ(rule.PairTable()[1].Begin, u";");
  EXPECT_EQ(rule.PairTable()[1].Color, 0x00FF00u);
  EXPECT_EQ(rule.PairTable()[2].Begin, u";x");
  EXPECT_EQ(rule.PairTable()[2].Color, kClRed);
  EXPECT_EQ(ColorMap(c, u"a // b\r\nc ; d\r\ne -- f"), "..BBBB....LLL....RRRR");
}

TEST(Prepare, ResultFollowsTheListsOfTheDrawingType) {
  TColorRule rule;
  EXPECT_FALSE(rule.Prepare());
  rule.KeyDrawingType = TKeyDrawingType::dtKeyShow;
  rule.KeywordsNoPrepare() = {u"x"};
  EXPECT_TRUE(rule.Prepare());
  rule.KeyDrawingType = TKeyDrawingType::dtBeginLineEnd;
  EXPECT_FALSE(rule.Prepare());
  rule.SetKeyBegEndLst({u"a;b"});
  EXPECT_TRUE(rule.Prepare());
}

TEST(PrepareAll, ListsFilledWithoutSettersArePreparedBeforeFirstUse) {
  TColorizer c;
  TColorRule& rule = c.ColorRules.Add();
  rule.KeyDrawingType = TKeyDrawingType::dtKeyShow;
  EXPECT_EQ(ColorMap(c, u"ab"), "..");
  EXPECT_TRUE(c.ColorRules.NeedsPrepare);  // nothing was prepared yet: try again next time
  rule.KeywordsNoPrepare() = {u"ab"};
  EXPECT_EQ(ColorMap(c, u"ab"), "RR");
  EXPECT_FALSE(c.ColorRules.NeedsPrepare);
}

TEST(Rules, AssigningCopiesSettingsAndListsButKeepsTheOwner) {
  TColorizer a, b;
  KeywordRule(a, {u"if;lime"}).ZOrder = 7;
  b.ColorRules = a.ColorRules;
  ASSERT_EQ(b.ColorRules.Count(), 1);
  EXPECT_EQ(b.ColorRules[0].ZOrder, 7);
  EXPECT_EQ(b.ColorRules.Owner, &b.Events);
  EXPECT_EQ(ColorMap(b, u"if"), "LL");
}

TEST(Priorities, HigherWinsAndLaterWinsATie) {
  TColorizer c;
  KeywordRule(c, {u"ab;lime"}).ZOrder = 5;
  KeywordRule(c, {u"bc;red"});
  EXPECT_EQ(ColorMap(c, u"ab+bc"), "LL.RR");
  PairRule(c, {u"a;c;blue"});  // priority 0, later than the red keyword
  EXPECT_EQ(ColorMap(c, u"ab+bc"), "LLBBB");
}

TEST(Runs, DisabledRulesProduceNothingAndEqualNeighboursMerge) {
  TColorizer c;
  KeywordRule(c, {u"a", u"b"}).PartWord = true;
  KeywordRule(c, {u"x;blue"}).Enabled = false;
  const std::u16string text = u"abx";
  const int runs = c.Pass({text, 0}, {});
  ASSERT_EQ(runs, 1);  // "a" and "b" make one run
  EXPECT_EQ(c.SpanList()[0].StartPos, 0);
  EXPECT_EQ(c.SpanList()[0].EndPos, 1);
  EXPECT_EQ(c.SpanList()[0].IsKey, 1);
}

TEST(Runs, SelectionBeatsTheRulesAndSplitsAKeyword) {
  TColorizer c;
  KeywordRule(c, {u"for;blue"});
  TPassOptions options;
  options.SelStart = 0;
  options.SelLength = 1;
  EXPECT_EQ(ColorMap(c, u"for x", options), "SBB..");
}

TEST(Runs, TabsSplitRunsOnlyWhenTakenAsText) {
  TColorizer c;
  MarkerRule(c, {u"//"});
  const std::u16string text = u"//a\tb";
  EXPECT_EQ(c.Pass({text, 0}, {}), 1);
  TPassOptions tabs;
  tabs.TabsAsText = true;
  EXPECT_EQ(c.Pass({text, 0}, tabs), 3);
  EXPECT_EQ(ColorMap(c, text, tabs), "RRRTR");
}

TEST(Runs, RedrawAlwaysPaintsTheCaretLineUpToTheCaretInTheFontColour) {
  TColorizer c;
  KeywordRule(c, {u"if;blue"});
  TPassOptions options;
  options.RedrawAlways = true;
  options.CaretLineStart = 0;
  options.SelStart = 4;
  options.FontColor = 0x00FFFFFF;
  EXPECT_EQ(ColorMap(c, u"if  xx", options), "BBWWW.");
}

TEST(Runs, OffsetsAreAbsoluteFromTheScanStart) {
  TColorizer c;
  KeywordRule(c, {u"if"});
  const std::u16string region = u"x if";
  const int runs = c.Pass({region, 1000}, {});
  ASSERT_EQ(runs, 1);
  EXPECT_EQ(c.SpanList()[0].StartPos, 1002);
  EXPECT_EQ(c.SpanList()[0].EndPos, 1003);
}

TEST(SpanList, RecordsAreReusedAndAListEndMarkFollowsTheRuns) {
  TColorizer c;
  KeywordRule(c, {u"a"});
  const std::u16string many = u"a a a a";
  EXPECT_EQ(c.Pass({many, 0}, {}), 4);
  const int grown = c.SpanList().Count();
  const std::u16string one = u"a";
  EXPECT_EQ(c.Pass({one, 0}, {}), 1);
  EXPECT_EQ(c.SpanList().Count(), grown);
  EXPECT_EQ(c.SpanList()[1].StartPos, NoSpan);
}

TEST(SpanList, WriteBeyondTheEndAppendsAndDirtyBoundsWiden) {
  TKeyDescrList list;
  EXPECT_EQ(list.Write(5, {10, 12, 0, 0, 0}), 1);
  EXPECT_EQ(list.Write(1, {3, 4, 0, 0, 0}), 2);
  EXPECT_EQ(list.Write(0, {7, 20, 0, 0, 0}), 1);
  EXPECT_EQ(list.DirtyFirst, 3);
  EXPECT_EQ(list.DirtyLast, 20);
  EXPECT_EQ(list.WriteNone(1), 1);
  EXPECT_EQ(list[1].StartPos, NoSpan);
  list.Reset();
  EXPECT_EQ(list.DirtyFirst, -1);
  EXPECT_EQ(list[0].StartPos, NoSpan);
}

TEST(EventDraw, HandlerSpansAreShiftedToTheScanStartAndClipped) {
  TColorizer c;
  TColorRule& rule = c.ColorRules.Add();
  rule.KeyDrawingType = TKeyDrawingType::dtEventDraw;
  rule.ZOrder = 3;
  std::u16string seen;
  c.Events.OnDraw = [&](const TColorRule& sender, std::u16string_view from, std::span<TKeyDescr> a,
                        int& count) {
    EXPECT_EQ(&sender, &rule);
    seen = std::u16string(from);
    ASSERT_EQ(a.size(), 2u);
    a[0] = {0, 1, 0x0000FF, 0, 0};    // the rule's priority
    a[1] = {3, 99, 0x00FF00, 9, 0};  // past the region: clipped
    count = 5;                        // more than the array holds
  };
  const std::u16string region = u"abcde";
  EXPECT_EQ(c.Pass({region, 10}, {}), 0);  // no array yet: no spans
  c.Events.SetColorLimMax(2);
  const int runs = c.Pass({region, 10}, {});
  EXPECT_EQ(seen, region);
  ASSERT_EQ(runs, 2);
  EXPECT_EQ(c.SpanList()[0].StartPos, 10);
  EXPECT_EQ(c.SpanList()[0].ZOrder, 3);
  EXPECT_EQ(c.SpanList()[1].StartPos, 13);
  EXPECT_EQ(c.SpanList()[1].EndPos, 14);
  EXPECT_EQ(c.SpanList()[1].ZOrder, 9);
}

TEST(HotSpots, MarkersTextAndUnclosedOpenings) {
  TColorizer c;
  const std::u16string text = u"a\x1e" u"go\x1f b\x1e\x1f c\x1e" u"x";
  EXPECT_EQ(ColorMap(c, text), std::string(text.size(), '.'));  // inactive
  c.HotSpot.Active = true;
  EXPECT_EQ(ColorMap(c, text), ".KHHK..KK....");
  c.HotSpot.BeginChar = 0;
  EXPECT_EQ(ColorMap(c, text), std::string(text.size(), '.'));
}

}  // namespace
}  // namespace orv::test
