// The runner's system edge on Windows: wide names, the console in UTF-8,
// Ctrl+C through the console's control handler.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <random>

#include "common/win32_text.h"
#include "runner/platform.h"

namespace orv::platform {
namespace {

volatile std::sig_atomic_t* interruptFlag = nullptr;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interruptFlag) *interruptFlag = 1;
  return TRUE;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// An existing file open for reading, however others hold it.
HANDLE OpenForReading(const std::string& path) {
  return CreateFileW(win32::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(win32::Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

namespace {
UINT consoleCodePage = 0;  // the console's own, given back at exit
void RestoreConsoleCodePage() { SetConsoleOutputCP(consoleCodePage); }
}  // namespace

void PrepareStandardStreams() {
  for (const int fd : {0, 1, 2}) _setmode(fd, _O_BINARY);
  if (IsConsole(HandleOf(1)) || IsConsole(HandleOf(2))) {
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreConsoleCodePage);
  }
}

void InstallInterruptHandler(volatile std::sig_atomic_t& flag) {
  interruptFlag = &flag;
  SetConsoleCtrlHandler(OnControl, TRUE);
}

std::filesystem::path PathOf(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::FILE* OpenFile(const std::string& utf8, const char* mode) {
  return _wfopen(win32::Wide(utf8).c_str(), win32::Wide(mode).c_str());
}

std::string NullDevice() { return "NUL"; }
bool IsTerminal(int fd) { return IsConsole(HandleOf(fd)); }


FileRead ReadRegularFile(const std::string& path, size_t limit, std::string& bytes) {
  const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return FileRead::Unreadable;
  const HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) return FileRead::Unreadable;
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return FileRead::NotRegular;
  }
  bytes.clear();
  char chunk[1 << 16];
  DWORD got = 0;
  BOOL ok = TRUE;
  while (bytes.size() <= limit && (ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
    bytes.append(chunk, got);
  CloseHandle(file);
  return ok ? FileRead::Read : FileRead::Unreadable;
}

bool CopyRegularFile(const std::string& from, const std::string& to, size_t limit) {
  std::string bytes;
  if (ReadRegularFile(from, limit, bytes) != FileRead::Read) return false;
  const HANDLE out =
      CreateFileW(win32::Wide(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < bytes.size();) {
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    ok = WriteFile(out, bytes.data() + done, size, &written, nullptr) && written > 0;
    done += written;
  }
  return CloseHandle(out) && ok;
}

int OpenDescriptor(const std::string& path, bool forWriting) {
  return forWriting ? _wopen(win32::Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                             _S_IREAD | _S_IWRITE)
                    : _wopen(win32::Wide(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

void CloseDescriptor(int fd) { _close(fd); }

// The user's own folders are his alone by their inherited rights.
bool MakePrivateFolder(const std::string& path) { return CreateDirectoryW(win32::Wide(path).c_str(), nullptr) != 0; }

std::string MakeScratchFolder() {
  wchar_t base[MAX_PATH + 1] = {};
  if (GetTempPathW(MAX_PATH + 1, base) == 0) return {};
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = win32::Utf8(base) + "orvjava-check-" + std::to_string(random() % 1000000);
    if (MakePrivateFolder(folder)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

std::optional<bool> ReadConsoleLine(std::FILE* in, std::string& line) {
  const HANDLE console = HandleOf(_fileno(in));
  if (!IsConsole(console)) return std::nullopt;
  // The console's own characters: its code page would lose the accents.
  constexpr size_t kMaxCharacters = 1 << 16;
  std::wstring wide;
  wchar_t chunk[256];
  DWORD got = 0;
  while (wide.size() < kMaxCharacters && ReadConsoleW(console, chunk, 256, &got, nullptr) && got > 0) {
    wide.append(chunk, got);
    if (wide.back() == L'\n') break;
  }
  const bool ended = !wide.empty() && wide.back() == L'\n';
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r')) wide.pop_back();
  line = win32::Utf8(wide);
  // Ctrl+C ends the read before its handler, on a thread of its own, has run.
  if (!ended && wide.empty()) Sleep(100);
  return ended || !wide.empty();
}

}  // namespace orv::platform
