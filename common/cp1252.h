// The one codec between the interpreter's 8-bit Windows-1252 texts and Unicode.
// It is reversible: the five bytes that Windows-1252 leaves undefined map to
// the C1 control code points of the same value, so every byte survives a
// round trip.
#pragma once

#include <string>
#include <string_view>

namespace orv {

char32_t Cp1252ToUnicode(unsigned char byte);
// The byte of a code point, or -1 when Windows-1252 has no such character.
int UnicodeToCp1252(char32_t code);

std::string Cp1252ToUtf8(std::string_view text);
// Malformed UTF-8 and characters outside Windows-1252 become '?'.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace orv
