// Confinement and limits of a runner process on Linux: the child's side
// (resource limits, Landlock), how it is started and how its parent watches it.
#include "runner/confine.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <new>

extern char** environ;

namespace orv::confine {
namespace {

// Rights newer than the system's <linux/landlock.h> may know.
constexpr uint64_t kFsTruncate = 1ull << 14;   // ABI 3
constexpr uint64_t kFsIoctlDev = 1ull << 15;   // ABI 5
constexpr uint64_t kNetBindTcp = 1ull << 0;    // ABI 4
constexpr uint64_t kNetConnectTcp = 1ull << 1;
constexpr uint64_t kScopeAbstractUnixSocket = 1ull << 0;  // ABI 6
constexpr uint64_t kScopeSignal = 1ull << 1;

// The ruleset attribute as the newest kernels take it; older ones are given
// only the prefix they know.
struct RulesetAttr {
  uint64_t HandledFs = 0;
  uint64_t HandledNet = 0;
  uint64_t Scoped = 0;
};

constexpr char kNoLandlockVariable[] = "ORVJAVA_TEST_NO_LANDLOCK";

uint64_t HandledFs(int abi) {
  uint64_t rights = (1ull << 13) - 1;  // ABI 1: execute .. make symlink
  if (abi >= 2) rights |= LANDLOCK_ACCESS_FS_REFER;
  if (abi >= 3) rights |= kFsTruncate;
  if (abi >= 5) rights |= kFsIoctlDev;
  return rights;
}

// Within its folder a program reads, writes, creates and removes files and
// folders; it never executes, nor makes devices, pipes, sockets or links.
constexpr uint64_t kAllowedInFolder = LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_READ_FILE |
                                      LANDLOCK_ACCESS_FS_READ_DIR | LANDLOCK_ACCESS_FS_REMOVE_DIR |
                                      LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_DIR |
                                      LANDLOCK_ACCESS_FS_MAKE_REG | LANDLOCK_ACCESS_FS_REFER | kFsTruncate;

int KernelLandlockAbi() {
  const long abi = syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
  return abi > 0 ? static_cast<int>(abi) : 0;
}

std::optional<std::string> RestrictToFolder(const std::string& folder) {
  const int abi = KernelLandlockAbi();
  if (abi < 1) return NoConfinementSentence();
  RulesetAttr attr;
  attr.HandledFs = HandledFs(abi);
  if (abi >= 4) attr.HandledNet = kNetBindTcp | kNetConnectTcp;
  if (abi >= 6) attr.Scoped = kScopeAbstractUnixSocket | kScopeSignal;
  const size_t size = abi >= 6 ? sizeof attr : abi >= 4 ? 2 * sizeof(uint64_t) : sizeof(uint64_t);
  const int ruleset = static_cast<int>(syscall(SYS_landlock_create_ruleset, &attr, size, 0));
  if (ruleset < 0) return "Confinement impossible (Landlock) : " + std::string(std::strerror(errno));
  const int top = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  landlock_path_beneath_attr rule{};
  rule.allowed_access = kAllowedInFolder & attr.HandledFs;
  rule.parent_fd = top;
  const bool restricted = top >= 0 &&
                          syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) == 0 &&
                          prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
                          syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
  const int error = errno;
  if (top >= 0) close(top);
  close(ruleset);
  if (!restricted) return "Confinement impossible (Landlock) : " + std::string(std::strerror(error));
  return std::nullopt;
}

bool SetHardLimit(int resource, rlim_t value) {
  const rlimit limit{value, value};
  return setrlimit(resource, &limit) == 0;
}

bool SetResourceLimits(const Limits& limits) {
  // The hard CPU limit a second later: SIGXCPU at the soft one ends the runner.
  const rlimit cpu{static_cast<rlim_t>(limits.CpuSeconds), static_cast<rlim_t>(limits.CpuSeconds) + 1};
  return setrlimit(RLIMIT_CPU, &cpu) == 0 && SetHardLimit(RLIMIT_FSIZE, kMaxFileBytes) &&
         SetHardLimit(RLIMIT_NOFILE, kMaxOpenFiles) && SetHardLimit(RLIMIT_CORE, 0) &&
         (!MemoryLimitUsable() || SetHardLimit(RLIMIT_AS, limits.MemoryBytes));
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// In the forked child: only async-signal-safe calls until exec.
[[noreturn]] void ExecChild(const ChildLaunch& launch, pid_t parent, char* const* argv, char* const* envp) {
  setpgid(0, 0);
  prctl(PR_SET_PDEATHSIG, SIGKILL);  // no program outlives its parent
  if (getppid() != parent) _exit(kNotConfinedStatus);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGINT, SIG_DFL);
  signal(SIGPIPE, SIG_DFL);
  const int fds[3] = {launch.In, launch.Out, launch.Err};
  for (int target = 0; target < 3; ++target)
    if (fds[target] != target && dup2(fds[target], target) < 0) _exit(kNotConfinedStatus);
  close_range(3, ~0u, 0);
  // The wall clock runs in the child itself (kept across exec, SIGALRM ends
  // it): a parent busy with another program's output cannot make it late.
  alarm(static_cast<unsigned>(launch.Limit.WallSeconds));
  execve("/proc/self/exe", argv, envp);
  static constexpr char kMessage[] = "Le programme n'a pas pu être lancé\n";
  if (write(2, kMessage, sizeof kMessage - 1) < 0) _exit(kNotConfinedStatus);
  _exit(kNotConfinedStatus);
}

// The files of the folder open as `fd` are removed; the first folder in it
// is named (nothing when there is none).
std::optional<std::string> RemoveFilesFindFolder(int fd, bool& ok) {
  const int copy = dup(fd);
  DIR* dir = copy >= 0 ? fdopendir(copy) : nullptr;
  if (!dir) {
    if (copy >= 0) close(copy);
    ok = false;
    return std::nullopt;
  }
  std::optional<std::string> folder;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat info {};
      isFolder = fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
    }
    if (isFolder) {
      if (!folder) folder = std::string(name);
    } else if (unlinkat(fd, entry->d_name, 0) != 0) {
      ok = false;
    }
  }
  closedir(dir);
  return folder;
}

std::string AsanWithoutLeakCheck(const char* options) {
  // The leak check at exit reads /proc, which a confined process cannot.
  std::string value = options ? options : "";
  return value + (value.empty() ? "" : ":") + "detect_leaks=0";
}

}  // namespace

bool FolderConfinementAvailable() {
  if (const char* absent = std::getenv(kNoLandlockVariable); absent && *absent) return false;
  return KernelLandlockAbi() > 0;
}

std::string NoConfinementSentence() {
  return "Landlock n'est pas disponible sur ce système (noyau trop ancien ou Landlock désactivé) : les "
         "programmes ne peuvent pas être enfermés dans leur dossier. Pour les lancer quand même sans "
         "confinement, ajoutez --unconfined.";
}

std::optional<std::string> EnterConfinement(const ChildOptions& options) {
  tzset();  // the time zone file cannot be read once confined
  if (chdir(options.Folder.c_str()) != 0) return "Impossible d'entrer dans le dossier " + options.Folder;
  if (!SetResourceLimits(options.Limit))
    return "Impossible de limiter le programme : " + std::string(std::strerror(errno));
  close_range(3, ~0u, 0);
  std::set_new_handler(detail::OnOutOfMemory);
  detail::CountDisk(options.Limit.DiskBytes);
  if (options.Landlock) return RestrictToFolder(options.Folder);
  return std::nullopt;
}

std::vector<std::string> CleanEnvironment() {
  std::vector<std::string> kept;
  for (char** variable = environ; variable && *variable; ++variable) {
    const std::string_view entry = *variable;
    const std::string_view name = entry.substr(0, entry.find('='));
    if (name == "LANG" || name == "LANGUAGE" || name == "TZ" || name.starts_with("LC_") || name == "UBSAN_OPTIONS")
      kept.emplace_back(entry);
  }
  if (!MemoryLimitUsable()) kept.push_back("ASAN_OPTIONS=" + AsanWithoutLeakCheck(std::getenv("ASAN_OPTIONS")));
  return kept;
}

ChildId Spawn(const ChildLaunch& launch) {
  const std::vector<std::string> args = ChildArguments(launch);
  const std::vector<std::string> environment = CleanEnvironment();
  std::vector<char*> argv, envp;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  for (const std::string& variable : environment) envp.push_back(const_cast<char*>(variable.c_str()));
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) ExecChild(launch, parent, argv.data(), envp.data());
  if (pid > 0) setpgid(pid, pid);  // on both sides: whichever runs first
  return pid;
}

bool RemoveTree(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT;
  if (!S_ISDIR(info.st_mode)) return unlink(path.c_str()) == 0;
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  std::vector<std::string> below;  // the folders from `path` down to the one open
  for (;;) {
    if (const auto folder = RemoveFilesFindFolder(fd, ok)) {
      const int inner = openat(fd, folder->c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (inner < 0) {
        ok = false;
        break;
      }
      close(fd);
      fd = inner;
      below.push_back(*folder);
      continue;
    }
    if (below.empty()) break;
    const int outer = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(fd);
    fd = outer;
    if (fd < 0 || unlinkat(fd, below.back().c_str(), AT_REMOVEDIR) != 0) {
      ok = false;
      break;
    }
    below.pop_back();
  }
  if (fd >= 0) close(fd);
  return rmdir(path.c_str()) == 0 && ok;
}

Limit LimitReached(const Ended& ended, bool outputFull) {
  if (ended.Killed != Limit::None) return ended.Killed;
  if (ended.Signaled) {
    if (ended.Code == SIGXCPU || ended.Code == SIGALRM) return Limit::Time;
    if (ended.Code == SIGXFSZ) return outputFull ? Limit::Output : Limit::Disk;
    return Limit::None;
  }
  switch (ended.Code) {
    case kMemoryStatus: return Limit::Memory;
    case kDiskStatus: return Limit::Disk;
    default: return Limit::None;
  }
}

const int kFileSizeSignal = SIGXFSZ;

std::string CrashName(int code) { return "signal " + std::to_string(code); }
int CrashStatus(int code) { return 128 + code; }

std::string OutputPath(int fd) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
  return error ? std::string() : target.string();
}

uint64_t OutputSize(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
}

// Children by pid with their deadlines; SIGCHLD blocked meanwhile.
struct Supervisor::State {
  struct Child {
    double Deadline = 0;
    bool TimedOut = false;
  };
  void Tick(volatile std::sig_atomic_t& interrupted);
  bool forwarded = false;
  double killAt = 0;
  std::map<pid_t, Child> children;
  sigset_t previousMask{};
};

Supervisor::Supervisor(volatile std::sig_atomic_t& interrupted) : interrupted_(interrupted), state_(new State) {
  sigset_t child;
  sigemptyset(&child);
  sigaddset(&child, SIGCHLD);
  sigprocmask(SIG_BLOCK, &child, &state_->previousMask);
}

Supervisor::~Supervisor() { sigprocmask(SIG_SETMASK, &state_->previousMask, nullptr); }

// The child's own alarm comes first; this deadline is for a child that
// ignores it.
void Supervisor::Add(ChildId pid, const Limits& limits) {
  state_->children[static_cast<pid_t>(pid)] = State::Child{Now() + limits.WallSeconds + 1, false};
}

void Supervisor::State::Tick(volatile std::sig_atomic_t& interrupted) {
  const double now = Now();
  for (auto& [pid, child] : children) {
    if (child.TimedOut || now < child.Deadline) continue;
    killpg(pid, SIGKILL);
    child.TimedOut = true;
  }
  if (interrupted && !forwarded) {
    for (auto& [pid, child] : children) killpg(pid, SIGINT);
    forwarded = true;
    killAt = now + 1;
  } else if (forwarded && now >= killAt) {
    for (auto& [pid, child] : children) killpg(pid, SIGKILL);
  }
}

std::optional<Ended> Supervisor::WaitOne() {
  sigset_t child;
  sigemptyset(&child);
  sigaddset(&child, SIGCHLD);
  auto& children = state_->children;
  while (!children.empty()) {
    siginfo_t info{};
    // Seen, not yet reaped: the group is killed while its id is still ours.
    const int seen = waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT);
    if (seen != 0 && errno == ECHILD) {
      children.clear();  // nothing left to wait for: the caller counts them lost
      break;
    }
    if (seen == 0 && info.si_pid != 0) {
      const pid_t pid = info.si_pid;
      killpg(pid, SIGKILL);
      int status = 0;
      if (waitpid(pid, &status, 0) != pid) continue;
      const auto found = children.find(pid);
      if (found == children.end()) continue;
      const bool signaled = WIFSIGNALED(status);
      const Ended ended{pid, signaled, signaled ? WTERMSIG(status) : WEXITSTATUS(status),
                        found->second.TimedOut ? Limit::Time : Limit::None};
      children.erase(found);
      return ended;
    }
    state_->Tick(interrupted_);
    double wait = 0.25;
    const double now = Now();
    for (const auto& [pid, c] : children)
      if (!c.TimedOut) wait = std::min(wait, std::max(0.0, c.Deadline - now));
    if (state_->forwarded) wait = std::min(wait, std::max(0.0, state_->killAt - now) + 0.01);
    const timespec timeout{static_cast<time_t>(wait), static_cast<long>((wait - static_cast<time_t>(wait)) * 1e9)};
    sigtimedwait(&child, nullptr, &timeout);  // a child's end, the timeout, or EINTR on SIGINT
  }
  return std::nullopt;
}

}  // namespace orv::confine
