// Confinement and limits for programs the person at the keyboard did not
// write (the checker's submissions, orvjava-run --confine). Each one runs as a
// runner process of its own: in its own process group, with a clean
// environment and descriptors 0-2 only, and, once it has read its program,
// shut in its folder by Landlock (Linux) with resource limits. Its parent
// watches the wall clock and names the limit that ended it.
//
//   orvjava-run --confine DOSSIER [--max-cpu S] [--max-seconds S] [--max-memory Mo]
//               [--max-disk Mo] [--max-lines N] [--unconfined] PROGRAMME.java
#pragma once

#include <sys/types.h>

#include <csignal>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/exit_status.h"

namespace orv::confine {

// Runner exit statuses beyond 0-3 (finished, stopped, bad arguments,
// interrupted): the limit the program reached.
constexpr int kTimeStatus = kStatusTime, kMemoryStatus = kStatusMemory, kDiskStatus = kStatusDisk,
              kOutputStatus = kStatusOutput;
// The confinement could not be set up: the program did not run.
constexpr int kNotConfinedStatus = kStatusNotConfined;

// Each file a program writes (its output files included) stops at this size.
constexpr uint64_t kMaxFileBytes = 16ull << 20;
constexpr uint64_t kMaxOpenFiles = 64;
// What creating a file or a folder costs of the disk budget: the block it takes.
constexpr uint64_t kEntryBytes = 4096;

struct Limits {
  int CpuSeconds = 10;
  int WallSeconds = 20;
  uint64_t MemoryBytes = 512ull << 20;
  uint64_t DiskBytes = 64ull << 20;
};

// "--max-cpu", "--max-seconds", "--max-memory", "--max-disk".
bool IsLimitFlag(std::string_view flag);
// Sets the limit a flag names; the French sentence when the value is wrong.
std::optional<std::string> SetLimit(Limits& limits, std::string_view flag, const std::string& value);

// The highest Landlock ABI the kernel offers, 0 without Landlock. The
// environment variable ORVJAVA_TEST_NO_LANDLOCK (set by the tests) makes it 0.
int LandlockAbi();
// Why a series or a program cannot run confined here, naming --unconfined.
std::string LandlockMissingSentence();
// False in builds under AddressSanitizer, which reserves terabytes of
// address space: RLIMIT_AS cannot be used there.
bool MemoryLimitUsable();

// How the runner child learns its confinement: hidden arguments that the
// parent passes and the runner's own argument loop hands over here.
struct ChildOptions {
  std::string Folder;  // empty: not a confined child
  bool Landlock = true;
  Limits Limit;
  static bool IsChildFlag(std::string_view flag);
  std::optional<std::string> Set(std::string_view flag, const std::string& value);
};
// In the runner child, once its program is read and before its first line:
// current folder, limits, Landlock. The French reason when it fails; the
// program must not run then.
std::optional<std::string> EnterConfinement(const ChildOptions& options);
// The disk budget left: each file open for writing, folder and written byte
// is charged here first. Past the budget the process ends ("Disque dépassé",
// kDiskStatus); without a budget (not confined) nothing is counted.
void ChargeDisk(uint64_t bytes);

// One runner process to start confined.
struct ChildLaunch {
  std::string Folder;   // absolute; its current folder, all it may touch
  std::string Program;  // read by the runner before it confines itself
  int In = 0, Out = 1, Err = 2;  // what becomes its descriptors 0-2
  Limits Limit;
  long long MaxLines = 0;  // 0: the runner's default
  bool Landlock = true;
};
// Forks and executes the runner (its own process group, clean environment,
// only 0-2 open); the child's pid, or -1 with errno.
pid_t Spawn(const ChildLaunch& launch);

// The variables a confined runner keeps: language and regional settings,
// time zone, sanitizer options. Nothing else of the caller's (no HOME).
std::vector<std::string> CleanEnvironment();

// Removes a tree one descriptor at a time, however deep a program nested its
// folders; false when something is left.
bool RemoveTree(const std::string& path);

enum class Limit { None, Time, Memory, Disk, Output };

struct Ended {
  pid_t Pid = 0;
  int Status = 0;  // as waitpid gives it
  bool TimedOut = false;
};
// The limit that ended a child; `outputFull` when its stdout or stderr file
// reached kMaxFileBytes (SIGXFSZ is then the output's, not the disk's).
Limit LimitReached(const Ended& ended, bool outputFull);

// Children and their wall-clock deadlines (a second after their own alarm). While it waits, SIGCHLD is
// blocked in the calling process; a handled SIGINT sets `interrupted`, and
// the children then get SIGINT, and SIGKILL a second later.
class Supervisor {
 public:
  explicit Supervisor(volatile std::sig_atomic_t& interrupted);
  ~Supervisor();
  Supervisor(const Supervisor&) = delete;
  Supervisor& operator=(const Supervisor&) = delete;
  void Add(pid_t pid, int wallSeconds);
  bool Empty() const { return children_.empty(); }
  // The next child that ends (its group killed after), or nullopt when there
  // is none left to wait for.
  std::optional<Ended> WaitOne();

 private:
  struct Child {
    double Deadline = 0;
    bool TimedOut = false;
  };
  void Tick();
  volatile std::sig_atomic_t& interrupted_;
  bool forwarded_ = false;
  double killAt_ = 0;
  std::map<pid_t, Child> children_;
  sigset_t previousMask_{};
};

// orvjava-run --confine ...: true when one argument is "--confine".
bool ConfineRequested(int argc, char** argv);
int RunConfined(int argc, char** argv);

}  // namespace orv::confine
