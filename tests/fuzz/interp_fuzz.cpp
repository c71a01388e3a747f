// Runs arbitrary bytes as a program: fresh run, then resumes after stops,
// in step mode when the first byte is odd. The file statements act for real,
// so under libFuzzer the process first shuts itself into an empty folder.
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "interp/Unit3.h"
#include "interp/program_text.h"
#include "tests/interp/null_host.h"

namespace {

// Keyboard lines alternate numbers and words, then the input ends.
class FuzzHost : public orv::testing::NullHost {
 public:
  bool ReadKeyboardLine(std::string& line) override {
    line = (++reads % 3) ? "12" : "texte";
    return reads < 50;
  }
  int reads = 0;
};

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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SandBox();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  orv::VectorLineList lines(text);
  FuzzHost host;
  orv::TForm3 interpreter(host);
  interpreter.InitPrg("Fuzz.java");
  interpreter.SetLineBudget(20000);
  const int32_t stepMode = size > 0 && (data[0] & 1) ? 1 : 0;
  int32_t resume = 0, state = 0;
  interpreter.Exec(lines, resume, stepMode, state);
  // A finished run reports 999 and could be resumed from main again: the
  // rounds go on only after stops.
  for (int round = 0; round < 40 && (state == orv::kStopped || state == orv::kStoppedBeforeCloser) &&
                  resume != 0;
       ++round) {
    state = 0;
    interpreter.Exec(lines, resume, stepMode, state);
  }
  interpreter.Stats();
  interpreter.Examiner("i");
  interpreter.Examiner("t[2]");
  return 0;
}
