#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runner/platform.h"

namespace orv::platform {
namespace {

volatile std::sig_atomic_t* interruptFlag = nullptr;
void OnInterrupt(int) { *interruptFlag = 1; }

}  // namespace

std::vector<std::string> Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void PrepareStandardStreams() {}

void InstallInterruptHandler(volatile std::sig_atomic_t& flag) {
  interruptFlag = &flag;
  std::signal(SIGPIPE, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a keyboard read or a wait returns on Ctrl+C
  sigaction(SIGINT, &action, nullptr);
}

std::filesystem::path PathOf(const std::string& utf8) { return utf8; }
std::string Utf8Of(const std::filesystem::path& path) { return path.string(); }
std::FILE* OpenFile(const std::string& utf8, const char* mode) { return std::fopen(utf8.c_str(), mode); }
std::string NullDevice() { return "/dev/null"; }
bool IsTerminal(int fd) { return isatty(fd) != 0; }


FileRead ReadRegularFile(const std::string& path, size_t limit, std::string& bytes) {
  // Opened without waiting: a FIFO would block here until a writer came.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat info {};
  if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    if (fd >= 0) ::close(fd);
    return FileRead::Unreadable;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return FileRead::NotRegular;
  }
  bytes.clear();
  char chunk[1 << 16];
  ssize_t got = 0;
  while (bytes.size() <= limit && (got = ::read(fd, chunk, sizeof chunk)) > 0)
    bytes.append(chunk, static_cast<size_t>(got));
  ::close(fd);
  return got < 0 ? FileRead::Unreadable : FileRead::Read;
}

bool CopyRegularFile(const std::string& from, const std::string& to, size_t limit) {
  std::string bytes;
  if (ReadRegularFile(from, limit, bytes) != FileRead::Read) return false;
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(out, bytes.data() + done, bytes.size() - done);
    ok = n > 0;
    done += ok ? static_cast<size_t>(n) : 0;
  }
  return ::close(out) == 0 && ok;
}

int OpenDescriptor(const std::string& path, bool forWriting) {
  return forWriting ? ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)
                    : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

void CloseDescriptor(int fd) { ::close(fd); }

bool MakePrivateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0700) == 0; }

std::string MakeScratchFolder() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  std::string pattern = ((error ? std::filesystem::path("/tmp") : base) / "orvjava-check-XXXXXX").string();
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

std::optional<bool> ReadConsoleLine(std::FILE*, std::string&) { return std::nullopt; }

}  // namespace orv::platform
