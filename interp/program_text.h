// Program text as a list of lines in memory: what the runner, the tests and
// the fuzzer give the interpreter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interp/host.h"

namespace orv {

// Every CR LF, lone CR or lone LF is a line break; a break at the very end
// does not start another line.
std::vector<std::string> SplitProgramText(std::string_view text);

class VectorLineList : public LineList {
 public:
  VectorLineList() = default;
  explicit VectorLineList(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  explicit VectorLineList(std::string_view text) : lines_(SplitProgramText(text)) {}

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Line(int i) const override {
    return i >= 0 && i < Count() ? lines_[static_cast<size_t>(i)] : std::string();
  }
  const std::string* LineData(int i) const override {
    return i >= 0 && i < Count() ? &lines_[static_cast<size_t>(i)] : nullptr;
  }
  void SetLine(int i, const std::string& text) override {
    if (i >= 0 && i < Count()) lines_[static_cast<size_t>(i)] = text;
  }
  void DeleteLine(int i) override {
    if (i < 0 || i >= Count()) return;
    lines_.erase(lines_.begin() + i);
    if (i == 0) ++deletedAtTop_;
  }

  const std::vector<std::string>& Lines() const { return lines_; }
  // How many lines were deleted from the top (the pre-pass drops leading
  // blank lines); line i now was line i + DeletedAtTop() of the text given.
  int DeletedAtTop() const { return deletedAtTop_; }

 private:
  std::vector<std::string> lines_;
  int deletedAtTop_ = 0;
};

}  // namespace orv
