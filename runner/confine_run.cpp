// orvjava-run --confine DOSSIER PROG.java: one program confined to a folder
// with the checker's limits, for graders that call the runner once per
// submission. Its output goes where the caller's goes; the limit that ended
// it is said on stderr and in the exit status.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <variant>

#include "interp/text.h"
#include "runner/confine.h"

namespace fs = std::filesystem;

namespace orv::confine {
namespace {

constexpr int kUsageStatus = kStatusUsage;

volatile std::sig_atomic_t interrupted = 0;
void OnInterrupt(int) { interrupted = 1; }

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

std::variant<AloneOptions, std::string> ParseAlone(int argc, char** argv) {
  AloneOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
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
    if (i + 1 >= argc || !*argv[i + 1]) return "Valeur manquante après " + arg;
    const std::string value = argv[++i];
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
  if (!fs::is_directory(options.Folder, error)) return "Le dossier " + options.Folder + " n'existe pas";
  options.Folder = fs::canonical(options.Folder, error).string();
  if (error) return "Le dossier " + options.Folder + " n'existe pas";
  options.Program = fs::absolute(options.Program, error).string();
  return options;
}

// Its own output in its folder would let a program read or forge it.
std::optional<std::string> OutputInFolder(const std::string& folder) {
  for (const int fd : {1, 2}) {
    std::error_code error;
    const fs::path target = fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
    if (!error && target.string().starts_with(folder + "/"))
      return "La sortie " + target.string() + " ne doit pas être dans le dossier " + folder;
  }
  return std::nullopt;
}

bool Full(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<uint64_t>(info.st_size) >= kMaxFileBytes;
}

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
    case Limit::Disk:
      return WIFSIGNALED(ended.Status) ? say("Disque dépassé", kDiskStatus) : kDiskStatus;
    case Limit::None: break;
  }
  if (WIFEXITED(ended.Status)) return WEXITSTATUS(ended.Status);
  const std::string crash = "Arrêt anormal (signal " + std::to_string(WTERMSIG(ended.Status)) + ")";
  return say(crash.c_str(), 128 + WTERMSIG(ended.Status));
}

}  // namespace

bool ConfineRequested(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string_view(argv[i]) == "--confine") return true;
  return false;
}

int RunConfined(int argc, char** argv) {
  const auto parsed = ParseAlone(argc, argv);
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
  } else if (LandlockAbi() == 0) {
    std::fprintf(stderr, "%s\n", LandlockMissingSentence().c_str());
    return kUsageStatus;
  }
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);

  Supervisor supervisor(interrupted);
  // A terminal is no keyboard for a program of someone else: it would read
  // what the person at it types (and, in a process group of its own, stop).
  const int in = isatty(0) ? open("/dev/null", O_RDONLY | O_CLOEXEC) : 0;
  ChildLaunch launch{options.Folder, options.Program, in < 0 ? 0 : in, 1, 2, options.Limit, options.MaxLines,
                 !options.Unconfined};
  std::fflush(stderr);
  const pid_t pid = Spawn(launch);
  if (in > 0) close(in);
  if (pid < 0) {
    std::fprintf(stderr, "Le programme n'a pas pu être lancé\n");
    return kNotConfinedStatus;
  }
  supervisor.Add(pid, options.Limit.WallSeconds);
  const auto ended = supervisor.WaitOne();
  if (!ended) return kNotConfinedStatus;
  return Report(*ended);
}

}  // namespace orv::confine
