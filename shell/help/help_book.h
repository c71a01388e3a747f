// The help file OrvJava.hlp and the book of topics read from it. Plain C++,
// no Qt: the viewer only displays what this reads.
//
// Format: one UTF-8 text file (LF or CR LF line ends, an optional byte-order
// mark). A line that begins with "@" is a directive; every other line belongs
// to the HTML body of the current topic.
//
//   @orvjava-aide 1       first line: the signature and the format version
//   @# text               a comment, anywhere
//   @topic 12 boucles     starts a topic: its number (1 to 99999) and its name
//                         (a-z, 0-9 and "-", beginning with a letter), both
//                         unique; the name is what links use
//   @title Les boucles    the topic's title (required, once per topic)
//   @group Le langage     its chapter in the contents (optional; topics
//                         without one stand at the top of the contents)
//   @key boucle for       one entry of the keyword search list; a trailing
//   @key Pile vide #pile  " #name" opens the topic at its <a name="name">
//   @@text                a body line that begins with "@text"
//   @code run             program text up to the line "@end", shown as typed
//   ...                   (no HTML inside, nothing to escape) in a <pre> of
//   @end                  that class. Kinds: "java" (shown only), "run" (a
//                         program that runs as shown), and after it "in" (the
//                         keyboard lines it reads), "out" (what it prints) and
//                         "err" (the messages it shows, in order)
//
// Links in a body: href="boucles", href="boucles#for", href="#for" (same
// topic), or a topic number, href="6". Topic 1 is the contents and topic 2
// the help on the help viewer; the menus' context numbers name topics too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::help {

inline constexpr int kContentsTopic = 1;
inline constexpr int kHowToUseTopic = 2;
inline constexpr int kMaxTopicNumber = 99999;

struct HelpKeyword {
  std::string Text;
  std::string Anchor;  // empty: the top of the topic
};

struct CodeBlock {
  std::string Kind;  // java, run, in, out or err
  std::string Text;  // the lines, each ended by "\n"
  int Line = 0;      // line of its @code directive
};

struct HelpTopic {
  int Number = 0;
  std::string Name;
  std::string Title;
  std::string Group;
  std::vector<HelpKeyword> Keywords;
  std::string Body;  // HTML
  std::vector<CodeBlock> Blocks;
  int Line = 0;      // line of its @topic directive, from 1
};

// Why a file could not be read as a help book, in French.
struct HelpError {
  int Line = 0;  // 0: the file as a whole
  std::string Message;
  std::string Describe() const;
};

// Where a link leads.
struct LinkTarget {
  const HelpTopic* Topic = nullptr;  // nullptr: no such topic
  std::string Anchor;
};

class HelpBook {
 public:
  // nullopt with `error` filled when the text is not a valid help file.
  static std::optional<HelpBook> Parse(std::string_view text, HelpError& error);

  const std::vector<HelpTopic>& Topics() const { return topics_; }
  const HelpTopic* ByNumber(int number) const;
  const HelpTopic* ByName(std::string_view name) const;

  // A link written in the body of `from` (see the format above).
  LinkTarget ResolveLink(const HelpTopic& from, std::string_view href) const;

  // Every link and keyword anchor that leads nowhere, one French line each.
  std::vector<std::string> BrokenLinks() const;

  // Numbers of the topics reachable from `start` by following links.
  std::vector<int> ReachableFrom(int start) const;

 private:
  std::vector<HelpTopic> topics_;
};

std::string EscapeHtml(std::string_view text);

// The values of every `attribute="..."` in an HTML text, in order.
std::vector<std::string> AttributeValues(std::string_view html, std::string_view attribute);

// True when the body holds <a name="anchor"> or an element with id="anchor".
bool HasAnchor(const HelpTopic& topic, std::string_view anchor);

}  // namespace orv::help
