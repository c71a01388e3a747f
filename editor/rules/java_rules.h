// The rule set the editor window gives its colouring text area for the Java
// subset: block comments, keywords, line comments, declaration words.
#pragma once

#include "editor/rules/color_rules.h"

namespace orv {

constexpr TColor kJavaCommentColor = 0x00808080;  // gray
constexpr TColor kJavaKeywordColor = 0x00FF0000;  // blue
constexpr TColor kJavaDeclColor = 0x00000080;     // maroon

// Replaces the rules of the collection by the editor's four rules.
void InstallJavaRules(TDrawRules& rules);

}  // namespace orv
