// The checker's decisions: its options, the comparison of outputs, the
// verdict on each program and the texts of its report.
#include "runner/checker.h"

#include <charconv>
#include <cstdio>

#include "common/cp1252.h"
#include "interp/text.h"

namespace orv::check {
namespace {

// Length of the valid UTF-8 sequence at `text[i]`, or 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short).
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  size_t length = 0;
  char32_t code = 0, minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F, minimum = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F, minimum = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07, minimum = 0x10000;
  else return 0;
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Quoted(const std::vector<std::string>& lines, int number) {
  if (number > static_cast<int>(lines.size())) return "(pas de ligne)";
  return "« " + Shortened(lines[number - 1], kMaxQuotedBytes) + " »";
}

std::string LastLine(std::string_view text) {
  const std::vector<std::string> lines = ComparableLines(text);
  return lines.empty() ? std::string() : lines.back();
}

Verdict Fail(std::string summary, std::string details) { return {false, std::move(summary), std::move(details)}; }

Verdict JudgeFinished(const std::vector<std::string>& expected, const RunOutcome& run) {
  const std::vector<std::string> actual = ComparableLines(run.Out);
  const int line = FirstDifference(expected, actual);
  if (line == 0) return {true, "réussi", ""};
  return Fail("sortie différente à la ligne " + std::to_string(line),
              "ligne " + std::to_string(line) + " attendue : " + Quoted(expected, line) + "\nligne " +
                  std::to_string(line) + " obtenue : " + Quoted(actual, line));
}

Verdict JudgeStopped(const RunOutcome& run) {
  const auto stop = ParseStop(run.Err);
  if (!stop) {
    const std::string last = LastLine(run.Err);
    return Fail(last.empty() ? "arrêt" : "arrêt : " + last, run.Err);
  }
  std::string summary = "arrêt à la ligne " + std::to_string(stop->Line);
  if (!stop->Message.empty()) summary += " : " + stop->Message;
  return Fail(summary, run.Err);
}

// A limit is never a pass, whatever the program printed before it.
std::optional<Verdict> JudgeLimit(const RunOutcome& run) {
  switch (run.Reached) {
    case confine::Limit::None: return std::nullopt;
    case confine::Limit::Time: return Fail("temps dépassé", run.Err);
    case confine::Limit::Memory: return Fail("mémoire dépassée", run.Err);
    case confine::Limit::Disk: return Fail("disque dépassé", run.Err);
    case confine::Limit::Output:
      return Fail("sortie trop longue (plus de " + std::to_string(kMaxOutputBytes >> 20) + " Mo)", run.Err);
  }
  return std::nullopt;
}

}  // namespace

bool CheckRequested(const std::vector<std::string>& args) {
  for (size_t i = 1; i < args.size(); ++i)
    if (args[i] == "--check") return true;
  return false;
}

std::string CheckUsage() {
  return "Usage : orvjava-run --check ATTENDU.txt [--input ENTREE.txt] [--jobs N] [--max-lines N] "
         "[--junit RAPPORT.xml] [--max-cpu S] [--max-seconds S] [--max-memory Mo] [--max-disk Mo] [--unconfined] "
         "PROGRAMME.java...";
}

std::variant<CheckOptions, std::string> ParseCheckArguments(const std::vector<std::string>& args) {
  CheckOptions options;
  bool expectedGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--check" || arg == "--input" || arg == "--jobs" || arg == "--max-lines" ||
                            arg == "--junit" || confine::IsLimitFlag(arg);
    if (arg == "--unconfined") {
      options.Unconfined = true;
      continue;
    }
    if (!takesValue) {
      if (arg.starts_with("--")) return "Argument inattendu : " + arg;
      options.Programs.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) return "Valeur manquante après " + arg;
    const std::string& value = args[++i];
    if (arg == "--check") {
      if (expectedGiven) return "--check est donné deux fois";
      options.Expected = value, expectedGiven = true;
    } else if (arg == "--input") {
      options.Input = value;
    } else if (arg == "--junit") {
      options.JUnit = value;
    } else if (confine::IsLimitFlag(arg)) {
      if (auto problem = confine::SetLimit(options.Limit, arg, value)) return *problem;
    } else {
      const auto n = ParseInt32(value);
      if (!n || *n <= 0)
        return (arg == "--jobs" ? "Nombre de tâches incorrect : " : "Nombre de lignes incorrect : ") + value;
      if (arg == "--jobs") options.Jobs = *n;
      else options.MaxLines = *n;
    }
  }
  if (options.Programs.empty()) return std::string("Aucun programme à corriger");
  return options;
}

std::string RepairUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      text += Cp1252ToUtf8(bytes.substr(i, 1));
      ++i;
    } else {
      text.append(bytes.substr(i, length));
      i += length;
    }
  }
  return text;
}

std::vector<std::string> ComparableLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    size_t last = end;
    while (last > start && IsBlank(text[last - 1])) --last;
    lines.emplace_back(text.substr(start, last - start));
    start = end + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

int FirstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  const size_t common = std::min(expected.size(), actual.size());
  for (size_t i = 0; i < common; ++i)
    if (expected[i] != actual[i]) return static_cast<int>(i) + 1;
  return expected.size() == actual.size() ? 0 : static_cast<int>(common) + 1;
}

std::optional<StopReport> ParseStop(std::string_view stderrText) {
  static constexpr std::string_view kStop = "Arrêt à la ligne ";
  const std::vector<std::string> lines = ComparableLines(stderrText);
  for (size_t i = lines.size(); i-- > 0;) {
    if (!lines[i].starts_with(kStop)) continue;
    const auto number = ParseInt32(std::string_view(lines[i]).substr(kStop.size()));
    if (!number) continue;
    return StopReport{*number, i > 0 ? lines[i - 1] : std::string()};
  }
  return std::nullopt;
}

Verdict Judge(const std::vector<std::string>& expected, const RunOutcome& run) {
  if (auto limit = JudgeLimit(run)) return *limit;
  switch (run.How) {
    case RunOutcome::End::NotStarted: return Fail("non lancé : " + run.Err, run.Err);
    case RunOutcome::End::Signaled:
      if (run.Code == confine::kFileSizeSignal)
        return Fail("sortie trop longue (plus de " + std::to_string(kMaxOutputBytes >> 20) + " Mo)", run.Err);
      return Fail("arrêt anormal (" + confine::CrashName(run.Code) + ")", run.Err);
    case RunOutcome::End::Exited: break;
  }
  switch (run.Code) {
    case kStatusFinished: return JudgeFinished(expected, run);
    case kStatusStopped: return JudgeStopped(run);
    case kStatusUsage: return Fail("fichier illisible", run.Err);
    case kStatusInterrupted: return Fail("interrompu", run.Err);
    case confine::kNotConfinedStatus: return Fail("non lancé : confinement impossible", run.Err);
    default: return Fail("arrêt anormal (code " + std::to_string(run.Code) + ")", run.Err);
  }
}

std::string ResultLine(const std::string& program, const Verdict& verdict) {
  return ShownSafely(program + " : " + verdict.Summary);
}

// A terminal obeys control characters: a submission's message could clear
// the screen or print a false verdict. Each is shown as its picture (U+2400
// block, ␡ for DEL) or, for the C1 controls, as <9B>.
std::string ShownSafely(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7F) {
      const char32_t picture = byte == 0x7F ? 0x2421 : 0x2400 + byte;
      shown += static_cast<char>(0xE0 | (picture >> 12));
      shown += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
      shown += static_cast<char>(0x80 | (picture & 0x3F));
    } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) < 0xA0) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto c1 = static_cast<unsigned char>(text[++i]);
      shown += '<';
      shown += kHex[c1 >> 4];
      shown += kHex[c1 & 0xF];
      shown += '>';
    } else {
      shown += text[i];
    }
  }
  return shown;
}

// The start of a long text, cut on a character boundary, with what was left
// out said.
std::string Shortened(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  size_t cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + " … (" + std::to_string(text.size() - cut) + " octets de plus)";
}

std::string SummaryLine(int total, int passed) {
  const auto counted = [](int n, const std::string& word) {
    return std::to_string(n) + " " + word + (n > 1 ? "s" : "");
  };
  return counted(total, "programme") + " : " + counted(passed, "réussi") + ", " + std::to_string(total - passed) +
         " en échec";
}

std::string XmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    // U+FFFE and U+FFFF are not characters XML can hold either
    if (text.substr(i, 2) == "\xEF\xBF" && i + 2 < text.size() &&
        (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
      i += 2;
      continue;
    }
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      case '\n': escaped += "&#10;"; break;  // kept through attribute normalisation
      case '\r': escaped += "&#13;"; break;
      case '\t': escaped += "&#9;"; break;
      default:
        if (byte >= 0x20) escaped += c;  // other control characters cannot appear in XML 1.0
    }
  }
  return escaped;
}

std::string JUnitProperties(bool confined) {
  return std::string("  <properties>\n    <property name=\"confined\" value=\"") + (confined ? "true" : "false") +
         "\"/>\n  </properties>\n";
}

std::string JUnitReport(const std::string& suite, const std::vector<ReportEntry>& entries,
                        std::string_view properties) {
  int failures = 0;
  double seconds = 0;
  for (const ReportEntry& entry : entries) {
    failures += entry.Result.Passed ? 0 : 1;
    seconds += entry.Seconds;
  }
  const auto time = [](double s) {
    char buffer[32];  // to_chars: "." whatever the locale
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, s, std::chars_format::fixed, 3).ptr);
  };
  const std::string suiteName = XmlEscape(RepairUtf8(suite));
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += "<testsuite name=\"" + suiteName + "\" tests=\"" + std::to_string(entries.size()) + "\" failures=\"" +
         std::to_string(failures) + "\" errors=\"0\" skipped=\"0\" time=\"" + time(seconds) + "\">\n";
  xml += properties;
  for (const ReportEntry& entry : entries) {
    xml += "  <testcase classname=\"" + suiteName + "\" name=\"" + XmlEscape(RepairUtf8(entry.Program)) +
           "\" time=\"" + time(entry.Seconds) + "\"";
    if (entry.Result.Passed) {
      xml += "/>\n";
      continue;
    }
    xml += ">\n    <failure message=\"" + XmlEscape(RepairUtf8(entry.Result.Summary)) + "\">" +
           XmlEscape(RepairUtf8(Shortened(entry.Result.Details, kMaxDetailBytes))) + "</failure>\n  </testcase>\n";
  }
  xml += "</testsuite>\n";
  return xml;
}

}  // namespace orv::check
