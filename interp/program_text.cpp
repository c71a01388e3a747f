#include "interp/program_text.h"

namespace orv {

std::vector<std::string> SplitProgramText(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;  // a line has started
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      pending = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
      pending = true;
    }
  }
  if (pending) lines.push_back(std::move(line));
  return lines;
}

}  // namespace orv
