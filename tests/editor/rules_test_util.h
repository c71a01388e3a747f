// Helpers for the rule-engine tests: a text's colouring as one letter per
// character, so expected results read like the text itself.
#pragma once

#include <string>

#include "editor/rules/colorizer.h"

namespace orv::test {

// '.' uncoloured, G gray, B blue, M maroon, R red, W white, L lime (green),
// S the selection, T a tab, H hot-spot text, K hot-spot marker, ? other.
char ColorLetter(const TKeyDescr& run);

// Runs one pass of the colorizer over text (scan start 0) and maps the runs.
std::string ColorMap(TColorizer& colorizer, const std::u16string& text, TPassOptions options = {});
// The same with the editor's four rules.
std::string JavaColorMap(const std::u16string& text);

}  // namespace orv::test
