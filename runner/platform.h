// The runner's and the checker's edge with the system, one file per
// platform behind it (platform_posix.cpp, platform_windows.cpp). Inside, a
// path is UTF-8 text; PathOf makes it the system's.
#pragma once

#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orv::platform {

// The command line as UTF-8 (on Windows read from the wide command line:
// the narrow one has lost what the code page cannot spell).
std::vector<std::string> Arguments(int argc, char** argv);

// Standard input and output carry bytes, never translated (no CR added on
// Windows); a Windows console shows the UTF-8 output as text.
void PrepareStandardStreams();

// Ctrl+C sets `flag`; a keyboard read waiting then returns. A closed pipe
// becomes a write error to report, not a silent death.
void InstallInterruptHandler(volatile std::sig_atomic_t& flag);

std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);
std::FILE* OpenFile(const std::string& utf8, const char* mode);
// What reads nothing: /dev/null, NUL.
std::string NullDevice();
bool IsTerminal(int fd);

enum class FileRead { Read, Unreadable, NotRegular };
// A regular file's bytes, no more than `limit` and one (so that what is too
// long stays too long). A device, a pipe or a folder is refused without
// being read: it could block the caller for ever.
FileRead ReadRegularFile(const std::string& path, size_t limit, std::string& bytes);
// A new file `to` (it must not exist) holding such a copy of `from`.
bool CopyRegularFile(const std::string& from, const std::string& to, size_t limit);
// A descriptor on a file: read, or written (created, emptied, its owner's
// alone); never inherited by a child unless given to it. -1 with errno.
int OpenDescriptor(const std::string& path, bool forWriting);
void CloseDescriptor(int fd);
// A folder only its owner may enter.
bool MakePrivateFolder(const std::string& path);
// A fresh private folder for temporary files; empty when none can be made.
std::string MakeScratchFolder();

// A keyboard line typed at a console, as UTF-8 without its line end: true
// when a line came, false at its end; nullopt when the input is no console
// (the caller reads its bytes then).
std::optional<bool> ReadConsoleLine(std::FILE* in, std::string& line);

}  // namespace orv::platform
