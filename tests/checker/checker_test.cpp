// The checker's decisions without processes: its options, how texts are read
// and compared, what a runner's stderr says, the verdicts and the report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "runner/checker.h"
#include "runner/confine.h"

namespace orv::check {
namespace {

struct TextCase {
  const char* name;
  std::string input, expected;
};
std::ostream& operator<<(std::ostream& out, const TextCase& c) { return out << c.name; }
std::string Name(const auto& info) { return info.param.name; }

class RepairUtf8Test : public testing::TestWithParam<TextCase> {};
TEST_P(RepairUtf8Test, KeepsUtf8AndReadsOtherBytesAsWindows1252) {
  EXPECT_EQ(RepairUtf8(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Checker, RepairUtf8Test,
    testing::Values(TextCase{"Ascii", "Bonjour\n", "Bonjour\n"},
                    TextCase{"Utf8Kept", "H\xC3\xA9l\xC3\xA8ne \xE2\x82\xAC \xF0\x9F\x98\x80",
                             "H\xC3\xA9l\xC3\xA8ne \xE2\x82\xAC \xF0\x9F\x98\x80"},
                    TextCase{"Windows1252Letters", "H\xE9l\xE8ne \x80 \x95",
                             "H\xC3\xA9l\xC3\xA8ne \xE2\x82\xAC \xE2\x80\xA2"},
                    TextCase{"OverlongFormIsNotUtf8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
                    TextCase{"SurrogateIsNotUtf8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
                    TextCase{"SequenceCutAtTheEnd", "caf\xC3", "caf\xC3\x83"},
                    TextCase{"BeyondUnicode", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}),
    Name<testing::TestParamInfo<TextCase>>);

struct CompareCase {
  const char* name;
  std::string expected, actual;
  int firstDifference;
};
std::ostream& operator<<(std::ostream& out, const CompareCase& c) { return out << c.name; }

class CompareTest : public testing::TestWithParam<CompareCase> {};
TEST_P(CompareTest, FindsTheFirstLineThatDiffers) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(FirstDifference(ComparableLines(c.expected), ComparableLines(c.actual)), c.firstDifference);
}
INSTANTIATE_TEST_SUITE_P(Checker, CompareTest,
                         testing::Values(CompareCase{"Identical", "a\nb\n", "a\nb\n", 0},
                                         CompareCase{"WindowsLineEnds", "a\r\nb\r\n", "a\nb\n", 0},
                                         CompareCase{"TrailingBlanks", "Nom ? \t\nb", "Nom ?\nb  \n", 0},
                                         CompareCase{"NoFinalLineEnd", "a\nb", "a\nb\n", 0},
                                         CompareCase{"EmptyLinesAtTheEnd", "a\n\n\n", "a\n", 0},
                                         CompareCase{"BothEmpty", "", "\n", 0},
                                         CompareCase{"SecondLineDiffers", "a\nb\nc\n", "a\nB\nc\n", 2},
                                         CompareCase{"LeadingBlanksCount", "a\n b\n", "a\nb\n", 2},
                                         CompareCase{"InnerEmptyLineCounts", "a\n\nb\n", "a\nb\n", 2},
                                         CompareCase{"OutputStopsShort", "a\nb\nc\n", "a\nb\n", 3},
                                         CompareCase{"OutputGoesOn", "a\n", "a\nencore\n", 2},
                                         CompareCase{"NothingPrinted", "a\n", "", 1}),
                         Name<testing::TestParamInfo<CompareCase>>);

struct StopCase {
  const char* name;
  std::string err;
  std::optional<int> line;
  std::string message;
};
std::ostream& operator<<(std::ostream& out, const StopCase& c) { return out << c.name; }

class ParseStopTest : public testing::TestWithParam<StopCase> {};
TEST_P(ParseStopTest, TakesTheLastStopAndTheMessageBeforeIt) {
  const StopCase& c = GetParam();
  const auto stop = ParseStop(c.err);
  ASSERT_EQ(stop.has_value(), c.line.has_value());
  if (!stop) return;
  EXPECT_EQ(stop->Line, *c.line);
  EXPECT_EQ(stop->Message, c.message);
}
INSTANTIATE_TEST_SUITE_P(
    Checker, ParseStopTest,
    testing::Values(StopCase{"MessageThenStop", "Erreur dans expression\nArrêt à la ligne 11\n", 11,
                             "Erreur dans expression"},
                    StopCase{"SilentStop", "Arrêt à la ligne 7\n", 7, ""},
                    StopCase{"LastOfSeveralMessages",
                             "Fichier introuvable\nPile saturée\r\nArrêt à la ligne 12\r\n", 12, "Pile saturée"},
                    StopCase{"NothingSaid", "", std::nullopt, ""},
                    StopCase{"NoLineNumber", "Erreur\nArrêt à la ligne x\n", std::nullopt, ""}),
    Name<testing::TestParamInfo<StopCase>>);

RunOutcome Exited(int code, std::string out, std::string err = "") {
  return {RunOutcome::End::Exited, code, std::move(out), std::move(err), 0.5};
}

struct JudgeCase {
  const char* name;
  RunOutcome run;
  bool passed;
  std::string summary;
};
std::ostream& operator<<(std::ostream& out, const JudgeCase& c) { return out << c.name; }

class JudgeTest : public testing::TestWithParam<JudgeCase> {};
TEST_P(JudgeTest, NamesWhatHappened) {
  const Verdict verdict = Judge({"Bonjour", "55"}, GetParam().run);
  EXPECT_EQ(verdict.Passed, GetParam().passed);
  EXPECT_EQ(verdict.Summary, GetParam().summary);
}
INSTANTIATE_TEST_SUITE_P(
    Checker, JudgeTest,
    testing::Values(
        JudgeCase{"SameOutput", Exited(0, "Bonjour\r\n55 \n"), true, "réussi"},
        JudgeCase{"OtherOutput", Exited(0, "Bonjour\n56\n"), false, "sortie différente à la ligne 2"},
        JudgeCase{"StoppedWithMessage", Exited(1, "Bonjour\n", "Pile saturée\nArrêt à la ligne 12\n"), false,
                  "arrêt à la ligne 12 : Pile saturée"},
        JudgeCase{"StoppedSilently", Exited(1, "", "Arrêt à la ligne 9\n"), false, "arrêt à la ligne 9"},
        JudgeCase{"StoppedOutputIsNotEnough", Exited(1, "Bonjour\n55\n", "Arrêt à la ligne 9\n"), false,
                  "arrêt à la ligne 9"},
        JudgeCase{"Interrupted", Exited(3, "", "Programme interrompu\nArrêt à la ligne 10\n"), false,
                  "interrompu"},
        JudgeCase{"Unreadable", Exited(2, "", "Impossible de lire le fichier x.java\n"), false,
                  "fichier illisible"},
        JudgeCase{"Crashed", RunOutcome{RunOutcome::End::Signaled, 11, "Bonjour\n55\n", "", 0}, false,
                  "arrêt anormal (" + confine::CrashName(11) + ")"},
        JudgeCase{"OutputTooLong", RunOutcome{RunOutcome::End::Signaled, confine::kFileSizeSignal, "tour\n", "", 0},
                  false,
                  "sortie trop longue (plus de 16 Mo)"},
        JudgeCase{"TimeOverAfterTheRightOutput",
                  RunOutcome{RunOutcome::End::Signaled, 9, "Bonjour\n55\n", "", 20, confine::Limit::Time},
                  false, "temps dépassé"},
        JudgeCase{"MemoryOver",
                  RunOutcome{RunOutcome::End::Exited, confine::kMemoryStatus, "Bonjour\n55\n", "Mémoire dépassée\n",
                             1, confine::Limit::Memory},
                  false, "mémoire dépassée"},
        JudgeCase{"DiskOver",
                  RunOutcome{RunOutcome::End::Signaled, 25, "Bonjour\n55\n", "", 1, confine::Limit::Disk},
                  false, "disque dépassé"},
        JudgeCase{"OutputOver",
                  RunOutcome{RunOutcome::End::Signaled, 25, "Bonjour\n55\n", "", 1, confine::Limit::Output},
                  false, "sortie trop longue (plus de 16 Mo)"},
        JudgeCase{"OddStatus", Exited(127, "", "Le programme n'a pas pu être lancé\n"), false,
                  "arrêt anormal (code 127)"},
        JudgeCase{"NotConfined", Exited(confine::kNotConfinedStatus, "Bonjour\n55\n", "Confinement impossible\n"),
                  false, "non lancé : confinement impossible"},
        JudgeCase{"NeverStarted", RunOutcome{RunOutcome::End::NotStarted, 0, "", "correction interrompue", 0},
                  false, "non lancé : correction interrompue"}),
    Name<testing::TestParamInfo<JudgeCase>>);

TEST(Checker, ADifferenceShowsBothLines) {
  EXPECT_EQ(Judge({"a", "b"}, Exited(0, "a\nc\n")).Details, "ligne 2 attendue : « b »\nligne 2 obtenue : « c »");
  EXPECT_EQ(Judge({"a", "b"}, Exited(0, "a\n")).Details,
            "ligne 2 attendue : « b »\nligne 2 obtenue : (pas de ligne)");
}

TEST(Checker, SummaryCountsInFrench) {
  EXPECT_EQ(SummaryLine(3, 2), "3 programmes : 2 réussis, 1 en échec");
  EXPECT_EQ(SummaryLine(1, 1), "1 programme : 1 réussi, 0 en échec");
  EXPECT_EQ(SummaryLine(30, 0), "30 programmes : 0 réussi, 30 en échec");
  EXPECT_EQ(ResultLine("dupont/Exo1.java", Judge({}, Exited(3, ""))), "dupont/Exo1.java : interrompu");
}

// What a submission prints reaches the teacher's terminal as text only, and
// a flood is quoted by its start.
TEST(Checker, VerdictsShowControlCharactersAndCutLongLines) {
  const struct { std::string text, shown; } rows[] = {
      {"a\x1B[2Jb", "a\u241B[2Jb"},
      {"\r\n\t\x7F", "\u240D\u240A\u2409\u2421"},
      {"\xC2\x9B" "31m", "<9B>31m"},      // the 8-bit CSI, in UTF-8
      {"été « ok »", "été « ok »"},
  };
  for (const auto& row : rows) EXPECT_EQ(ShownSafely(row.text), row.shown) << row.text;
  EXPECT_EQ(ResultLine("x\x1B.java", Judge({}, Exited(3, ""))), "x\u241B.java : interrompu");
  EXPECT_EQ(Shortened("éé", 3), "é … (2 octets de plus)");  // never inside a character
  const std::string flood(100000, 'z');
  const std::string details = Judge({"a"}, Exited(0, flood)).Details;
  EXPECT_LT(details.size(), 2 * kMaxQuotedBytes);
  EXPECT_NE(details.find("octets de plus"), std::string::npos);
}

struct ArgsCase {
  const char* name;
  std::vector<std::string> args;
  std::string problem;  // empty: accepted
};
std::ostream& operator<<(std::ostream& out, const ArgsCase& c) { return out << c.name; }

class ArgumentsTest : public testing::TestWithParam<ArgsCase> {};
TEST_P(ArgumentsTest, RefusesWhatCannotBeRun) {
  const auto parsed = ParseCheckArguments(GetParam().args);
  if (GetParam().problem.empty()) EXPECT_TRUE(std::holds_alternative<CheckOptions>(parsed));
  else if (const auto* problem = std::get_if<std::string>(&parsed)) EXPECT_EQ(*problem, GetParam().problem);
  else ADD_FAILURE() << "accepted";
}
INSTANTIATE_TEST_SUITE_P(
    Checker, ArgumentsTest,
    testing::Values(
        ArgsCase{"Accepted", {"--check", "a.txt", "x.java", "--jobs", "2", "y.java"}, ""},
        ArgsCase{"NoPrograms", {"--check", "a.txt", "--jobs", "2"}, "Aucun programme à corriger"},
        ArgsCase{"ExpectedFileMissing", {"--check"}, "Valeur manquante après --check"},
        ArgsCase{"EmptyValue", {"--check", "a.txt", "--input", "", "x.java"}, "Valeur manquante après --input"},
        ArgsCase{"ZeroJobs", {"--check", "a.txt", "--jobs", "0", "x.java"}, "Nombre de tâches incorrect : 0"},
        ArgsCase{
            "WordForJobs", {"--check", "a.txt", "--jobs", "deux", "x.java"}, "Nombre de tâches incorrect : deux"},
        ArgsCase{"NegativeBudget",
                 {"--check", "a.txt", "--max-lines", "-5", "x.java"},
                 "Nombre de lignes incorrect : -5"},
        ArgsCase{"RunnerOnlyOption",
                 {"--check", "a.txt", "--printer", "p.txt", "x.java"},
                 "Argument inattendu : --printer"},
        ArgsCase{"ZeroCpu", {"--check", "a.txt", "--max-cpu", "0", "x.java"}, "Durée incorrecte : 0"},
        ArgsCase{"WordForSeconds", {"--check", "a.txt", "--max-seconds", "dix", "x.java"}, "Durée incorrecte : dix"},
        ArgsCase{"NegativeMemory", {"--check", "a.txt", "--max-memory", "-1", "x.java"}, "Taille incorrecte : -1"},
        ArgsCase{"HugeDisk", {"--check", "a.txt", "--max-disk", "99999999", "x.java"}, "Taille incorrecte : 99999999"},
        ArgsCase{"LimitWithoutValue",
                 {"--check", "a.txt", "x.java", "--max-disk"},
                 "Valeur manquante après --max-disk"},
        ArgsCase{"TwoExpectedFiles",
                 {"--check", "a.txt", "--check", "b.txt", "x.java"},
                 "--check est donné deux fois"}),
    Name<testing::TestParamInfo<ArgsCase>>);

TEST(Checker, OptionsKeepTheirValuesAndTheProgramOrder) {
  const auto parsed = ParseCheckArguments({"c.java", "--check", "a.txt", "--input", "e.txt", "--junit", "r.xml",
                                           "--max-lines", "500", "b.java", "a.java"});
  const CheckOptions& options = std::get<CheckOptions>(parsed);
  EXPECT_EQ(options.Expected, "a.txt");
  EXPECT_EQ(options.Input, "e.txt");
  EXPECT_EQ(options.JUnit, "r.xml");
  EXPECT_EQ(options.MaxLines, 500);
  EXPECT_EQ(options.Jobs, 0);
  EXPECT_EQ(options.Programs, (std::vector<std::string>{"c.java", "b.java", "a.java"}));
  EXPECT_EQ(std::get<CheckOptions>(ParseCheckArguments({"--check", "a.txt", "x.java"})).MaxLines,
            kDefaultLineBudget);
}

TEST(Checker, LimitsHaveDefaultsAndFlags) {
  const auto defaults = std::get<CheckOptions>(ParseCheckArguments({"--check", "a.txt", "x.java"}));
  EXPECT_EQ(defaults.Limit.CpuSeconds, 10);
  EXPECT_EQ(defaults.Limit.WallSeconds, 20);
  EXPECT_EQ(defaults.Limit.MemoryBytes, 512ull << 20);
  EXPECT_EQ(defaults.Limit.DiskBytes, 64ull << 20);
  EXPECT_FALSE(defaults.Unconfined);
  const auto set = std::get<CheckOptions>(ParseCheckArguments({"--check", "a.txt", "--max-cpu", "2", "--max-seconds",
                                                               "3", "--max-memory", "100", "--max-disk", "5",
                                                               "--unconfined", "x.java"}));
  EXPECT_EQ(set.Limit.CpuSeconds, 2);
  EXPECT_EQ(set.Limit.WallSeconds, 3);
  EXPECT_EQ(set.Limit.MemoryBytes, 100ull << 20);
  EXPECT_EQ(set.Limit.DiskBytes, 5ull << 20);
  EXPECT_TRUE(set.Unconfined);
  EXPECT_EQ(set.Programs, std::vector<std::string>{"x.java"});
}

// What the parent passes its runner child survives the trip.
TEST(Confine, ChildOptionsReadWhatTheParentWrites) {
  confine::ChildOptions options;
  EXPECT_FALSE(options.Set("--confined-limits", "0,7,1048576,2097152").has_value());
  EXPECT_FALSE(options.Landlock);
  EXPECT_EQ(options.Limit.CpuSeconds, 7);
  EXPECT_EQ(options.Limit.MemoryBytes, 1048576u);
  EXPECT_EQ(options.Limit.DiskBytes, 2097152u);
  for (const char* bad : {"1,7,1", "1,0,1,1", "1,7,x,1", "1,7,1,1,", ""})
    EXPECT_TRUE(options.Set("--confined-limits", bad).has_value()) << bad;
}

TEST(Checker, TheReportSaysWhetherTheSeriesRanConfined) {
  const std::vector<ReportEntry> entries = {{"reussi.java", {true, "réussi", ""}, 0.25}};
  const std::string report = JUnitReport("A.txt", entries, JUnitProperties(false));
  EXPECT_NE(report.find("<testsuite name=\"A.txt\" tests=\"1\" failures=\"0\" errors=\"0\" skipped=\"0\" "
                        "time=\"0.250\">\n  <properties>\n    <property name=\"confined\" value=\"false\"/>\n"
                        "  </properties>\n  <testcase"),
            std::string::npos)
      << report;
  EXPECT_NE(JUnitProperties(true).find("value=\"true\""), std::string::npos);
}

TEST(Checker, XmlEscapeLeavesNothingThatBreaksTheReport) {
  EXPECT_EQ(XmlEscape("a < b && c > \"d\" 'e'"), "a &lt; b &amp;&amp; c &gt; &quot;d&quot; &apos;e&apos;");
  EXPECT_EQ(XmlEscape("l1\nl2\tx\r"), "l1&#10;l2&#9;x&#13;");
  EXPECT_EQ(XmlEscape(std::string("bip\x07\x1B[0m\0!", 10)), "bip[0m!");
  EXPECT_EQ(XmlEscape("\xEF\xBF\xBE\xEF\xBF\xBF\xC3\xA9\xEF\xBF\xBD"), "\xC3\xA9\xEF\xBF\xBD");  // U+FFFD stays
}

TEST(Checker, JUnitReportHasOneCasePerProgramAndFailuresWithTheirMessages) {
  const std::vector<ReportEntry> entries = {
      {"reussi.java", {true, "réussi", ""}, 0.25},
      {"a&b.java", {false, "sortie différente à la ligne 2", "ligne 2 attendue : « <b> »"}, 1.5},
  };
  EXPECT_EQ(
      JUnitReport("ATTENDU.txt", entries),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<testsuite name=\"ATTENDU.txt\" tests=\"2\" failures=\"1\" errors=\"0\" skipped=\"0\" time=\"1.750\">\n"
      "  <testcase classname=\"ATTENDU.txt\" name=\"reussi.java\" time=\"0.250\"/>\n"
      "  <testcase classname=\"ATTENDU.txt\" name=\"a&amp;b.java\" time=\"1.500\">\n"
      "    <failure message=\"sortie différente à la ligne 2\">ligne 2 attendue : « &lt;b&gt; »</failure>\n"
      "  </testcase>\n"
      "</testsuite>\n");
}

}  // namespace
}  // namespace orv::check
