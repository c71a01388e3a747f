// A host that shows nothing: for the benchmarks and the fuzzer.
#pragma once

#include <string>

#include "interp/host.h"

namespace orv::testing {

class NullSurface : public OutputSurface {
 public:
  void SetTitle(const std::string&) override {}
  void Show() override {}
  void DrawText(int, int, const std::string&) override {}
  int TextWidth(const std::string& t) override { return 7 * static_cast<int>(t.size()); }
};

class NullHost : public Host {
 public:
  void MessageBox(const std::string&) override {}
  OutputSurface& Screen() override { return screen_; }
  DateTime Now() override { return {2026, 12, 8, 10, 30, 15}; }
  bool ReadKeyboardLine(std::string& line) override {
    line.clear();
    return false;
  }

 private:
  NullSurface screen_;
};

}  // namespace orv::testing
