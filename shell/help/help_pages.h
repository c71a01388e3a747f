// The HTML pages the help viewer shows: a topic, or a page that explains
// why there is nothing to show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/help/help_book.h"

namespace orv::help {

// The style of every page.
extern const char* const kPageStyle;

// The topic's title as a heading above its body.
std::string TopicPage(const HelpTopic& topic);

// A heading and paragraphs of plain text.
std::string MessagePage(std::string_view title, const std::vector<std::string>& paragraphs);

}  // namespace orv::help
