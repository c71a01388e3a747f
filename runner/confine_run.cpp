// orvjava-run --confine DOSSIER PROG.java: one program confined to a folder
// with the checker's limits, for graders that call the runner once per
// submission. Its output goes where the caller's goes; the limit that ended
// it is said on stderr and in the exit status.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <variant>

#include "interp/text.h"
#include "runner/confine.h"
#include "runner/platform.h"

namespace fs = std::filesystem;

namespace orv::confine {
namespace {

constexpr int kUsageStatus = kStatusUsage;

volatile std::sig_atomic_t interrupted = 0;

struct AloneOptions {
  std::string Folder, Program;
  Limits Limit;
  long long MaxLines = 0;
  bool Unconfined = false;
};

std::string Usage() {
  return "Usage : orvjava-run --confine DOSSIER [--max-cpu S] [--max-seconds S] [--max-memory Mo] [--max-disk Mo] "
         "[--max-lines N] [--unconfined] PROGRAMME.java";
}

std::variant<AloneOptions, std::string> ParseAlone(const std::vector<std::string>& args) {
  AloneOptions options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--unconfined") {
      options.Unconfined = true;
      continue;
    }
    const bool takesValue = arg == "--confine" || arg == "--max-lines" || IsLimitFlag(arg);
    if (!takesValue) {
      if (arg.starts_with("--") || !options.Program.empty()) return "Argument inattendu : " + arg;
      options.Program = arg;
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) return "Valeur manquante après " + arg;
    const std::string& value = args[++i];
    if (arg == "--confine") {
      options.Folder = value;
    } else if (arg == "--max-lines") {
      const auto n = ParseInt32(value);
      if (!n || *n <= 0) return "Nombre de lignes incorrect : " + value;
      options.MaxLines = *n;
    } else if (auto problem = SetLimit(options.Limit, arg, value)) {
      return *problem;
    }
  }
  if (options.Program.empty()) return std::string("Aucun programme indiqué");
  std::error_code error;
  if (!fs::is_directory(platform::PathOf(options.Folder), error)) return "Le dossier " + options.Folder + " n'existe pas";
  options.Folder = platform::Utf8Of(fs::canonical(platform::PathOf(options.Folder), error));
  if (error) return "Le dossier " + options.Folder + " n'existe pas";
  options.Program = platform::Utf8Of(fs::absolute(platform::PathOf(options.Program), error));
  return options;
}

// Its own output in its folder would let a program read or forge it.
std::optional<std::string> OutputInFolder(const std::string& folder) {
  const fs::path top = platform::PathOf(folder);
  for (const int fd : {1, 2}) {
    const std::string target = OutputPath(fd);
    if (target.empty()) continue;
    const fs::path relative = platform::PathOf(target).lexically_relative(top);
    if (!relative.empty() && *relative.begin() != "..")
      return "La sortie " + target + " ne doit pas être dans le dossier " + folder;
  }
  return std::nullopt;
}

bool Full(int fd) { return OutputSize(fd) >= kMaxFileBytes; }

// What the caller learns of the child's end.
int Report(const Ended& ended) {
  const auto say = [](const char* text, int status) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text);
    return status;
  };
  switch (LimitReached(ended, Full(1) || Full(2))) {
    case Limit::Time: return say("Temps dépassé", kTimeStatus);
    case Limit::Output: return say("Sortie trop longue", kOutputStatus);
    case Limit::Memory: return kMemoryStatus;  // the child said so
    case Limit::Disk: return ended.Signaled ? say("Disque dépassé", kDiskStatus) : kDiskStatus;
    case Limit::None: break;
  }
  if (!ended.Signaled) return ended.Code;
  const std::string crash = "Arrêt anormal (" + CrashName(ended.Code) + ")";
  return say(crash.c_str(), CrashStatus(ended.Code));
}

}  // namespace

bool ConfineRequested(const std::vector<std::string>& args) {
  for (size_t i = 1; i < args.size(); ++i)
    if (args[i] == "--confine") return true;
  return false;
}

int RunConfined(const std::vector<std::string>& args) {
  const auto parsed = ParseAlone(args);
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "%s\n%s\n", problem->c_str(), Usage().c_str());
    return kUsageStatus;
  }
  const AloneOptions& options = std::get<AloneOptions>(parsed);
  if (const auto problem = OutputInFolder(options.Folder)) {
    std::fprintf(stderr, "%s\n", problem->c_str());
    return kUsageStatus;
  }
  if (options.Unconfined) {
    std::fprintf(stderr, "Attention : le programme tourne sans confinement (--unconfined)\n");
  } else if (!FolderConfinementAvailable()) {
    std::fprintf(stderr, "%s\n", NoConfinementSentence().c_str());
    return kUsageStatus;
  }
  platform::InstallInterruptHandler(interrupted);

  Supervisor supervisor(interrupted);
  // A terminal is no keyboard for a program of someone else: it would read
  // what the person at it types (and, in a process group of its own, stop).
  const int in = platform::IsTerminal(0) ? platform::OpenDescriptor(platform::NullDevice(), false) : 0;
  ChildLaunch launch{options.Folder, options.Program, in < 0 ? 0 : in, 1, 2, options.Limit, options.MaxLines,
                 !options.Unconfined};
  std::fflush(stderr);
  const ChildId pid = Spawn(launch);
  if (in > 0) platform::CloseDescriptor(in);
  if (pid < 0) {
    std::fprintf(stderr, "Le programme n'a pas pu être lancé\n");
    return kNotConfinedStatus;
  }
  supervisor.Add(pid, options.Limit);
  const auto ended = supervisor.WaitOne();
  if (!ended) return kNotConfinedStatus;
  return Report(*ended);
}

}  // namespace orv::confine
