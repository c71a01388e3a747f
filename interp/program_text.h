// Program text as a list of lines in memory: what the runner, the tests and
// the fuzzer give the interpreter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interp/host.h"

namespace orv {

// The lines packed in one buffer, eight bytes of index each: a program of
// millions of short lines takes a few times its size, not forty bytes a line.
// Lines deleted at the top (the pre-pass drops leading blank lines) cost
// nothing; a changed line is appended to the buffer.
// Line i of the program as the scanners see it: a leading step or breakpoint
// marker is not part of the program.
std::string ProgramLine(const LineList& lines, int32_t i);
// The same without a copy when the list holds its lines as texts (otherwise
// in scratch); valid until the list or scratch changes.
std::string_view ProgramLineView(const LineList& lines, int32_t i, std::string& scratch);

class VectorLineList : public LineList {
 public:
  VectorLineList() = default;
  explicit VectorLineList(const std::vector<std::string>& lines);
  // Every CR LF, lone CR or lone LF is a line break; a break at the very end
  // does not start another line.
  explicit VectorLineList(std::string_view text);

  int Count() const override { return static_cast<int>(spans_.size() - first_); }
  std::string Line(int i) const override { return std::string(View(i).value_or(std::string_view())); }
  std::optional<std::string_view> LineView(int i) const override { return View(i); }
  void SetLine(int i, const std::string& text) override;
  void DeleteLine(int i) override;

  std::vector<std::string> Lines() const;
  // How many lines were deleted from the top (the pre-pass drops leading
  // blank lines); line i now was line i + DeletedAtTop() of the text given.
  int DeletedAtTop() const { return deletedAtTop_; }

 private:
  struct Span {
    uint32_t offset, length;
  };
  void Append(std::string_view line);
  std::optional<std::string_view> View(int i) const {
    if (i < 0 || i >= Count()) return std::nullopt;
    const Span& span = spans_[first_ + static_cast<size_t>(i)];
    return std::string_view(text_.data() + span.offset, span.length);
  }

  std::string text_;
  std::vector<Span> spans_;
  size_t first_ = 0;  // spans before it are deleted lines
  int deletedAtTop_ = 0;
};

}  // namespace orv
