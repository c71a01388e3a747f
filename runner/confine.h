// Confinement and limits for programs the person at the keyboard did not
// write (the checker's submissions, orvjava-run --confine). Each one runs as a
// runner process of its own: in its own process group, with a clean
// environment and descriptors 0-2 only, and, once it has read its program,
// shut in its folder by Landlock (Linux) with resource limits. Its parent
// watches the wall clock and names the limit that ended it. On Windows the
// limits are a Job object's, the parent's watch adds the output's size, and
// nothing shuts a program in its folder (confine_windows.cpp).
//
//   orvjava-run --confine DOSSIER [--max-cpu S] [--max-seconds S] [--max-memory Mo]
//               [--max-disk Mo] [--max-lines N] [--unconfined] PROGRAMME.java
#pragma once

#include <csignal>
#include <cstdint>
#include <memory>
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

// Whether a program can be shut in its folder here: Landlock on Linux,
// nothing yet on Windows. The environment variable ORVJAVA_TEST_NO_LANDLOCK
// (set by the tests) makes it false.
bool FolderConfinementAvailable();
// Why a series or a program cannot run confined here, naming --unconfined.
std::string NoConfinementSentence();
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

namespace detail {
// For the platform files: the child's disk budget starts, and what ends a
// child out of memory ("Mémoire dépassée", kMemoryStatus).
void CountDisk(uint64_t budget);
[[noreturn]] void OnOutOfMemory();
}  // namespace detail

// One runner process to start confined.
struct ChildLaunch {
  std::string Folder;   // absolute; its current folder, all it may touch
  std::string Program;  // read by the runner before it confines itself
  int In = 0, Out = 1, Err = 2;  // what becomes its descriptors 0-2
  Limits Limit;
  long long MaxLines = 0;  // 0: the runner's default
  bool Landlock = true;
};
enum class Limit { None, Time, Memory, Disk, Output };

// A child's process id.
using ChildId = long long;
// Starts the runner again (its own process group or Job object, clean
// environment, only 0-2 open); the child's id, or -1 with errno.
ChildId Spawn(const ChildLaunch& launch);
// The runner's arguments for that child, its name first.
std::vector<std::string> ChildArguments(const ChildLaunch& launch);

// The variables a confined runner keeps: language and regional settings,
// time zone, sanitizer options. Nothing else of the caller's (no HOME).
std::vector<std::string> CleanEnvironment();

// Removes a tree one descriptor at a time, however deep a program nested its
// folders; false when something is left.
bool RemoveTree(const std::string& path);

struct Ended {
  ChildId Pid = 0;
  bool Signaled = false;  // ended by a signal (Linux) or an exception (Windows)
  int Code = 0;           // its exit status, the signal's number or the exception's code
  Limit Killed = Limit::None;  // the limit for which its parent ended it
};
// How a crash is told: "signal 11", "exception 0xC0000005"; and the exit
// status --confine gives for it (128 + the signal on Linux).
std::string CrashName(int code);
int CrashStatus(int code);
// The signal that ends a process whose file reached its size limit (SIGXFSZ);
// -1 where there is none.
extern const int kFileSizeSignal;

// The limit that ended a child; `outputFull` when its stdout or stderr file
// reached kMaxFileBytes (SIGXFSZ is then the output's, not the disk's).
Limit LimitReached(const Ended& ended, bool outputFull);

// Children and their wall-clock deadlines. While it waits, a handled
// Ctrl+C sets `interrupted`; the children are then interrupted, and killed a
// second later. On Linux SIGCHLD is blocked in the calling process meanwhile.
class Supervisor {
 public:
  explicit Supervisor(volatile std::sig_atomic_t& interrupted);
  ~Supervisor();
  Supervisor(const Supervisor&) = delete;
  Supervisor& operator=(const Supervisor&) = delete;
  void Add(ChildId pid, const Limits& limits);
  // The next child that ends (its group killed after), or nullopt when there
  // is none left to wait for.
  std::optional<Ended> WaitOne();

 private:
  struct State;  // the platform's
  volatile std::sig_atomic_t& interrupted_;
  std::unique_ptr<State> state_;
};

// Where a descriptor of this process writes (empty when it is no file), and
// how many bytes that file holds.
std::string OutputPath(int fd);
uint64_t OutputSize(int fd);

// orvjava-run --confine ...: true when one argument is "--confine".
bool ConfineRequested(const std::vector<std::string>& args);
int RunConfined(const std::vector<std::string>& args);

}  // namespace orv::confine
