// The checked save on Windows: a temporary file beside the original, forced
// to the disk with FlushFileBuffers, then moved over it by MoveFileExW
// (replacing, written through). Every name is UTF-16 at the system.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <random>

#include "common/file_save.h"
#include "common/file_save_steps.h"
#include "common/win32_text.h"

namespace orv {
namespace {

long SysWrite(int fd, const void* data, unsigned long size) {
  return _write(fd, data, static_cast<unsigned>(size > 1u << 30 ? 1u << 30 : size));
}

int SysFsync(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) return errno = EBADF, -1;
  return FlushFileBuffers(handle) ? 0 : (win32::LastErrno(), -1);
}

int SysClose(int fd) { return _close(fd); }

int SysRename(const char* from, const char* to) {
  return MoveFileExW(win32::Wide(from).c_str(), win32::Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : (win32::LastErrno(), -1);
}

using save_steps::Failure;
using save_steps::WriteAll;

// A new file beside `path`, its name free at the time it is made.
int CreateTemporary(const std::string& path, std::string& temporary) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + "." + std::to_string(random() % 1000000);
    const int fd = _wopen(win32::Wide(temporary).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                          _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A device (NUL, COM1) is written into, never replaced.
int WriteInPlace(const std::string& path, const std::string& bytes, const SaveCalls& calls) {
  const int fd = _wopen(win32::Wide(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) return Failure();
  const int error = WriteAll(fd, bytes, calls);
  errno = 0;
  if (calls.close(fd) != 0 && error == 0) return Failure();
  return error;
}

bool IsDevice(const std::wstring& name) {
  const HANDLE handle =
      CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool device = GetFileType(handle) == FILE_TYPE_CHAR;
  CloseHandle(handle);
  return device;
}

}  // namespace

const SaveCalls& SystemSaveCalls() {
  static const SaveCalls calls{SysWrite, SysFsync, SysClose, SysRename};
  return calls;
}

int SaveFileAtomically(const std::string& path, const std::string& bytes, const SaveCalls& calls) {
  const std::wstring wide = win32::Wide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return EISDIR;
  if (IsDevice(wide)) return WriteInPlace(path, bytes, calls);
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) return Failure();
  const int error = save_steps::FillAndReplace(fd, temporary, path, bytes, calls);
  if (error != 0) _wunlink(win32::Wide(temporary).c_str());
  return error;
}

DiskStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(win32::Wide(path).c_str(), GetFileExInfoStandard, &data)) return {};
  const auto size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const auto written = (static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime;
  return {true, size, written * 100, 0};  // 100 ns units; no inode number without opening the file
}

}  // namespace orv
