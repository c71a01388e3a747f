// The interpreter's float: a 6-byte real (1 sign bit, 40 significant bits of
// which 39 are stored, 8-bit exponent with bias 129). Values are carried as
// long double (x86 extended, 64 significant bits) that are exactly
// representable in the 6-byte format; arithmetic happens in long double and is
// rounded back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// Largest magnitude: (2 - 2^-39) * 2^126. Smallest non-zero: 2^-128.
long double Real48Max();
long double Real48Min();

// Rounds to the 6-byte format at the 40th significant bit, halves away from
// zero. Magnitudes below 2^-128 become 0; nullopt means overflow (or NaN).
std::optional<long double> ToReal48(long double x);

// The six stored bytes (exponent byte first, then the mantissa from its least
// significant byte, the sign in the top bit of the last byte) and back.
std::array<uint8_t, 6> Real48Bytes(long double representable);
long double Real48FromBytes(const std::array<uint8_t, 6>& bytes);

// General format with at most 15 significant digits, "." separator; fixed
// notation for 0.0001 <= |x| < 1E15, otherwise d.dddE-n (no "+", no leading
// zeros in the exponent).
std::string FloatText(long double x);

}  // namespace orv
