// The Windows edge of the Qt-free code: names travel as UTF-8 inside the
// product and reach the system as UTF-16 (the W calls), and a system error
// becomes the errno value the rest of the code reports. Windows only.
#pragma once

#include <string>
#include <string_view>

namespace orv::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// The errno value for a GetLastError() code (EIO for what has none).
int ErrnoOf(unsigned long error);
// ErrnoOf(GetLastError()), also stored in errno.
int LastErrno();

}  // namespace orv::win32
