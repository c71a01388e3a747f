#include "common/file_save.h"
#include "common/file_save_steps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orv {
namespace {

long SysWrite(int fd, const void* data, unsigned long size) { return ::write(fd, data, size); }
int SysFsync(int fd) { return ::fsync(fd); }
int SysClose(int fd) { return ::close(fd); }
int SysRename(const char* from, const char* to) { return std::rename(from, to); }

using save_steps::Failure;
using save_steps::WriteAll;

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions the file should keep: those of the file it replaces, or
// the usual ones of a new file.
mode_t ModeFor(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A link to the learner's file stays a link: the file it names is replaced.
std::string Target(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string target(real);
  std::free(real);
  return target;
}

// A device or a pipe is written into, never replaced: saving to /dev/null
// must not leave a plain file in its place. Opened without waiting, so that
// a pipe nobody reads fails (ENXIO) instead of hanging the save.
int WriteInPlace(const std::string& path, const std::string& bytes, const SaveCalls& calls) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failure();
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  int error = WriteAll(fd, bytes, calls);
  errno = 0;
  // EINVAL: this kind of file has nothing to force to a disk.
  if (error == 0 && calls.fsync(fd) != 0 && errno != EINVAL) error = Failure();
  errno = 0;
  if (calls.close(fd) != 0 && error == 0) error = Failure();
  return error;
}

}  // namespace

const SaveCalls& SystemSaveCalls() {
  static const SaveCalls calls{SysWrite, SysFsync, SysClose, SysRename};
  return calls;
}

int SaveFileAtomically(const std::string& givenPath, const std::string& bytes, const SaveCalls& calls) {
  const std::string path = Target(givenPath);
  if (struct stat info {}; ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    return S_ISDIR(info.st_mode) ? EISDIR : WriteInPlace(path, bytes, calls);
  const mode_t mode = ModeFor(path);
  std::string name = path + ".XXXXXX";
  std::vector<char> pattern(name.begin(), name.end());
  pattern.push_back('\0');
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return Failure();
  const std::string temporary(pattern.data());
  int error = ::fchmod(fd, mode) == 0 ? 0 : Failure();
  if (error != 0) ::close(fd);
  else error = save_steps::FillAndReplace(fd, temporary, path, bytes, calls);
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  // The rename itself reaches the disk with its folder.
  if (const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY); folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return 0;
}

DiskStamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {true, static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec,
          static_cast<unsigned long long>(info.st_ino)};
}

}  // namespace orv
