// Limits of a runner process on Windows. Each child runs in a Job object of
// its own that ends it with its handle (kill on close) and holds its CPU time
// and memory; the parent watches the wall clock, the CPU time it used and
// the size of its output files, and names the limit that ended it. Nothing
// shuts a program in its folder here: FolderConfinementAvailable() is false
// and a series runs only with --unconfined, its limits still applied.
#include <windows.h>
#include <direct.h>
#include <psapi.h>
#include <io.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "common/win32_text.h"
#include "runner/confine.h"

namespace orv::confine {
namespace {

// A child's handles: its process, its job, and its output files (for their size).
struct Child {
  HANDLE Process = nullptr;
  HANDLE Job = nullptr;
  HANDLE Out = nullptr;
  HANDLE Err = nullptr;
  Limits Bounds;
  double Deadline = 0;
  Limit Killed = Limit::None;
};
std::map<ChildId, Child> started;  // spawned, not yet handed to a supervisor's wait

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Close(HANDLE& handle) {
  if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  handle = nullptr;
}

// One argument as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

std::wstring EnvironmentBlock() {
  std::wstring block;
  for (const std::string& variable : CleanEnvironment()) block += win32::Wide(variable) + L'\0';
  return block + L'\0';
}

HANDLE Inheritable(int fd) {
  HANDLE copy = nullptr;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copy;
}

HANDLE Watched(int fd) {
  HANDLE copy = nullptr;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copy;
}

HANDLE LimitedJob(const Limits& limits) {
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (!job) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION info{};
  auto& basic = info.BasicLimitInformation;
  basic.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION |
                     JOB_OBJECT_LIMIT_ACTIVE_PROCESS | JOB_OBJECT_LIMIT_PROCESS_TIME;
  basic.ActiveProcessLimit = 1;  // a program starts no process
  // The system's own stop a second after the parent's.
  basic.PerProcessUserTimeLimit.QuadPart = (static_cast<LONGLONG>(limits.CpuSeconds) + 1) * 10'000'000;
  if (MemoryLimitUsable()) {
    basic.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    info.ProcessMemoryLimit = static_cast<SIZE_T>(limits.MemoryBytes);
  }
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &info, sizeof info);
  return job;
}

double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

// What the process holds of memory of its own (the job's limit counts the same).
uint64_t MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  return K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)
             ? std::max<uint64_t>(counters.PrivateUsage, counters.PagefileUsage)  // Wine counts only the second
             : 0;
}

uint64_t SizeOf(HANDLE file) {
  LARGE_INTEGER size{};
  return file && GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

int StatusFor(Limit limit) {
  switch (limit) {
    case Limit::Memory: return kStatusMemory;
    case Limit::Output: return kStatusOutput;
    case Limit::Disk: return kStatusDisk;
    default: return kStatusTime;
  }
}

}  // namespace

const int kFileSizeSignal = -1;

bool FolderConfinementAvailable() { return false; }

std::string NoConfinementSentence() {
  return "Sous Windows, les programmes ne peuvent pas encore être enfermés dans leur dossier (les limites de "
         "temps, de mémoire, de disque et de sortie restent appliquées). Pour les lancer ainsi, ajoutez "
         "--unconfined.";
}

std::string CrashName(int code) {
  char text[32];
  std::snprintf(text, sizeof text, "exception 0x%08X", static_cast<unsigned>(code));
  return text;
}

int CrashStatus(int code) { return code; }

std::optional<std::string> EnterConfinement(const ChildOptions& options) {
  if (_wchdir(win32::Wide(options.Folder).c_str()) != 0) return "Impossible d'entrer dans le dossier " + options.Folder;
  std::set_new_handler(detail::OnOutOfMemory);
  detail::CountDisk(options.Limit.DiskBytes);
  return std::nullopt;
}

std::vector<std::string> CleanEnvironment() {
  std::vector<std::string> kept;
  for (char** variable = _environ; variable && *variable; ++variable) {
    const std::string_view entry = *variable;
    std::string name(entry.substr(0, entry.find('=')));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // What Windows itself needs to start a process, and the regional settings.
    if (name == "SYSTEMROOT" || name == "WINDIR" || name == "TEMP" || name == "TMP" || name == "LANG" ||
        name == "TZ" || name.starts_with("LC_"))
      kept.emplace_back(entry);
  }
  return kept;
}

ChildId Spawn(const ChildLaunch& launch) {
  wchar_t self[MAX_PATH + 1] = {};
  if (!GetModuleFileNameW(nullptr, self, MAX_PATH)) return errno = ENOENT, -1;
  std::wstring command = Quoted(self);
  const std::vector<std::string> args = ChildArguments(launch);
  for (size_t i = 1; i < args.size(); ++i) command += L" " + Quoted(win32::Wide(args[i]));
  std::wstring environment = EnvironmentBlock();

  HANDLE inherited[3] = {Inheritable(launch.In), Inheritable(launch.Out), Inheritable(launch.Err)};
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = inherited[0];
  startup.StartupInfo.hStdOutput = inherited[1];
  startup.StartupInfo.hStdError = inherited[2];
  // Only these three handles reach the child.
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<char> attributes(size);
  startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
  DWORD flags = CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW;
  if (InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &size) &&
      UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                sizeof inherited, nullptr, nullptr))
    flags |= EXTENDED_STARTUPINFO_PRESENT;
  else
    startup.lpAttributeList = nullptr;

  Child child;
  child.Bounds = launch.Limit;
  child.Job = LimitedJob(launch.Limit);
  PROCESS_INFORMATION process{};
  const bool ok = inherited[0] && inherited[1] && inherited[2] && child.Job &&
                  CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, flags, environment.data(), nullptr,
                                 &startup.StartupInfo, &process);
  const DWORD error = GetLastError();
  if (startup.lpAttributeList) DeleteProcThreadAttributeList(startup.lpAttributeList);
  for (HANDLE& handle : inherited) Close(handle);
  if (!ok) {
    Close(child.Job);
    errno = win32::ErrnoOf(error);
    return -1;
  }
  // In its job before its first instruction.
  if (!AssignProcessToJobObject(child.Job, process.hProcess)) {
    TerminateProcess(process.hProcess, kNotConfinedStatus);
    Close(process.hThread);
    Close(process.hProcess);
    Close(child.Job);
    errno = EPERM;
    return -1;
  }
  ResumeThread(process.hThread);
  Close(process.hThread);
  child.Process = process.hProcess;
  child.Out = Watched(launch.Out);
  child.Err = Watched(launch.Err);
  started[process.dwProcessId] = child;
  return process.dwProcessId;
}

bool RemoveTree(const std::string& path) {
  std::error_code error;
  std::filesystem::remove_all(std::u8string(path.begin(), path.end()), error);
  return !error;
}

Limit LimitReached(const Ended& ended, bool) {
  if (ended.Killed != Limit::None) return ended.Killed;
  if (ended.Signaled) return Limit::None;
  switch (ended.Code) {
    case kMemoryStatus: return Limit::Memory;
    case kDiskStatus: return Limit::Disk;
    default: return Limit::None;
  }
}

std::string OutputPath(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  wchar_t path[4096];
  const DWORD length = handle == INVALID_HANDLE_VALUE ? 0 : GetFinalPathNameByHandleW(handle, path, 4096, 0);
  if (length == 0 || length >= 4096) return {};
  std::wstring text(path, length);
  if (text.starts_with(L"\\\\?\\")) text.erase(0, 4);
  return win32::Utf8(text);
}

uint64_t OutputSize(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  return handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ? 0 : SizeOf(handle);
}

struct Supervisor::State {
  std::map<ChildId, Child> children;
  bool interruptedSeen = false;
  // Ends the children past a limit, or all of them after Ctrl+C.
  void Tick(bool interrupted) {
    const double now = Now();
    for (auto& [pid, child] : children) {
      if (child.Killed != Limit::None) continue;
      if (interrupted) {
        if (!interruptedSeen) TerminateJobObject(child.Job, kStatusInterrupted);
        continue;
      }
      // The job's own limits end a child on Windows; this watch also names
      // them, and holds where a job's limits are not kept (Wine).
      if (now >= child.Deadline || CpuSeconds(child.Process) > child.Bounds.CpuSeconds)
        child.Killed = Limit::Time;
      else if (SizeOf(child.Out) >= kMaxFileBytes || SizeOf(child.Err) >= kMaxFileBytes)
        child.Killed = Limit::Output;
      else if (MemoryLimitUsable() && MemoryOf(child.Process) > child.Bounds.MemoryBytes)
        child.Killed = Limit::Memory;
      if (child.Killed != Limit::None) TerminateJobObject(child.Job, StatusFor(child.Killed));
    }
    interruptedSeen = interrupted;
  }
};

Supervisor::Supervisor(volatile std::sig_atomic_t& interrupted) : interrupted_(interrupted), state_(new State) {}

Supervisor::~Supervisor() {
  for (auto& [pid, child] : state_->children) {
    Close(child.Job);  // kills what is left
    Close(child.Process);
    Close(child.Out);
    Close(child.Err);
  }
}

void Supervisor::Add(ChildId pid, const Limits& limits) {
  const auto found = started.find(pid);
  if (found == started.end()) return;
  Child child = found->second;
  started.erase(found);
  child.Deadline = Now() + limits.WallSeconds;
  state_->children[pid] = child;
}

std::optional<Ended> Supervisor::WaitOne() {
  auto& children = state_->children;
  while (!children.empty()) {
    std::vector<HANDLE> handles;
    std::vector<ChildId> ids;
    for (const auto& [pid, child] : children) {
      if (handles.size() == MAXIMUM_WAIT_OBJECTS) break;
      handles.push_back(child.Process);
      ids.push_back(pid);
    }
    const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, 50);
    if (woken < WAIT_OBJECT_0 + handles.size()) {
      const ChildId pid = ids[woken - WAIT_OBJECT_0];
      Child child = children[pid];
      children.erase(pid);
      DWORD code = 0;
      GetExitCodeProcess(child.Process, &code);
      Close(child.Job);
      Close(child.Process);
      Close(child.Out);
      Close(child.Err);
      // An exception's code (0xC0000005...) is the crash; an exit status is small.
      const bool crashed = code >= 0xC0000000u;
      return Ended{pid, crashed, static_cast<int>(code), child.Killed};
    }
    if (woken == WAIT_FAILED) {
      children.clear();
      break;
    }
    state_->Tick(interrupted_ != 0);
  }
  return std::nullopt;
}

}  // namespace orv::confine
