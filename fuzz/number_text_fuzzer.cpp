// SPDX-License-Identifier: GPL-3.0-or-later
// Checks our number text conversion against a slow reference built another way: the
// longest valid prefix is found by trying every prefix, and its value comes from the C
// library's strtod (this program never changes the C locale).

#include "puzzle/number_text.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool Blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// blank* [+-] ( digit+ [ "." digit* ] | "." digit+ ), the whole of `s`.
bool IsNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && Blank(s[i]))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool dot = false;
    for (; i < s.size(); ++i) {
        if (Digit(s[i]))
            ++digits;
        else if (s[i] == '.' && !dot)
            dot = true;
        else
            return false;
    }
    return digits > 0; // on either side of the point
}

double ReferenceValue(std::string_view text) {
    for (std::size_t length = text.size(); length > 0; --length) {
        const std::string prefix(text.substr(0, length));
        if (IsNumber(prefix))
            return std::strtod(prefix.c_str(), nullptr);
    }
    return 0.0;
}

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s for input of %zu bytes\n", what, text.size());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = velmora::TextToNumber(text);
    const double expected = ReferenceValue(text);
    if (!(value == expected) || std::signbit(value) != std::signbit(expected))
        Fail("TextToNumber differs from the reference", text);

    // Rounding: the hardware's round-to-nearest-even, then the 16-bit range.
    const auto rounded = velmora::RoundToInt16(value);
    std::fesetround(FE_TONEAREST);
    const double nearest = std::nearbyint(value);
    const bool fits = std::isfinite(nearest) && nearest >= -32768 && nearest <= 32767;
    if (rounded.has_value() != fits || (fits && *rounded != nearest))
        Fail("RoundToInt16 differs from nearbyint", text);

    // Text back to number gives the same value, in plain decimal.
    const std::string written = velmora::NumberToText(value);
    if (std::isfinite(value)) {
        if (written.find_first_of("eE+ ") != std::string::npos)
            Fail("NumberToText wrote more than plain decimal", text);
        if (std::strtod(written.c_str(), nullptr) != value)
            Fail("NumberToText does not read back", text);
    }
    return 0;
}
