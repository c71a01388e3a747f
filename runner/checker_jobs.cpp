// The checker's processes. Every program runs as a runner process of its own
// (this executable again, without --check): interpreted programs change the
// current folder and use relative file names, so they cannot share one
// process, and a program that crashes its process takes only itself down.
// Each one gets a fresh folder as its current folder, the input file as its
// keyboard and files for its stdout and stderr; all of it is removed after.
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

#include "runner/checker.h"

namespace fs = std::filesystem;

namespace orv::check {
namespace {

constexpr int kAllPassed = 0, kSomeFailed = 1, kUsage = 2;
constexpr int kChildSetupFailed = 127;

volatile std::sig_atomic_t interrupted = 0;
void OnInterrupt(int) { interrupted = 1; }

std::optional<std::string> ReadFile(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return text;
}

bool WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  return !file.fail();
}

int Refuse(const std::string& problem) {
  std::fprintf(stderr, "%s\n%s\n", problem.c_str(), CheckUsage().c_str());
  return kUsage;
}

// One program of the series and, while it runs, its process.
struct Job {
  std::string Program;
  fs::path Folder;  // holds "travail" (its current folder), "sortie", "erreurs"
  pid_t Pid = 0;
  std::chrono::steady_clock::time_point Started;
  RunOutcome Outcome;
  bool Done = false;
};

class Series {
 public:
  Series(const CheckOptions& options, fs::path root, fs::path input)
      : options_(options), root_(std::move(root)), input_(std::move(input)) {}

  // Runs every program, at most `jobs` at once; `finished(i)` is called for
  // each program in the order given, as soon as it and all before it are done.
  template <typename Finished>
  void Run(int jobs, Finished finished) {
    jobs_.resize(options_.Programs.size());
    for (size_t i = 0; i < jobs_.size(); ++i) jobs_[i].Program = options_.Programs[i];
    size_t next = 0, reported = 0;
    while (reported < jobs_.size()) {
      while (!interrupted && next < jobs_.size() && static_cast<int>(running_.size()) < jobs) Start(jobs_[next++]);
      if (interrupted) SkipUnstarted(next);
      if (!running_.empty()) WaitForOne();
      while (reported < jobs_.size() && jobs_[reported].Done) finished(jobs_[reported++]);
    }
  }

 private:
  void Start(Job& job) {
    job.Folder = root_ / std::to_string(&job - jobs_.data() + 1);
    std::error_code error;
    fs::create_directories(job.Folder / "travail", error);
    if (error) return NotStarted(job, "impossible de créer le dossier " + job.Folder.string());
    const std::string program = fs::absolute(job.Program, error).string();
    const std::string maxLines = std::to_string(options_.MaxLines);
    const std::string work = (job.Folder / "travail").string(), out = (job.Folder / "sortie").string(),
                      err = (job.Folder / "erreurs").string(), input = input_.string();
    std::vector<char*> argv = {const_cast<char*>("orvjava-run"), const_cast<char*>("--max-lines"),
                               const_cast<char*>(maxLines.c_str()), const_cast<char*>(program.c_str()), nullptr};
    job.Started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) return NotStarted(job, std::string("fork : ") + std::strerror(errno));
    if (pid == 0) ExecRunner(work.c_str(), input.c_str(), out.c_str(), err.c_str(), argv.data());
    job.Pid = pid;
    running_[pid] = &job;
  }

  // In the child: only async-signal-safe calls until exec.
  [[noreturn]] static void ExecRunner(const char* work, const char* input, const char* out, const char* err,
                                      char* const* argv) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // no program outlives the checker
    const rlimit fileSize{kMaxOutputBytes, kMaxOutputBytes};
    setrlimit(RLIMIT_FSIZE, &fileSize);  // a program that prints forever fills no disk
    const int in = open(input, O_RDONLY);
    const int o = open(out, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = open(err, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in >= 0 && o >= 0 && e >= 0 && chdir(work) == 0 && dup2(in, 0) >= 0 && dup2(o, 1) >= 0 && dup2(e, 2) >= 0)
      execv("/proc/self/exe", argv);
    static constexpr char kMessage[] = "Le programme n'a pas pu être lancé\n";
    if (write(e >= 0 ? e : 2, kMessage, sizeof kMessage - 1) < 0) _exit(kChildSetupFailed);
    _exit(kChildSetupFailed);
  }

  void WaitForOne() {
    int status = 0;
    const pid_t pid = waitpid(-1, &status, 0);
    if (pid < 0) {
      if (errno == EINTR) {
        if (interrupted) ForwardInterrupt();
        return;
      }
      for (auto& [child, job] : running_) NotStarted(*job, "processus perdu");  // ECHILD: nothing to wait for
      running_.clear();
      return;
    }
    const auto found = running_.find(pid);
    if (found == running_.end()) return;
    Job& job = *found->second;
    running_.erase(found);
    job.Outcome.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - job.Started).count();
    job.Outcome.How = WIFSIGNALED(status) ? RunOutcome::End::Signaled : RunOutcome::End::Exited;
    job.Outcome.Code = WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status);
    job.Outcome.Out = RepairUtf8(ReadFile(job.Folder / "sortie").value_or(""));
    job.Outcome.Err = RepairUtf8(ReadFile(job.Folder / "erreurs").value_or(""));
    Finish(job);
  }

  void ForwardInterrupt() {
    for (auto& [pid, job] : running_) kill(pid, SIGINT);
  }

  void SkipUnstarted(size_t next) {
    for (size_t i = next; i < jobs_.size(); ++i)
      if (!jobs_[i].Done && jobs_[i].Pid == 0) NotStarted(jobs_[i], "correction interrompue");
  }

  void NotStarted(Job& job, const std::string& reason) {
    job.Outcome.How = RunOutcome::End::NotStarted;
    job.Outcome.Err = reason;
    Finish(job);
  }

  void Finish(Job& job) {
    job.Done = true;
    std::error_code error;
    if (!job.Folder.empty()) fs::remove_all(job.Folder, error);
  }

  const CheckOptions& options_;
  fs::path root_, input_;
  std::vector<Job> jobs_;
  std::map<pid_t, Job*> running_;
};

// A private folder for the whole series, removed when the check ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    std::string pattern = ((error ? fs::path("/tmp") : base) / "orvjava-check-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code error;
    if (!path_.empty()) fs::remove_all(path_, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

int DefaultJobs() {
  const unsigned processors = std::thread::hardware_concurrency();
  return processors == 0 ? 1 : static_cast<int>(processors);
}

// The keyboard input, as UTF-8 like the runner reads it; /dev/null without one.
std::optional<fs::path> PrepareInput(const CheckOptions& options, const fs::path& scratch) {
  if (options.Input.empty()) return fs::path("/dev/null");
  const auto text = ReadFile(options.Input);
  if (!text) return std::nullopt;
  const fs::path copy = scratch / "entree.txt";
  if (!WriteFile(copy, RepairUtf8(*text))) return std::nullopt;
  return copy;
}

std::vector<std::string> ExpectedLines(const std::string& bytes) {
  std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // byte-order mark of Windows editors
  return ComparableLines(RepairUtf8(text));
}

}  // namespace

int RunCheck(int argc, char** argv) {
  const auto parsed = ParseCheckArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* problem = std::get_if<std::string>(&parsed)) return Refuse(*problem);
  const CheckOptions& options = std::get<CheckOptions>(parsed);

  const auto expectedText = ReadFile(options.Expected);
  if (!expectedText) return Refuse("Impossible de lire le fichier attendu " + options.Expected);
  const std::vector<std::string> expected = ExpectedLines(*expectedText);
  ScratchFolder scratch;
  if (scratch.Path().empty()) return Refuse("Impossible de créer un dossier temporaire");
  const auto input = PrepareInput(options, scratch.Path());
  if (!input) return Refuse("Impossible de lire le fichier d'entrée " + options.Input);

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);  // no SA_RESTART: the wait returns and the series stops

  std::vector<ReportEntry> report;
  int passed = 0;
  Series series(options, scratch.Path(), *input);
  const int jobs =
      std::min<int>(options.Jobs > 0 ? options.Jobs : DefaultJobs(), static_cast<int>(options.Programs.size()));
  series.Run(jobs, [&](const Job& job) {
    Verdict verdict = Judge(expected, job.Outcome);
    passed += verdict.Passed ? 1 : 0;
    std::printf("%s\n", RepairUtf8(ResultLine(job.Program, verdict)).c_str());
    std::fflush(stdout);
    report.push_back({job.Program, std::move(verdict), job.Outcome.Seconds});
  });
  const int total = static_cast<int>(report.size());
  std::printf("%s\n", SummaryLine(total, passed).c_str());
  std::fflush(stdout);

  if (!options.JUnit.empty() &&
      !WriteFile(options.JUnit, JUnitReport(fs::path(options.Expected).filename().string(), report))) {
    std::fprintf(stderr, "Impossible d'écrire le rapport %s\n", options.JUnit.c_str());
    return kUsage;
  }
  return passed == total ? kAllPassed : kSomeFailed;
}

}  // namespace orv::check
