// The checker's processes. Every program runs as a runner process of its own
// (this executable again, without --check): interpreted programs change the
// current folder and use relative file names, so they cannot share one
// process, and a program that crashes its process takes only itself down.
// Each one gets a fresh folder as its current folder, holding copies of its
// program and of the input file (its keyboard), and is confined there
// (runner/confine.h); its stdout and stderr are files outside that folder.
// All of it is removed after.
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
#include "runner/platform.h"

namespace fs = std::filesystem;

namespace orv::check {
namespace {

constexpr int kAllPassed = 0, kSomeFailed = 1, kUsage = 2;

volatile std::sig_atomic_t interrupted = 0;

// A path as the rest of the code spells it (UTF-8).
std::string Text(const fs::path& path) { return platform::Utf8Of(path); }

std::optional<std::string> ReadFile(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return text;
}

// What the checker keeps of a submission's output file: the first `head`
// bytes and the last `tail`, said to be cut between. A flooding submission
// costs the checker no more than that.
std::string ReadKept(const fs::path& path, uint64_t head, uint64_t tail) {
  std::ifstream file(path, std::ios::binary);
  std::error_code error;
  const uint64_t size = fs::file_size(path, error);
  if (!file || error) return {};
  const uint64_t first = size <= head + tail ? size : head;
  std::string text(first, '\0');
  file.read(text.data(), static_cast<std::streamsize>(first));
  text.resize(static_cast<size_t>(file.gcount()));
  if (size <= head + tail || tail == 0) return text;
  std::string end(tail, '\0');
  file.seekg(static_cast<std::streamoff>(size - tail));
  file.read(end.data(), static_cast<std::streamsize>(tail));
  end.resize(static_cast<size_t>(file.gcount()));
  return text + "\n… (" + std::to_string(size - head - tail) + " octets omis)\n" + end;
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

// The largest program the runner takes: a longer copy is refused by it.
constexpr size_t kMaxProgramBytes = 16u << 20;

// One program of the series and, while it runs, its process.
struct Job {
  std::string Program;
  fs::path Folder;  // holds "travail" (its current folder), "sortie", "erreurs"
  confine::ChildId Pid = 0;
  std::chrono::steady_clock::time_point Started;
  RunOutcome Outcome;
  bool Done = false;
};

class Series {
 public:
  Series(const CheckOptions& options, fs::path root, fs::path input)
      : options_(options), root_(std::move(root)), input_(std::move(input)), supervisor_(interrupted) {}

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
  // Its folder (0700 in the series' private folder) holds the only things it
  // may touch: a copy of its program and of the input. Its output files lie
  // beside, outside its reach.
  void Start(Job& job) {
    job.Folder = root_ / std::to_string(&job - jobs_.data() + 1);
    const fs::path work = job.Folder / "travail";
    if (!platform::MakePrivateFolder(Text(job.Folder)) || !platform::MakePrivateFolder(Text(work)))
      return NotStarted(job, "impossible de créer le dossier " + Text(job.Folder));
    const fs::path program = work / platform::PathOf(job.Program).filename();
    if (!platform::CopyRegularFile(job.Program, Text(program), kMaxProgramBytes)) return Unreadable(job);
    fs::path input = input_;
    if (input_ != platform::PathOf(platform::NullDevice())) {
      input = work / "entree.txt";
      if (!platform::CopyRegularFile(Text(input_), Text(input), SIZE_MAX))
        return NotStarted(job, "impossible de copier l'entrée");
    }
    const int in = platform::OpenDescriptor(Text(input), false);
    const int out = platform::OpenDescriptor(Text(job.Folder / "sortie"), true);
    const int err = platform::OpenDescriptor(Text(job.Folder / "erreurs"), true);
    confine::ChildLaunch launch{Text(work), Text(program), in, out, err, options_.Limit, options_.MaxLines,
                                !options_.Unconfined};
    job.Started = std::chrono::steady_clock::now();
    const confine::ChildId pid = in >= 0 && out >= 0 && err >= 0 ? confine::Spawn(launch) : -1;
    const int error = errno;
    for (const int fd : {in, out, err})
      if (fd >= 0) platform::CloseDescriptor(fd);
    if (pid < 0) return NotStarted(job, std::string("lancement : ") + std::strerror(error));
    job.Pid = pid;
    running_[pid] = &job;
    supervisor_.Add(pid, options_.Limit);
  }

  // What the runner says of a program file it cannot read.
  void Unreadable(Job& job) {
    job.Outcome.How = RunOutcome::End::Exited;
    job.Outcome.Code = kUsage;
    job.Outcome.Err = "Impossible de lire le fichier " + job.Program;
    Finish(job);
  }

  void WaitForOne() {
    const auto ended = supervisor_.WaitOne();
    if (!ended) {
      for (auto& [child, job] : running_) NotStarted(*job, "processus perdu");  // nothing left to wait for
      running_.clear();
      return;
    }
    const auto found = running_.find(ended->Pid);
    if (found == running_.end()) return;
    Job& job = *found->second;
    running_.erase(found);
    job.Outcome.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - job.Started).count();
    job.Outcome.How = ended->Signaled ? RunOutcome::End::Signaled : RunOutcome::End::Exited;
    job.Outcome.Code = ended->Code;
    job.Outcome.Reached = confine::LimitReached(*ended, OutputFull(job));
    // The first difference lies within the expected text's length and one
    // line more; the stop message stands at the end of stderr.
    job.Outcome.Out = RepairUtf8(ReadKept(job.Folder / "sortie", 2 * ExpectedBytes() + 64 * 1024, 0));
    job.Outcome.Err = RepairUtf8(ReadKept(job.Folder / "erreurs", kKeptErrorBytes, kKeptErrorBytes));
    Finish(job);
  }

  uint64_t ExpectedBytes() const {
    std::error_code error;
    const uint64_t size = fs::file_size(platform::PathOf(options_.Expected), error);
    return error ? 0 : size;
  }

  static bool OutputFull(const Job& job) {
    std::error_code error;
    for (const char* name : {"sortie", "erreurs"})
      if (fs::file_size(job.Folder / name, error) >= confine::kMaxFileBytes && !error) return true;
    return false;
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
    if (!job.Folder.empty()) confine::RemoveTree(Text(job.Folder));
  }

  const CheckOptions& options_;
  fs::path root_, input_;
  std::vector<Job> jobs_;
  std::map<confine::ChildId, Job*> running_;
  confine::Supervisor supervisor_;
};

// A private folder for the whole series (0700), removed when the check ends.
class ScratchFolder {
 public:
  ScratchFolder() : path_(platform::PathOf(platform::MakeScratchFolder())) {}
  ~ScratchFolder() {
    if (!path_.empty()) confine::RemoveTree(Text(path_));
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
  if (options.Input.empty()) return platform::PathOf(platform::NullDevice());
  const auto text = ReadFile(platform::PathOf(options.Input));
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

int RunCheck(const std::vector<std::string>& args) {
  const auto parsed = ParseCheckArguments(std::vector<std::string>(args.begin() + 1, args.end()));
  if (const auto* problem = std::get_if<std::string>(&parsed)) return Refuse(*problem);
  const CheckOptions& options = std::get<CheckOptions>(parsed);

  const auto expectedText = ReadFile(platform::PathOf(options.Expected));
  if (!expectedText) return Refuse("Impossible de lire le fichier attendu " + options.Expected);
  const std::vector<std::string> expected = ExpectedLines(*expectedText);
  // A report that cannot be written is said before the series, not after it.
  if (!options.JUnit.empty()) {
    std::error_code error;
    std::ofstream probe(platform::PathOf(options.JUnit), std::ios::binary | std::ios::app);
    if (fs::is_directory(platform::PathOf(options.JUnit), error) || !probe)
      return Refuse("Impossible d'écrire le rapport " + options.JUnit);
  }
  ScratchFolder scratch;
  if (scratch.Path().empty()) return Refuse("Impossible de créer un dossier temporaire");
  const auto input = PrepareInput(options, scratch.Path());
  if (!input) return Refuse("Impossible de lire le fichier d'entrée " + options.Input);
  // What the teacher typed wrong is said first; then whether the series can
  // run confined here.
  if (options.Unconfined)
    std::fprintf(stderr, "Attention : les programmes tournent sans confinement (--unconfined)\n");
  else if (!confine::FolderConfinementAvailable())
    return Refuse(confine::NoConfinementSentence());
  platform::InstallInterruptHandler(interrupted);  // the wait returns and the series stops

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
      !WriteFile(platform::PathOf(options.JUnit), JUnitReport(Text(platform::PathOf(options.Expected).filename()), report,
                                           JUnitProperties(!options.Unconfined)))) {
    std::fprintf(stderr, "Impossible d'écrire le rapport %s\n", options.JUnit.c_str());
    return kUsage;
  }
  return passed == total ? kAllPassed : kSomeFailed;
}

}  // namespace orv::check
