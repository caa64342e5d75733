// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/number_text.h"

#include <doctest/doctest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <random>
#include <string>

using namespace velmora;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A desktop locale writing "7,5" and "1 234", as Bulgarian does.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return ' '; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

TEST_CASE("text to number") {
    const struct {
        std::string text;
        double expected;
    } rows[] = {
        {"  12abc", 12}, // blanks, digits, then letters
        {"", 0},
        {"abc", 0},
        {"-3", -3},
        {"0", 0},
        {"7.5", 7.5},
        {"6.5", 6.5},
        {"+4", 4},
        {".5", 0.5}, // a leading point
        {"-.25", -0.25},
        {"5.", 5}, // a trailing point
        {".", 0},
        {"-", 0},
        {"--5", 0},
        {"- 5", 0},      // a blank after the sign
        {"\t\n 42", 42}, // tab and newline skipped
        {"1 2", 1},      // a blank ends the number
        {"1e5", 1},      // no exponent
        {"3,5", 3},      // a comma is not a point
        {"1.2.3", 1.2},  // a second point ends the number
        {"007", 7},
        {"седем", 0},
        {"\xef\xbc\x91\xef\xbc\x92", 0},  // fullwidth digits
        {"9\xff\xfe", 9},                 // invalid UTF-8 after digits
        {std::string{'4', '\0', '5'}, 4}, // a NUL ends the number
        {"99999999999999999999", 1e20},
        {std::string(400, '9'), kInf},
        {"-" + std::string(400, '9'), -kInf},
        {"0." + std::string(400, '0') + "1", 0}, // too small
    };
    for (const auto& row : rows) {
        CAPTURE(row.text);
        CHECK(TextToNumber(row.text) == row.expected);
    }
}

TEST_CASE("rounding to 16 bits, halves to even") {
    const std::optional<int> out; // out of range
    const struct {
        double value;
        std::optional<int> expected;
    } rows[] = {
        {2.5, 2},         {3.5, 4},         {6.5, 6},       {7.5, 8},           {0.5, 0},
        {-0.5, 0},        {-2.5, -2},       {-3.5, -4},     {1.4999999, 1},     {2.5000001, 3},
        {-1.5000001, -2}, {32767.4, 32767}, {32767.5, out}, {-32768.0, -32768}, {-32768.5, -32768},
        {-32768.6, out},  {1e300, out},     {kInf, out},    {-kInf, out},       {kNaN, out},
    };
    for (const auto& row : rows) {
        CAPTURE(row.value);
        const auto rounded = RoundToInt16(row.value);
        CHECK(rounded.has_value() == row.expected.has_value());
        if (rounded && row.expected)
            CHECK(int(*rounded) == *row.expected);
    }
}

TEST_CASE("number to text") {
    const struct {
        double value;
        const char* expected;
    } rows[] = {
        {7, "7"},         {-3, "-3"},           {0, "0"},
        {-0.0, "0"},      {7.5, "7.5"},         {-0.25, "-0.25"},
        {65541, "65541"}, {1234567, "1234567"}, {1e20, "100000000000000000000"},
        {0.1, "0.1"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.value);
        CHECK(NumberToText(row.value) == row.expected);
    }
}

// Every 16-bit value survives text and back, and the text has no blank or point.
TEST_CASE("every 16-bit value round-trips") {
    for (int i = -32768; i <= 32767; ++i) {
        const std::string text = NumberToText(i);
        const auto back = RoundToInt16(TextToNumber(text));
        if (text.find_first_of(" .,") != std::string::npos || back != i) {
            CAPTURE(i);
            CAPTURE(text);
            FAIL("no way back, or a blank or point in the text");
        }
    }
}

// Random bytes, biased towards characters the grammar cares about, never crash
// and never give NaN; a text that cannot start a number gives 0.
TEST_CASE("random bytes never fail") {
    std::mt19937 random(20261208);
    const std::string interesting = " \t+-.0123456789e,";
    std::uniform_int_distribution<int> length(0, 80);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> pick(0, int(interesting.size()) - 1);
    for (int round = 0; round < 200000; ++round) {
        std::string text(std::size_t(length(random)), '\0');
        for (char& c : text)
            c = (byte(random) < 160) ? interesting[std::size_t(pick(random))] : char(byte(random));
        const double value = TextToNumber(text);
        const auto first = text.find_first_not_of(" \t\r\n\v\f");
        const bool noStart = first == std::string::npos ||
                             std::string("+-.0123456789").find(text[first]) == std::string::npos;
        if (std::isnan(value) || (noStart && value != 0.0)) {
            CAPTURE(text);
            CAPTURE(value);
            FAIL("NaN, or a number from a text that cannot start one");
        }
        (void)RoundToInt16(value);
        (void)NumberToText(value);
    }
}

// The C library's conversions, used where <charconv> has no floating point, agree
// with it under the Bulgarian locale, whose decimal point is a comma.
TEST_CASE("the portable conversions agree") {
    struct CommaLocale {
        std::locale previous =
            std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
        std::string numeric = std::setlocale(LC_NUMERIC, nullptr);
        ~CommaLocale() {
            std::locale::global(previous);
            std::setlocale(LC_NUMERIC, numeric.c_str());
        }
    } comma;
#ifndef __EMSCRIPTEN__ // the browser's C library knows only the C locale
    REQUIRE(std::setlocale(LC_NUMERIC, "bg_BG.UTF-8"));
    REQUIRE(std::string(std::localeconv()->decimal_point) == ",");
#endif
    std::mt19937_64 random(7);
    std::vector<double> values{7, 7.5, 0.1, 1e20, 1234567, 32767.5, 1.0 / 3.0, 2.5e-7};
    for (int i = 0; i < 2000; ++i)
        values.push_back(std::ldexp(double(random() >> 11), int(random() % 80) - 60));
    for (double value : values) {
        CAPTURE(value);
        const std::string text = ShortestFixed(value);
        REQUIRE(portable::ShortestFixed(value) == text);
        REQUIRE(portable::DecimalToDouble(text) == value);
    }
    for (const char* text : {"7,5", "1 234", ""})
        CHECK_FALSE(portable::DecimalToDouble(text));
    CHECK_FALSE(portable::DecimalToDouble(std::string(400, '9')));
}

TEST_CASE("megabyte texts") {
    CHECK(TextToNumber(std::string(1 << 20, '7')) == kInf);
    CHECK(TextToNumber(std::string(1 << 20, ' ')) == 0.0);
    CHECK(std::abs(TextToNumber("0." + std::string(1 << 20, '3')) - 1.0 / 3.0) < 1e-15);
}
