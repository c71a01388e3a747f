#include "interp/program_text.h"

#include "common/markers.h"

namespace orv {

std::string ProgramLine(const LineList& lines, int32_t i) {
  const std::string line = lines.Line(i);
  return StartsWithMarker(line) ? line.substr(1) : line;
}

std::string_view ProgramLineView(const LineList& lines, int32_t i, std::string& scratch) {
  std::optional<std::string_view> view = lines.LineView(i);
  if (!view) {
    scratch = lines.Line(i);
    view = scratch;
  }
  return WithoutMarker(*view);
}

VectorLineList::VectorLineList(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Append(line);
}

VectorLineList::VectorLineList(std::string_view text) {
  text_.reserve(text.size());
  size_t start = 0;
  bool pending = false;  // a line has started
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      pending = true;
      continue;
    }
    Append(text.substr(start, i - start));
    pending = false;
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (pending) Append(text.substr(start));
}

// Offsets are 32 bits: the buffer holds a program (16 MiB at most) and the
// lines changed since, far below 4 GiB.
void VectorLineList::Append(std::string_view line) {
  spans_.push_back({static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(line.size())});
  text_.append(line);
}

void VectorLineList::SetLine(int i, const std::string& text) {
  if (i < 0 || i >= Count()) return;
  const size_t index = first_ + static_cast<size_t>(i);
  if (text.size() <= spans_[index].length) {  // in place
    text_.replace(spans_[index].offset, text.size(), text);
    spans_[index].length = static_cast<uint32_t>(text.size());
    return;
  }
  spans_[index] = {static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(text.size())};
  text_.append(text);
}

void VectorLineList::DeleteLine(int i) {
  if (i < 0 || i >= Count()) return;
  if (i == 0) {
    ++first_;
    ++deletedAtTop_;
    return;
  }
  spans_.erase(spans_.begin() + static_cast<long>(first_) + i);
}

std::vector<std::string> VectorLineList::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) lines.push_back(Line(i));
  return lines;
}

}  // namespace orv
