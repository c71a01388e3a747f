// Pages of the help viewer.
#include "shell/help/help_pages.h"

namespace orv::help {

const char* const kPageStyle =
    "h1 { color: #8c2a00; font-size: x-large; }"
    "h2 { color: #8c2a00; font-size: large; margin-top: 14px; }"
    "h3 { color: #5a3a20; }"
    "pre { background-color: #f6f1e4; font-family: 'DejaVu Sans Mono', monospace; }"
    "pre.out, pre.in { background-color: #e9f3e9; }"
    "pre.err { background-color: #fbe9e6; color: #8c1a00; }"
    "code, tt { font-family: 'DejaVu Sans Mono', monospace; color: #1b4f72; }"
    ".msg { color: #a31500; font-weight: bold; }"
    ".menu { font-weight: bold; }"
    ".key { font-weight: bold; color: #3a3a3a; }"
    "th { background-color: #efe4d0; }"
    ".note { background-color: #fff7d6; }"
    "p.caption { color: #6b5a48; font-style: italic; margin-bottom: 2px; }";

std::string TopicPage(const HelpTopic& topic) {
  return "<html><body><h1>" + EscapeHtml(topic.Title) + "</h1>\n" + topic.Body + "</body></html>";
}

std::string MessagePage(std::string_view title, const std::vector<std::string>& paragraphs) {
  std::string page = "<html><body><h1>" + EscapeHtml(title) + "</h1>\n";
  for (const std::string& paragraph : paragraphs) page += "<p>" + EscapeHtml(paragraph) + "</p>\n";
  return page + "</body></html>";
}

}  // namespace orv::help
