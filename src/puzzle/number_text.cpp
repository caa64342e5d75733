// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/number_text.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>
#include <version>

namespace velmora {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

bool HasNonZeroDigit(std::string_view digits) {
    return digits.find_first_of("123456789") != std::string_view::npos;
}

} // namespace

double TextToNumber(std::string_view text) noexcept {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    const std::size_t start = pos;
    const std::size_t integerEnd = SkipDigits(text, start);
    std::size_t end = integerEnd;
    if (integerEnd < text.size() && text[integerEnd] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, integerEnd + 1);
        if (fractionEnd > integerEnd + 1)
            end = fractionEnd;
    }
    if (end == start)
        return 0.0;

    const std::string_view number = text.substr(start, end - start);
    const std::optional<double> parsed = DecimalToDouble(number);
    // Without an exponent only a huge integer part overflows; anything else is a
    // fraction too small to tell from zero.
    const bool huge = !parsed && HasNonZeroDigit(text.substr(start, integerEnd - start));
    const double value = parsed ? *parsed : huge ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

double RoundHalfEven(double value) noexcept {
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        return below + 1.0;
    return below;
}

std::optional<std::int16_t> RoundToInt16(double value) noexcept {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt; // also NaN, which fails both comparisons
    return static_cast<std::int16_t>(rounded);
}

std::string NumberToText(double value) {
    if (value == 0.0)
        return "0";
    return ShortestFixed(value);
}

// The C++ library's own conversions where it has them for floating point; WebAssembly's
// has not, and there the C library's do it, with its decimal point swapped for ".".
std::optional<double> DecimalToDouble(std::string_view digits) {
#if defined(__cpp_lib_to_chars)
    double value = 0.0;
    const auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                               std::chars_format::fixed);
    if (error != std::errc{} || last != digits.data() + digits.size())
        return std::nullopt;
    return value;
#else
    return portable::DecimalToDouble(digits);
#endif
}

std::string ShortestFixed(double value) {
#if defined(__cpp_lib_to_chars)
    // The longest text (the smallest subnormal) needs a little over 750 characters.
    std::array<char, 1100> buffer{};
    const auto [last, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                             std::chars_format::fixed);
    if (error != std::errc{})
        return {};
    return std::string(buffer.data(), last);
#else
    return portable::ShortestFixed(value);
#endif
}

namespace portable {
namespace {

// The C library reads and writes the decimal point of the C locale, "," in Bulgarian.
std::string LocalePoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && *point ? point : ".";
}

} // namespace

std::optional<double> DecimalToDouble(std::string_view digits) {
    if (digits.empty() || digits.find_first_not_of("0123456789.") != std::string_view::npos)
        return std::nullopt;
    std::string text(digits);
    if (const auto at = digits.find('.'); at != std::string_view::npos)
        text =
            std::string(digits.substr(0, at)) + LocalePoint() + std::string(digits.substr(at + 1));
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt; // ERANGE: too large, or too small to tell from zero
    return value;
}

std::string ShortestFixed(double value) {
    if (!std::isfinite(value))
        return {};
    const std::string point = LocalePoint();
    // The fewest decimals that read back as the same value; 1100 covers the subnormals.
    std::vector<char> buffer(1500);
    for (int decimals = 0; decimals < 1100; ++decimals) {
        std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
        std::string text = buffer.data();
        if (const auto at = text.find(point); at != std::string::npos)
            text = text.substr(0, at) + "." + text.substr(at + point.size());
        const std::string_view magnitude = std::string_view(text).substr(text[0] == '-' ? 1 : 0);
        if (DecimalToDouble(magnitude) == std::abs(value))
            return text;
    }
    return {};
}

} // namespace portable

} // namespace velmora
