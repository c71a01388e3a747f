#include "interp/real48.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orv {
namespace {
constexpr int kMantissaBits = 40;
constexpr int kMinExponent = -128;  // value = 1.f * 2^e
constexpr int kMaxExponent = 126;
}  // namespace

long double Real48Max() { return std::ldexp(2.0L - std::ldexp(1.0L, -39), kMaxExponent); }
long double Real48Min() { return std::ldexp(1.0L, kMinExponent); }

std::optional<long double> ToReal48(long double x) {
  if (std::isnan(x) || std::isinf(x)) return std::nullopt;
  if (x == 0) return 0.0L;
  int k = 0;
  const long double f = std::frexp(std::fabs(x), &k);  // |x| = f * 2^k, f in [0.5, 1)
  long double m = std::floor(std::ldexp(f, kMantissaBits) + 0.5L);
  if (m >= std::ldexp(1.0L, kMantissaBits)) {
    m = std::ldexp(m, -1);
    ++k;
  }
  const int exponent = k - 1;
  if (exponent < kMinExponent) return 0.0L;
  if (exponent > kMaxExponent) return std::nullopt;
  const long double r = std::ldexp(m, k - kMantissaBits);
  return x < 0 ? -r : r;
}

std::array<uint8_t, 6> Real48Bytes(long double v) {
  std::array<uint8_t, 6> bytes{};
  if (v == 0) return bytes;
  int k = 0;
  const long double f = std::frexp(std::fabs(v), &k);
  auto m = static_cast<uint64_t>(std::ldexp(f, kMantissaBits));  // 40 bits, top bit set
  m &= (uint64_t{1} << 39) - 1;                                   // hidden bit
  bytes[0] = static_cast<uint8_t>(k - 1 + 129);
  for (int i = 0; i < 5; ++i) bytes[1 + i] = static_cast<uint8_t>(m >> (8 * i));
  if (v < 0) bytes[5] |= 0x80;
  return bytes;
}

long double Real48FromBytes(const std::array<uint8_t, 6>& bytes) {
  if (bytes[0] == 0) return 0;
  uint64_t m = 0;
  for (int i = 0; i < 5; ++i) m |= uint64_t{bytes[1 + i]} << (8 * i);
  const bool negative = (m >> 39) & 1;
  m = (m & ((uint64_t{1} << 39) - 1)) | (uint64_t{1} << 39);
  const long double v = std::ldexp(static_cast<long double>(m), bytes[0] - 129 - 39);
  return negative ? -v : v;
}

std::string FloatText(long double x) {
  if (x == 0 || std::isnan(x) || std::isinf(x)) return "0";
  // to_chars, unlike printf, writes "." whatever LC_NUMERIC says (the
  // environment runs under the desktop's locale, a French one writes ",").
  // It is given a double: a six-byte real's 40 bits fit in one exactly, and
  // MinGW's to_chars of a long double is printf's, in the locale's style.
  char buf[64];
  const double magnitude = static_cast<double>(std::fabs(x));
  const auto end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14).ptr;
  const char* e = std::find(buf, end, 'e');  // d.dddddddddddddde[+-]xx
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
  std::string digits;
  for (const char* p = buf; p < e; ++p)
    if (*p != '.') digits += *p;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = x < 0 ? "-" : "";
  if (exponent >= -4 && exponent < 15) {
    if (exponent < 0) {
      out += "0.";
      out.append(static_cast<size_t>(-exponent - 1), '0');
      out += digits;
    } else if (static_cast<size_t>(exponent) + 1 >= digits.size()) {
      out += digits;
      out.append(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    } else {
      out += digits.substr(0, exponent + 1);
      out += '.';
      out += digits.substr(exponent + 1);
    }
  } else {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
  }
  return out;
}

}  // namespace orv
