// Runs arbitrary bytes as a program, twice: with the fast path and from the
// text alone; the two runs must show and leave exactly the same (output,
// messages, stops, stacks, values), or the target aborts. Each run is a fresh
// run, then resumes after stops, in step mode when the first byte is odd. The
// file statements act for real, so under libFuzzer the process first shuts
// itself into an empty folder, and each run starts with that folder emptied.
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/interp/both_modes.h"

namespace {

bool Check(bool ok, const char* what) {
  if (!ok) std::perror(what);
  return ok;
}

// Programs may delete, create and change folders: they get a fresh empty root
// of their own (a private mount namespace and chroot; root only). The folder
// the fuzzer was started in stays reachable as /fz for the corpus and the
// crash files, and /proc is mounted for the leak checker.
void SandBox() {
  char root[] = "/tmp/orv-fuzz-XXXXXX";
  char here[4096];
  const bool ok = Check(getcwd(here, sizeof here) != nullptr, "getcwd") &&
                  Check(unshare(CLONE_NEWNS) == 0, "unshare") &&
                  Check(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0, "mount /") &&
                  Check(mkdtemp(root) != nullptr, "mkdtemp") &&
                  Check(mkdir((std::string(root) + "/proc").c_str(), 0755) == 0, "mkdir proc") &&
                  Check(mkdir((std::string(root) + "/fz").c_str(), 0755) == 0, "mkdir fz") &&
                  Check(mount("proc", (std::string(root) + "/proc").c_str(), "proc", 0, nullptr) == 0, "mount proc") &&
                  Check(mount(here, (std::string(root) + "/fz").c_str(), nullptr, MS_BIND, nullptr) == 0, "bind") &&
                  Check(chroot(root) == 0, "chroot") && Check(chdir("/") == 0, "chdir");
  if (!ok) {
    std::fprintf(stderr, "orv fuzz: cannot confine the file statements (run as root)\n");
    std::abort();
  }
}

// The folder the runs start in, emptied of what an earlier run left (the
// sandbox's /proc and /fz stay).
void FreshFolder() {
  namespace fs = std::filesystem;
  static const fs::path base = fs::current_path();
  std::error_code error;
  fs::current_path(base, error);
  for (const auto& entry : fs::directory_iterator(base, error)) {
    const fs::path name = entry.path().filename();
    if (name != "proc" && name != "fz") fs::remove_all(entry.path(), error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SandBox();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  orv::testing::ModeRun run;
  run.stepMode = size > 0 && (data[0] & 1) ? 1 : 0;
  run.lineBudget = 20000;
  FreshFolder();
  const orv::testing::Recorded fast = orv::testing::RecordRun(text, true, run);
  FreshFolder();
  const orv::testing::Recorded reference = orv::testing::RecordRun(text, false, run);
  FreshFolder();
  if (const std::string difference = orv::testing::FirstDifference(fast.record, reference.record);
      !difference.empty()) {
    std::fprintf(stderr, "orv fuzz: the fast path and the text evaluator differ, %s", difference.c_str());
    std::abort();
  }
  return 0;
}
