// Reading OrvJava.hlp into topics, and following the links between them.
#include "shell/help/help_book.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace orv::help {
namespace {

constexpr std::string_view kSignature = "@orvjava-aide";
constexpr int kFormatVersion = 1;

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// Length of the UTF-8 sequence at s[i], or 0 when it is malformed.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || (length == 2 && lead < 0xC2) || i + length > s.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return length;
}

bool IsUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const size_t length = Utf8SequenceLength(s, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool IsTopicName(std::string_view name) {
  if (name.empty() || name[0] < 'a' || name[0] > 'z') return false;
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

std::optional<int> ParseNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The text of `line` after its directive word, trimmed.
std::string_view Argument(std::string_view line) {
  const size_t blank = line.find_first_of(" \t");
  return blank == std::string_view::npos ? std::string_view() : Trim(line.substr(blank));
}

std::string_view DirectiveWord(std::string_view line) { return line.substr(0, line.find_first_of(" \t")); }

// Splits the text into lines, dropping the CR of CR LF.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

class Parser {
 public:
  explicit Parser(HelpError& error) : error_(error) {}

  bool Line(std::string_view line, int number) {
    line_ = number;
    if (code_) return CodeLine(line);
    if (!line.starts_with('@')) return BodyLine(line);
    if (line.starts_with("@@")) return BodyLine(line.substr(1));
    if (line.starts_with("@#")) return true;
    const std::string_view word = DirectiveWord(line);
    const std::string_view argument = Argument(line);
    if (word == "@topic") return Topic(argument);
    if (!current_) return Fail("directive « " + std::string(word) + " » en dehors d'une rubrique");
    if (word == "@title") return Title(argument);
    if (word == "@group") return Group(argument);
    if (word == "@key") return Key(argument);
    if (word == "@code") return OpenCode(argument);
    if (word == "@end") return Fail("@end sans @code");
    return Fail("directive inconnue « " + std::string(word) + " »");
  }

  bool Finish() {
    if (code_) {
      line_ = code_->Line;
      return Fail("bloc @code sans @end");
    }
    if (!CloseTopic()) return false;
    if (topics_.empty()) {
      line_ = 0;
      return Fail("le fichier ne contient aucune rubrique");
    }
    return true;
  }

  std::vector<HelpTopic> Take() { return std::move(topics_); }

 private:
  bool Fail(std::string message) {
    error_.Line = line_;
    error_.Message = std::move(message);
    return false;
  }

  bool BodyLine(std::string_view line) {
    if (!current_) {
      if (Trim(line).empty()) return true;
      return Fail("texte en dehors d'une rubrique (une rubrique commence par @topic)");
    }
    current_->Body.append(line).push_back('\n');
    return true;
  }

  bool OpenCode(std::string_view kind) {
    static constexpr std::string_view kKinds[] = {"java", "run", "in", "out", "err"};
    if (std::find(std::begin(kKinds), std::end(kKinds), kind) == std::end(kKinds))
      return Fail("sorte de bloc inconnue « " + std::string(kind) + " » (java, run, in, out ou err)");
    code_ = &current_->Blocks.emplace_back();
    code_->Kind = kind;
    code_->Line = line_;
    return true;
  }

  // What the reader is looking at, above what a program reads and shows.
  static std::string Caption(const CodeBlock& block) {
    const char* caption = nullptr;
    if (block.Kind == "in") caption = "L'utilisateur tape :";
    else if (block.Kind == "out") caption = "Le programme affiche :";
    else if (block.Kind == "err")
      caption = std::count(block.Text.begin(), block.Text.end(), '\n') > 1 ? "Messages d'erreur, dans l'ordre :"
                                                                           : "Message d'erreur :";
    return caption ? std::string("<p class=\"caption\">") + caption + "</p>\n" : std::string();
  }

  bool CodeLine(std::string_view line) {
    if (Trim(line) != "@end") {
      code_->Text.append(line).push_back('\n');
      return true;
    }
    std::string shown = code_->Text;
    if (!shown.empty()) shown.pop_back();  // </pre> right after the last line
    current_->Body += Caption(*code_) + "<pre class=\"" + code_->Kind + "\">" + EscapeHtml(shown) + "</pre>\n";
    code_ = nullptr;
    return true;
  }

  bool Topic(std::string_view argument) {
    if (!CloseTopic()) return false;
    const std::string_view numberText = argument.substr(0, argument.find_first_of(" \t"));
    const std::string_view name = Argument(argument);
    const auto number = ParseNumber(numberText);
    if (!number || *number < 1 || *number > kMaxTopicNumber)
      return Fail("numéro de rubrique incorrect « " + std::string(numberText) + " » (de 1 à 99999)");
    if (!IsTopicName(name))
      return Fail("nom de rubrique incorrect « " + std::string(name) +
                  " » (lettres minuscules sans accent, chiffres et tirets)");
    for (const HelpTopic& topic : topics_) {
      if (topic.Number == *number)
        return Fail("numéro de rubrique " + std::to_string(*number) + " déjà utilisé à la ligne " +
                    std::to_string(topic.Line));
      if (topic.Name == name)
        return Fail("nom de rubrique « " + std::string(name) + " » déjà utilisé à la ligne " +
                    std::to_string(topic.Line));
    }
    current_ = &topics_.emplace_back();
    current_->Number = *number;
    current_->Name = name;
    current_->Line = line_;
    return true;
  }

  bool CloseTopic() {
    if (current_ && current_->Title.empty()) {
      line_ = current_->Line;
      return Fail("la rubrique " + std::to_string(current_->Number) + " n'a pas de titre (@title)");
    }
    return true;
  }

  bool Title(std::string_view argument) {
    if (!current_->Title.empty()) return Fail("deuxième titre pour la même rubrique");
    if (argument.empty()) return Fail("titre vide");
    current_->Title = argument;
    return true;
  }

  bool Group(std::string_view argument) {
    if (argument.empty()) return Fail("chapitre vide");
    current_->Group = argument;
    return true;
  }

  bool Key(std::string_view argument) {
    HelpKeyword keyword;
    if (const size_t hash = argument.rfind(" #"); hash != std::string_view::npos) {
      keyword.Anchor = Trim(argument.substr(hash + 2));
      argument = Trim(argument.substr(0, hash));
      if (keyword.Anchor.empty()) return Fail("ancre vide après « # »");
    }
    if (argument.empty()) return Fail("mot clé vide");
    keyword.Text = argument;
    current_->Keywords.push_back(std::move(keyword));
    return true;
  }

  HelpError& error_;
  std::vector<HelpTopic> topics_;
  HelpTopic* current_ = nullptr;  // stays valid: topics_ grows only in Topic()
  CodeBlock* code_ = nullptr;     // the open @code block of current_
  int line_ = 0;
};

}  // namespace

std::string HelpError::Describe() const {
  if (Line == 0) return Message;
  return "ligne " + std::to_string(Line) + " : " + Message;
}

std::optional<HelpBook> HelpBook::Parse(std::string_view text, HelpError& error) {
  error = {};
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (Trim(text).empty()) {
    error.Message = "le fichier est vide";
    return std::nullopt;
  }
  const std::vector<std::string_view> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i)
    if (!IsUtf8(lines[i])) {
      error = {static_cast<int>(i) + 1, "caractères qui ne sont pas de l'UTF-8"};
      return std::nullopt;
    }
  const std::string_view first = Trim(lines[0]);
  if (DirectiveWord(first) != kSignature) {
    error = {1, "ce n'est pas un fichier d'aide OrvJava (la première ligne doit être « @orvjava-aide 1 »)"};
    return std::nullopt;
  }
  if (ParseNumber(Argument(first)) != kFormatVersion) {
    error = {1, "version de fichier d'aide inconnue « " + std::string(Argument(first)) + " »"};
    return std::nullopt;
  }

  Parser parser(error);
  for (size_t i = 1; i < lines.size(); ++i)
    if (!parser.Line(lines[i], static_cast<int>(i) + 1)) return std::nullopt;
  if (!parser.Finish()) return std::nullopt;
  HelpBook book;
  book.topics_ = parser.Take();
  return book;
}

const HelpTopic* HelpBook::ByNumber(int number) const {
  for (const HelpTopic& topic : topics_)
    if (topic.Number == number) return &topic;
  return nullptr;
}

const HelpTopic* HelpBook::ByName(std::string_view name) const {
  for (const HelpTopic& topic : topics_)
    if (topic.Name == name) return &topic;
  return nullptr;
}

LinkTarget HelpBook::ResolveLink(const HelpTopic& from, std::string_view href) const {
  LinkTarget target;
  const size_t hash = href.find('#');
  const std::string_view page = href.substr(0, hash);
  if (hash != std::string_view::npos) target.Anchor = href.substr(hash + 1);
  if (page.empty()) target.Topic = &from;
  else if (const auto number = ParseNumber(page)) target.Topic = ByNumber(*number);
  else target.Topic = ByName(page);
  return target;
}

std::vector<std::string> HelpBook::BrokenLinks() const {
  std::vector<std::string> broken;
  const auto check = [&](const HelpTopic& from, const LinkTarget& target, const std::string& what) {
    if (!target.Topic) broken.push_back(from.Name + " : " + what + " ne mène à aucune rubrique");
    else if (!target.Anchor.empty() && !HasAnchor(*target.Topic, target.Anchor))
      broken.push_back(from.Name + " : " + what + " : ancre « " + target.Anchor + " » absente de « " +
                       target.Topic->Name + " »");
  };
  for (const HelpTopic& topic : topics_) {
    for (const std::string& href : AttributeValues(topic.Body, "href"))
      check(topic, ResolveLink(topic, href), "le lien « " + href + " »");
    for (const HelpKeyword& keyword : topic.Keywords)
      if (!keyword.Anchor.empty())
        check(topic, {&topic, keyword.Anchor}, "le mot clé « " + keyword.Text + " »");
  }
  return broken;
}

std::vector<int> HelpBook::ReachableFrom(int start) const {
  std::vector<int> order;
  std::set<int> seen;
  std::vector<const HelpTopic*> pending;
  if (const HelpTopic* first = ByNumber(start)) pending.push_back(first);
  while (!pending.empty()) {
    const HelpTopic* topic = pending.back();
    pending.pop_back();
    if (!seen.insert(topic->Number).second) continue;
    order.push_back(topic->Number);
    for (const std::string& href : AttributeValues(topic->Body, "href"))
      if (const LinkTarget target = ResolveLink(*topic, href); target.Topic) pending.push_back(target.Topic);
  }
  return order;
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::vector<std::string> AttributeValues(std::string_view html, std::string_view attribute) {
  std::vector<std::string> values;
  const std::string opening = std::string(attribute) + "=\"";
  for (size_t at = html.find(opening); at != std::string_view::npos; at = html.find(opening, at + 1)) {
    // Only a whole attribute name: "name" must not match inside "classname".
    if (at > 0 && html[at - 1] != ' ' && html[at - 1] != '\t' && html[at - 1] != '\n') continue;
    const size_t start = at + opening.size();
    const size_t end = html.find('"', start);
    if (end == std::string_view::npos) break;
    values.emplace_back(html.substr(start, end - start));
  }
  return values;
}

bool HasAnchor(const HelpTopic& topic, std::string_view anchor) {
  for (std::string_view attribute : {"name", "id"}) {
    const std::vector<std::string> values = AttributeValues(topic.Body, attribute);
    if (std::find(values.begin(), values.end(), anchor) != values.end()) return true;
  }
  return false;
}

}  // namespace orv::help
