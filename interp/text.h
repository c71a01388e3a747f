// Text helpers with the conventions the interpreter's texts follow: bytes are
// unsigned, blanks are every byte up to the space, positions count from 0 in
// code (the language's own positions count from 1), and a tail cut after a
// position keeps at most kMaxPiece characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

inline constexpr size_t kMaxPiece = 255;

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimView(std::string_view s);
inline std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

inline bool Contains(std::string_view s, std::string_view what) {
  return s.find(what) != std::string_view::npos;
}
inline bool Contains(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

// The text from position `from` on, at most kMaxPiece characters.
std::string_view Tail(std::string_view s, size_t from);
// The text before position `upTo` (all of it when upTo is past the end).
inline std::string_view Head(std::string_view s, size_t upTo) { return s.substr(0, upTo); }
// Removes one trailing character c, if present.
std::string_view DropTrailing(std::string_view s, char c);
// The text without its last character (empty stays empty).
inline std::string_view DropLast(std::string_view s) {
  return s.empty() ? s : s.substr(0, s.size() - 1);
}

// "A-Z"/"a-z" only: accented letters keep their case.
std::string UpperAscii(std::string_view s);
std::string LowerAscii(std::string_view s);

// Signed 32-bit decimal: optional sign, at least one digit, nothing else.
std::optional<int32_t> ParseInt32(std::string_view s);
// Decimal number with "." separator: optional sign, digits with an optional
// fraction, optional exponent (E or e). Blanks around it are refused.
std::optional<long double> ParseDecimal(std::string_view s);
// A number typed with a decimal comma ("8,5") written with the point the
// interpreter reads; any other text unchanged.
std::string WithDecimalPoint(std::string_view s);

std::string IntText(int32_t value);

// A message written in this source (UTF-8) as the interpreter's 8-bit text:
// "Pile saturée"_cp.
std::string operator""_cp(const char* text, size_t length);

// 32-bit arithmetic that wraps around like the machine's registers.
int32_t WrapAdd(int32_t a, int32_t b);
int32_t WrapSub(int32_t a, int32_t b);
int32_t WrapMul(int32_t a, int32_t b);
// Truncated division and remainder; b must not be 0.
int32_t WrapDiv(int32_t a, int32_t b);
int32_t WrapRem(int32_t a, int32_t b);

}  // namespace orv
