// The local time of a moment, thread-safe on every platform (localtime_r on
// POSIX, localtime_s on Windows, their arguments the other way round).
#pragma once

#include <ctime>

namespace orv {

inline bool ToLocalTime(std::time_t when, std::tm& local) {
#ifdef _WIN32
  return localtime_s(&local, &when) == 0;
#else
  return localtime_r(&when, &local) != nullptr;
#endif
}

}  // namespace orv
