#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "interp/file_system.h"

namespace orv::files {
namespace {

int Result(int status) { return status == 0 ? 0 : errno ? errno : EIO; }

}  // namespace

std::FILE* Open(const std::string& name, bool forWriting, int& error) {
  errno = 0;
  std::FILE* handle = std::fopen(name.c_str(), forWriting ? "wb" : "rb");
  if (!handle) {
    error = errno ? errno : EIO;
    return nullptr;
  }
  // Reading a folder opens on Linux; it is no text file.
  if (struct stat info {}; ::fstat(fileno(handle), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(handle);
    error = EISDIR;
    return nullptr;
  }
  error = 0;
  return handle;
}

int ChangeFolder(const std::string& name) { return errno = 0, Result(::chdir(name.c_str())); }
int MakeFolder(const std::string& name) { return errno = 0, Result(::mkdir(name.c_str(), 0777)); }
int RemoveFolder(const std::string& name) { return errno = 0, Result(::rmdir(name.c_str())); }
int RemoveFile(const std::string& name) { return errno = 0, Result(::unlink(name.c_str())); }

}  // namespace orv::files
