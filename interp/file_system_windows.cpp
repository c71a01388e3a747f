// The file statements on Windows: the CRT's wide calls, which set errno as
// their POSIX namesakes do. "C:\dossier\f.txt", "..\f.txt", "/" or "\" as
// separators and drive-relative names ("C:f.txt") are the system's own.
#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

#include "common/win32_text.h"
#include "interp/file_system.h"

namespace orv::files {
namespace {

int Result(int status) { return status == 0 ? 0 : errno ? errno : EIO; }

bool IsFolder(const std::wstring& name) {
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::FILE* Open(const std::string& name, bool forWriting, int& error) {
  const std::wstring wide = win32::Wide(name);
  // Opening a folder fails with EACCES here; it is refused as on Linux.
  if (IsFolder(wide)) {
    error = EISDIR;
    return nullptr;
  }
  errno = 0;
  std::FILE* handle = _wfopen(wide.c_str(), forWriting ? L"wb" : L"rb");
  error = handle ? 0 : errno ? errno : EIO;
  return handle;
}

int ChangeFolder(const std::string& name) { return errno = 0, Result(_wchdir(win32::Wide(name).c_str())); }
int MakeFolder(const std::string& name) { return errno = 0, Result(_wmkdir(win32::Wide(name).c_str())); }
int RemoveFolder(const std::string& name) { return errno = 0, Result(_wrmdir(win32::Wide(name).c_str())); }
int RemoveFile(const std::string& name) { return errno = 0, Result(_wunlink(win32::Wide(name).c_str())); }

}  // namespace orv::files
