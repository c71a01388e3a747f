// orvjava-run [--max-lines N] [--printer FILE] [--reference] PROGRAM.java
//
// Runs a program without the environment: its output on stdout, the texts of
// its message boxes on stderr. --reference evaluates every line from its
// text, without the compiled forms of the fast path. Exit status: 0 finished, 1 stopped (the last
// stderr line says where), 2 bad arguments or unreadable file, 3 interrupted.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "common/exit_status.h"
#include "common/markers.h"
#include "interp/Unit3.h"
#include "interp/program_text.h"
#include "interp/text.h"
#include "runner/checker.h"
#include "runner/confine.h"
#include "runner/platform.h"
#include "runner/runner_host.h"

namespace {

// The largest program the editor takes.
constexpr size_t kMaxProgramBytes = 16 * 1024 * 1024;

int Usage(const std::string& problem) {
  std::fprintf(stderr, "%s\nUsage : orvjava-run [--max-lines N] [--printer FICHIER] [--reference] PROGRAMME.java\n",
               problem.c_str());
  return orv::kStatusUsage;
}

// The program's bytes, read no further than the editor's limit allows (a
// device such as /dev/zero has no size to check beforehand); nullopt after a
// message when the file cannot be run.
std::optional<std::string> ReadProgram(const std::string& path) {
  std::string text;
  switch (orv::platform::ReadRegularFile(path, kMaxProgramBytes, text)) {
    case orv::platform::FileRead::Unreadable:
      std::fprintf(stderr, "Impossible de lire le fichier %s\n", path.c_str());
      return std::nullopt;
    case orv::platform::FileRead::NotRegular:
      std::fprintf(stderr, "Le fichier %s n'est pas un fichier ordinaire\n", path.c_str());
      return std::nullopt;
    case orv::platform::FileRead::Read: break;
  }
  if (text.size() > kMaxProgramBytes) {
    std::fprintf(stderr, "Le fichier %s est trop grand (16 Mo au plus)\n", path.c_str());
    return std::nullopt;
  }
  return text;
}

// A fresh run starts without the step markers an earlier run left, as in the
// editor.
void RemoveStepMarkers(orv::VectorLineList& lines) {
  for (int i = 0; i < lines.Count(); ++i)
    if (const std::string line = lines.Line(i); !line.empty() && line[0] == orv::kStepMarker)
      lines.SetLine(i, line.substr(1));
}

std::string OutputFailure(int error) {
  switch (error) {
    case ENOSPC: return "espace disque insuffisant";
    case EPIPE: return "plus personne ne la lit";
    case EFBIG: return "fichier trop grand";
    default: return "erreur " + std::to_string(error);
  }
}

}  // namespace

using orv::operator""_cp;

int main(int argc, char** argv) {
  // The user's locale, as in the environment: nothing the interpreter reads or
  // writes may depend on it, and the French test run proves it does not.
  std::setlocale(LC_ALL, "");
  orv::platform::PrepareStandardStreams();
  const std::vector<std::string> args = orv::platform::Arguments(argc, argv);
  if (orv::check::CheckRequested(args)) return orv::check::RunCheck(args);
  if (orv::confine::ConfineRequested(args)) return orv::confine::RunConfined(args);
  orv::confine::ChildOptions confined;  // set when a checker or --confine started this runner
  long long maxLines = 0;
  bool reference = false;
  std::string printer, program;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--reference") {
      reference = true;
    } else if (arg == "--max-lines" || arg == "--printer") {
      if (i + 1 >= args.size()) return Usage("Valeur manquante après " + arg);
      const std::string& value = args[++i];
      if (arg == "--printer") {
        printer = value;
        continue;
      }
      const auto n = orv::ParseInt32(value);
      if (!n || *n <= 0) return Usage("Nombre de lignes incorrect : " + value);
      maxLines = *n;
    } else if (orv::confine::ChildOptions::IsChildFlag(arg)) {
      if (i + 1 >= args.size()) return Usage("Valeur manquante après " + arg);
      if (const auto problem = confined.Set(arg, args[++i])) return Usage(*problem);
    } else if (arg.starts_with("--") || !program.empty()) {
      return Usage("Argument inattendu : " + arg);
    } else {
      program = arg;
    }
  }
  if (program.empty()) return Usage("Aucun programme indiqué");

  std::optional<std::string> text = ReadProgram(program);
  if (!text) return orv::kStatusUsage;
  // Confined once its program is read, before the program's first line.
  if (!confined.Folder.empty())
    if (const auto problem = orv::confine::EnterConfinement(confined)) {
      std::fprintf(stderr, "%s\n", problem->c_str());
      return orv::confine::kNotConfinedStatus;
    }

  orv::platform::InstallInterruptHandler(orv::RunnerHost::interruptFlag);
  orv::RunnerHost host(stdout, stderr, stdin, printer);
  orv::VectorLineList lines(*text);
  text.reset();
  RemoveStepMarkers(lines);
  orv::TForm3 interpreter(host);
  interpreter.SetBreakpointsEnabled(false);
  interpreter.SetLineBudget(maxLines);
  interpreter.SetFastPath(!reference);
  interpreter.InitPrg(orv::platform::Utf8Of(orv::platform::PathOf(program).filename()));

  int32_t resumeLine = 0, finalState = 0;
  interpreter.Exec(lines, resumeLine, 0, finalState);
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  if (const int error = host.OutputError() ? host.OutputError() : flushed ? 0 : errno ? errno : EIO) {
    // Output cut short is no result: the run fails, whatever it reached.
    interpreter.CloseAllChecked();
    std::fprintf(stderr, "Écriture impossible sur la sortie standard (%s)\n", OutputFailure(error).c_str());
    if (finalState != orv::kFinished)
      std::fprintf(stderr, "Arrêt à la ligne %d\n", resumeLine + 1 + lines.DeletedAtTop());
    return orv::kStatusStopped;
  }
  // A finished run has closed its files; a stopped one leaves them open, and
  // what they hold must still reach them.
  if (finalState == orv::kFinished) return orv::kStatusFinished;
  interpreter.CloseAllChecked();
  host.MessageBox("Arrêt à la ligne "_cp + std::to_string(resumeLine + 1 + lines.DeletedAtTop()));
  return interpreter.Interrupted() ? orv::kStatusInterrupted : orv::kStatusStopped;
}
