// Readable names for the cases of parameterised tests: "3_2plus3eq" rather
// than a dump of the parameter's bytes. The index keeps names unique.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace orv::test {

inline std::string CaseName(size_t index, std::initializer_list<std::string_view> parts) {
  static constexpr std::pair<char, const char*> kSpelt[] = {
      {'+', "plus"}, {'-', "moins"}, {'*', "fois"}, {'/', "sur"}, {'=', "egal"}, {',', "virgule"},
      {'.', "point"}, {':', "deuxpoints"}, {'<', "inf"}, {'>', "sup"}, {'%', "pourcent"}};
  std::string name = std::to_string(index);
  for (std::string_view part : parts) {
    name += '_';
    for (unsigned char c : part) {
      if (name.size() > 48) break;
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        name += static_cast<char>(c);
        continue;
      }
      const char* spelt = nullptr;
      for (const auto& [symbol, word] : kSpelt)
        if (c == static_cast<unsigned char>(symbol)) spelt = word;
      if (spelt) name += spelt;
      else if (name.back() != '_') name += '_';
    }
  }
  return name;
}

inline std::string CaseName(size_t index, std::u16string_view text) {
  std::string ascii;
  for (char16_t c : text) ascii += c < 128 ? static_cast<char>(c) : ' ';
  return CaseName(index, {ascii});
}

}  // namespace orv::test
