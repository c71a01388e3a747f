// The two markers the environment puts at the start of a program line, in
// Windows-1252 like the program text: "•" where a step-by-step run goes on,
// "»" a breakpoint. Neither is part of the program.
#pragma once

#include <string_view>

namespace orv {

inline constexpr char kStepMarker = '\x95';   // "•"
inline constexpr char kBreakMarker = '\xBB';  // "»"

constexpr bool StartsWithMarker(std::string_view line) {
  return !line.empty() && (line.front() == kStepMarker || line.front() == kBreakMarker);
}
// The line as the program has it: a leading marker dropped.
constexpr std::string_view WithoutMarker(std::string_view line) {
  return StartsWithMarker(line) ? line.substr(1) : line;
}

}  // namespace orv
