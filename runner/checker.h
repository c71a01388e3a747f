// orvjava-run --check: a teacher's checker. Runs a series of programs, each
// as a runner process of its own in a fresh folder, feeds them the same
// keyboard input, compares what each prints with the expected text and says,
// one French line per program and in the order given, whether it passed.
//
//   orvjava-run --check ATTENDU.txt [--input ENTREE.txt] [--jobs N]
//               [--max-lines N] [--junit RAPPORT.xml] [--max-cpu S] [--max-seconds S]
//               [--max-memory Mo] [--max-disk Mo] [--unconfined] PROGRAMME.java...
//
// Each program runs confined to a folder of its own with limits (see
// runner/confine.h); where Landlock is missing the check is refused unless
// --unconfined is given.
//
// Exit status: 0 every program passed, 1 at least one did not, 2 bad
// arguments, unreadable expected/input file or no confinement.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runner/confine.h"

namespace orv::check {

// True when one of the arguments is "--check": the command is a check.
bool CheckRequested(const std::vector<std::string>& args);
// The whole command (args[0] is the runner's name); never throws, never
// ends the process itself.
int RunCheck(const std::vector<std::string>& args);

// A looping program must end: without --max-lines, each program may run
// this many lines before it is interrupted.
constexpr long long kDefaultLineBudget = 10'000'000;
// Nor may it fill the disk: a program's output, and each file it writes, stops
// at this size (the process then ends on SIGXFSZ, "sortie trop longue").
constexpr unsigned long kMaxOutputBytes = confine::kMaxFileBytes;

struct CheckOptions {
  std::string Expected;  // ATTENDU.txt
  std::string Input;     // empty: the keyboard reads nothing
  std::string JUnit;     // empty: no report file
  int Jobs = 0;          // 0: one per processor
  long long MaxLines = kDefaultLineBudget;
  confine::Limits Limit;
  bool Unconfined = false;
  std::vector<std::string> Programs;  // as given
};

// The options, or the French sentence that says what is wrong with them.
std::variant<CheckOptions, std::string> ParseCheckArguments(const std::vector<std::string>& args);
std::string CheckUsage();

// Text as UTF-8: valid UTF-8 sequences are kept, every other byte is read as
// Windows-1252 (so a file saved by an old Windows editor compares too).
std::string RepairUtf8(std::string_view bytes);

// The lines that are compared: split at "\n", without "\r" or trailing blanks
// (spaces, tabs) and without the empty lines at the end.
std::vector<std::string> ComparableLines(std::string_view text);

// The first line (counted from 1) where the two texts differ once reduced to
// comparable lines; 0 when they agree.
int FirstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual);

// The stop a runner reports on stderr: the line of its last "Arrêt à la
// ligne N" and the message just before it (empty for a silent stop).
struct StopReport {
  int Line = 0;
  std::string Message;
};
std::optional<StopReport> ParseStop(std::string_view stderrText);

// How one program's process went.
struct RunOutcome {
  enum class End { Exited, Signaled, NotStarted };
  End How = End::NotStarted;
  int Code = 0;     // exit status, or signal number
  std::string Out;  // stdout, UTF-8
  std::string Err;  // stderr, UTF-8; for NotStarted, the reason
  double Seconds = 0;
  confine::Limit Reached = confine::Limit::None;
};

struct Verdict {
  bool Passed = false;
  std::string Summary;  // "réussi", "sortie différente à la ligne 3", ...
  std::string Details;  // what the report adds: the lines that differ, the messages
};
Verdict Judge(const std::vector<std::string>& expected, const RunOutcome& run);

// "prog.java : réussi"
std::string ResultLine(const std::string& program, const Verdict& verdict);
// Control characters as visible pictures: what reaches the terminal is text.
std::string ShownSafely(std::string_view text);
// At most maxBytes of the text (on a character boundary), the rest counted.
std::string Shortened(std::string_view text, size_t maxBytes);
// What a verdict quotes of a line, and what the report keeps of its details.
constexpr size_t kMaxQuotedBytes = 200, kMaxDetailBytes = 16 * 1024;
// What the checker keeps of a submission's stderr: its start and its end,
// where the stop message stands.
constexpr size_t kKeptErrorBytes = 32 * 1024;
// "3 programmes : 2 réussis, 1 en échec"
std::string SummaryLine(int total, int passed);

// Text for an XML attribute or element: markup characters escaped, characters
// XML cannot hold dropped. Expects UTF-8.
std::string XmlEscape(std::string_view text);

struct ReportEntry {
  std::string Program;
  Verdict Result;
  double Seconds = 0;
};
// A JUnit XML report: one test suite named `suite`, one test case per program;
// `properties` (JUnitProperties) right after the suite's opening tag.
std::string JUnitReport(const std::string& suite, const std::vector<ReportEntry>& entries,
                        std::string_view properties = {});
// The suite's properties: whether the series ran confined.
std::string JUnitProperties(bool confined);

}  // namespace orv::check
