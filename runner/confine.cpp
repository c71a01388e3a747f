// Confinement and limits of a runner process, what every platform shares:
// the limit flags, the child's hidden arguments, the disk budget. The rest
// is confine_linux.cpp or confine_windows.cpp.
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "interp/text.h"
#include "runner/confine.h"

namespace orv::confine {
namespace {

constexpr std::string_view kChildFolderFlag = "--confined-child", kChildLimitsFlag = "--confined-limits";

std::optional<uint64_t> ParseCount(std::string_view text) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool diskCounted = false;
uint64_t diskLeft = 0;

[[noreturn]] void EndOnLimit(const char* message, size_t length, int status) {
  std::fflush(stdout);
  std::fwrite(message, 1, length, stderr);
  std::fflush(stderr);
  std::_Exit(status);
}

}  // namespace

void detail::OnOutOfMemory() {
  static constexpr char kMessage[] = "Mémoire dépassée\n";
  EndOnLimit(kMessage, sizeof kMessage - 1, kMemoryStatus);
}

bool IsLimitFlag(std::string_view flag) {
  return flag == "--max-cpu" || flag == "--max-seconds" || flag == "--max-memory" || flag == "--max-disk";
}

std::optional<std::string> SetLimit(Limits& limits, std::string_view flag, const std::string& value) {
  const auto n = ParseInt32(value);
  const bool seconds = flag == "--max-cpu" || flag == "--max-seconds";
  // Sizes in Mo, up to a million of them.
  if (!n || *n <= 0 || (!seconds && *n > 1'000'000))
    return (seconds ? "Durée incorrecte : " : "Taille incorrecte : ") + value;
  if (flag == "--max-cpu") limits.CpuSeconds = *n;
  else if (flag == "--max-seconds") limits.WallSeconds = *n;
  else if (flag == "--max-memory") limits.MemoryBytes = static_cast<uint64_t>(*n) << 20;
  else limits.DiskBytes = static_cast<uint64_t>(*n) << 20;
  return std::nullopt;
}

bool MemoryLimitUsable() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#else
  return true;
#endif
#else
  return true;
#endif
}

bool ChildOptions::IsChildFlag(std::string_view flag) { return flag == kChildFolderFlag || flag == kChildLimitsFlag; }

// --confined-limits LANDLOCK,CPU,MEMORY,DISK (0/1, seconds, bytes, bytes).
std::optional<std::string> ChildOptions::Set(std::string_view flag, const std::string& value) {
  if (flag == kChildFolderFlag) {
    Folder = value;
    return std::nullopt;
  }
  std::vector<uint64_t> fields;
  for (size_t start = 0; start <= value.size();) {
    const size_t comma = std::min(value.find(',', start), value.size());
    const auto n = ParseCount(std::string_view(value).substr(start, comma - start));
    if (!n) return "Limites incorrectes : " + value;
    fields.push_back(*n);
    start = comma + 1;
  }
  if (fields.size() != 4 || fields[1] == 0 || fields[1] > 1'000'000) return "Limites incorrectes : " + value;
  Landlock = fields[0] != 0;
  Limit.CpuSeconds = static_cast<int>(fields[1]);
  Limit.MemoryBytes = fields[2];
  Limit.DiskBytes = fields[3];
  return std::nullopt;
}

void detail::CountDisk(uint64_t budget) {
  diskLeft = budget;
  diskCounted = true;
}

void ChargeDisk(uint64_t bytes) {
  if (!diskCounted) return;
  if (bytes <= diskLeft) {
    diskLeft -= bytes;
    return;
  }
  static constexpr char kMessage[] = "Disque dépassé\n";
  EndOnLimit(kMessage, sizeof kMessage - 1, kDiskStatus);
}

std::vector<std::string> ChildArguments(const ChildLaunch& launch) {
  const std::string limits = std::string(launch.Landlock ? "1" : "0") + "," + std::to_string(launch.Limit.CpuSeconds) +
                             "," + std::to_string(launch.Limit.MemoryBytes) + "," +
                             std::to_string(launch.Limit.DiskBytes);
  std::vector<std::string> args = {"orvjava-run", std::string(kChildFolderFlag), launch.Folder,
                                   std::string(kChildLimitsFlag), limits};
  if (launch.MaxLines > 0) args.insert(args.end(), {"--max-lines", std::to_string(launch.MaxLines)});
  args.push_back(launch.Program);
  return args;
}

}  // namespace orv::confine
