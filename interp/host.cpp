#include "interp/host.h"

#include <chrono>
#include <cstdio>

namespace orv {

uint64_t Host::RandomSeed() {
  return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

std::string Host::ShortDate(const DateTime& when) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", when.day, when.month, when.year);
  return buf;
}

std::string Host::TimeText(const DateTime& when) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", when.hour, when.minute, when.second);
  return buf;
}

}  // namespace orv
