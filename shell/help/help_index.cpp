// The keyword search list.
#include "shell/help/help_index.h"

#include <algorithm>
#include <map>

namespace orv::help {
namespace {

// Decodes one UTF-8 sequence at s[i] (the text was checked when the book was
// read; a stray byte is taken as it is).
char32_t NextCodePoint(std::string_view s, size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
  for (; extra > 0 && i < s.size(); --extra) code = (code << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The plain letters of the Latin-1 letters U+00C0 to U+00FF, in order
// ("?" where the character is no letter).
constexpr std::string_view kLatin1Letters =
    "aaaaaaaceeeeiiiidnooooo?ouuuuyts"
    "aaaaaaaceeeeiiiidnooooo?ouuuuyty";

// Folded form of one character, or nullptr when it stays as it is.
const char* Folded(char32_t code) {
  switch (code) {
    case U'Æ': case U'æ': return "ae";
    case U'Œ': case U'œ': return "oe";
    case U'ß': return "ss";
    default: return nullptr;
  }
}

bool IsWordStart(const std::string& folded, size_t i) {
  if (i == 0) return true;
  const char before = folded[i - 1];
  return before == ' ' || before == '(' || before == '\'' || before == '-' || before == '.' || before == '"' ||
         before == '[';
}

}  // namespace

std::string FoldForSearch(std::string_view utf8) {
  std::string out;
  bool blank = false;
  for (size_t i = 0; i < utf8.size();) {
    char32_t code = NextCodePoint(utf8, i);
    if (code == ' ' || code == '\t' || code == '\n' || code == 0xA0) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    if (const char* folded = Folded(code)) {
      out += folded;
      continue;
    }
    if (code >= 'A' && code <= 'Z') code += 'a' - 'A';
    if (code >= 0xC0 && code <= 0xFF && kLatin1Letters[code - 0xC0] != '?') code = kLatin1Letters[code - 0xC0];
    if (code == U'Ÿ') code = 'y';
    AppendUtf8(out, code);
  }
  return out;
}

HelpIndex::HelpIndex(const HelpBook& book) {
  std::map<std::string, int> topicsPerKeyword;
  for (const HelpTopic& topic : book.Topics())
    for (const HelpKeyword& keyword : topic.Keywords) {
      IndexEntry entry{keyword.Text, keyword.Text, topic.Number, keyword.Anchor, FoldForSearch(keyword.Text)};
      const bool repeated = std::any_of(entries_.begin(), entries_.end(), [&](const IndexEntry& e) {
        return e.Folded == entry.Folded && e.Topic == entry.Topic && e.Anchor == entry.Anchor;
      });
      if (repeated) continue;
      ++topicsPerKeyword[entry.Folded];
      entries_.push_back(std::move(entry));
    }
  for (IndexEntry& entry : entries_)
    if (topicsPerKeyword[entry.Folded] > 1)
      entry.Label += " (" + book.ByNumber(entry.Topic)->Title + ")";
  std::stable_sort(entries_.begin(), entries_.end(), [](const IndexEntry& a, const IndexEntry& b) {
    if (a.Folded != b.Folded) return a.Folded < b.Folded;
    return FoldForSearch(a.Label) < FoldForSearch(b.Label);
  });
}

std::vector<const IndexEntry*> HelpIndex::Matching(std::string_view typed) const {
  const std::string prefix = FoldForSearch(typed);
  std::vector<const IndexEntry*> first, later;
  for (const IndexEntry& entry : entries_) {
    if (entry.Folded.starts_with(prefix)) {
      first.push_back(&entry);
      continue;
    }
    for (size_t at = entry.Folded.find(prefix, 1); at != std::string::npos; at = entry.Folded.find(prefix, at + 1))
      if (IsWordStart(entry.Folded, at)) {
        later.push_back(&entry);
        break;
      }
  }
  first.insert(first.end(), later.begin(), later.end());
  return first;
}

}  // namespace orv::help
