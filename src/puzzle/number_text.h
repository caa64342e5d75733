// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The value of the longest leading numeric prefix of `text`; 0 when there is none.
// Never fails, whatever the bytes. The grammar of the prefix:
//
//     blank* [ "+" | "-" ] ( digit+ [ "." digit* ] | "." digit+ )
//
// where a blank is a space, tab, CR, LF, VT or FF and a digit is an ASCII 0-9.
// There is no exponent, hex prefix or embedded blank: a pupil types plain decimals,
// and it keeps every number a three-character start box can hold below 1000.
// A prefix too large for a double gives an infinity.
[[nodiscard]] double TextToNumber(std::string_view text) noexcept;

// The nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Infinities and NaN come back unchanged.
[[nodiscard]] double RoundHalfEven(double value) noexcept;

// RoundHalfEven as a 16-bit integer; nullopt when the result lies outside
// -32768..32767 or the value is not a number.
[[nodiscard]] std::optional<std::int16_t> RoundToInt16(double value) noexcept;

// Plain decimal text: "-" only for negatives, no blank, no digit grouping and no
// decimal point for whole values ("7", "-3", "7.5"). Zero is "0" whatever its sign.
[[nodiscard]] std::string NumberToText(double value);

// The conversions underneath, in the C locale whatever the user's: a plain decimal
// ("digit+ [. digit*]" or ". digit+", no sign) to its nearest double, nullopt when it
// overflows or underflows; and a finite value's shortest fixed text that reads back
// the same.
[[nodiscard]] std::optional<double> DecimalToDouble(std::string_view digits);
[[nodiscard]] std::string ShortestFixed(double value);

// The same by the C library whatever its locale, for C++ libraries without
// floating-point <charconv>.
namespace portable {
[[nodiscard]] std::optional<double> DecimalToDouble(std::string_view digits);
[[nodiscard]] std::string ShortestFixed(double value);
} // namespace portable

} // namespace velmora
