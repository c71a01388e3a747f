// The file format of program sources: 8-bit text whose lines are separated by
// CR LF. On reading, a lone CR or a lone LF also ends a line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The largest file the editor takes.
constexpr std::uintmax_t kMaxSourceBytes = 16u * 1024u * 1024u;

// The lines of a text; the last is what follows the last line break (empty
// when the text ends with one), so joining them gives the normalised text.
std::vector<std::string> SplitSourceLines(std::string_view bytes);
std::string JoinSourceLines(const std::vector<std::string>& lines);

}  // namespace orv
