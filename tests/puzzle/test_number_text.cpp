// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/number_text.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <random>
#include <string>

using namespace velmora;

Q_DECLARE_METATYPE(std::string)

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

class NumberTextTest : public QObject {
    Q_OBJECT

  private slots:
    void textToNumber_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("blanks then digits then letters") << std::string("  12abc") << 12.0;
        QTest::newRow("empty") << std::string() << 0.0;
        QTest::newRow("letters only") << std::string("abc") << 0.0;
        QTest::newRow("negative") << std::string("-3") << -3.0;
        QTest::newRow("zero") << std::string("0") << 0.0;
        QTest::newRow("fraction half up") << std::string("7.5") << 7.5;
        QTest::newRow("fraction half down") << std::string("6.5") << 6.5;
        QTest::newRow("plus sign") << std::string("+4") << 4.0;
        QTest::newRow("leading point") << std::string(".5") << 0.5;
        QTest::newRow("negative leading point") << std::string("-.25") << -0.25;
        QTest::newRow("trailing point") << std::string("5.") << 5.0;
        QTest::newRow("lone point") << std::string(".") << 0.0;
        QTest::newRow("lone sign") << std::string("-") << 0.0;
        QTest::newRow("double sign") << std::string("--5") << 0.0;
        QTest::newRow("blank after sign") << std::string("- 5") << 0.0;
        QTest::newRow("tab and newline skipped") << std::string("\t\n 42") << 42.0;
        QTest::newRow("embedded blank ends number") << std::string("1 2") << 1.0;
        QTest::newRow("no exponent") << std::string("1e5") << 1.0;
        QTest::newRow("comma is not a point") << std::string("3,5") << 3.0;
        QTest::newRow("second point ends number") << std::string("1.2.3") << 1.2;
        QTest::newRow("leading zeros") << std::string("007") << 7.0;
        QTest::newRow("cyrillic text") << std::string("седем") << 0.0;
        QTest::newRow("fullwidth digits") << std::string("\xef\xbc\x91\xef\xbc\x92") << 0.0;
        QTest::newRow("invalid utf-8 after digits") << std::string("9\xff\xfe") << 9.0;
        QTest::newRow("nul ends number") << std::string("4\0"
                                                        "5",
                                                        3)
                                         << 4.0;
        QTest::newRow("twenty digits") << std::string("99999999999999999999") << 1e20;
        QTest::newRow("too large") << std::string(400, '9') << kInf;
        QTest::newRow("too large negative") << "-" + std::string(400, '9') << -kInf;
        QTest::newRow("too small") << "0." + std::string(400, '0') + "1" << 0.0;
    }
    void textToNumber() {
        QFETCH(std::string, text);
        QFETCH(double, expected);
        QCOMPARE(TextToNumber(text), expected);
    }

    void roundToInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected"); // 99999 stands for "out of range"
        const int out = 99999;
        QTest::newRow("2.5 to even 2") << 2.5 << 2;
        QTest::newRow("3.5 to even 4") << 3.5 << 4;
        QTest::newRow("6.5 to even 6") << 6.5 << 6;
        QTest::newRow("7.5 to even 8") << 7.5 << 8;
        QTest::newRow("0.5 to 0") << 0.5 << 0;
        QTest::newRow("-0.5 to 0") << -0.5 << 0;
        QTest::newRow("-2.5 to -2") << -2.5 << -2;
        QTest::newRow("-3.5 to -4") << -3.5 << -4;
        QTest::newRow("just below half") << 1.4999999 << 1;
        QTest::newRow("just above half") << 2.5000001 << 3;
        QTest::newRow("negative just above half") << -1.5000001 << -2;
        QTest::newRow("largest") << 32767.4 << 32767;
        QTest::newRow("half above largest") << 32767.5 << out;
        QTest::newRow("smallest") << -32768.0 << -32768;
        QTest::newRow("half below smallest goes to even") << -32768.5 << -32768;
        QTest::newRow("below smallest") << -32768.6 << out;
        QTest::newRow("far too large") << 1e300 << out;
        QTest::newRow("infinity") << kInf << out;
        QTest::newRow("minus infinity") << -kInf << out;
        QTest::newRow("not a number") << kNaN << out;
    }
    void roundToInt16() {
        QFETCH(double, value);
        QFETCH(int, expected);
        const auto rounded = RoundToInt16(value);
        if (expected == 99999) {
            QVERIFY(!rounded.has_value());
        } else {
            QVERIFY(rounded.has_value());
            QCOMPARE(int(*rounded), expected);
        }
    }

    void numberToText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<std::string>("expected");
        QTest::newRow("whole") << 7.0 << std::string("7");
        QTest::newRow("negative") << -3.0 << std::string("-3");
        QTest::newRow("zero") << 0.0 << std::string("0");
        QTest::newRow("negative zero") << -0.0 << std::string("0");
        QTest::newRow("fraction") << 7.5 << std::string("7.5");
        QTest::newRow("negative fraction") << -0.25 << std::string("-0.25");
        QTest::newRow("above 16 bits") << 65541.0 << std::string("65541");
        QTest::newRow("no grouping") << 1234567.0 << std::string("1234567");
        QTest::newRow("no exponent") << 1e20 << std::string("100000000000000000000");
        QTest::newRow("shortest fraction") << 0.1 << std::string("0.1");
    }
    void numberToText() {
        QFETCH(double, value);
        QFETCH(std::string, expected);
        QCOMPARE(NumberToText(value), expected);
    }

    // Every 16-bit value survives text and back, and the text has no blank or point.
    void everyInt16RoundTrips() {
        for (int i = -32768; i <= 32767; ++i) {
            const std::string text = NumberToText(i);
            QVERIFY2(text.find_first_of(" .,") == std::string::npos, text.c_str());
            const auto back = RoundToInt16(TextToNumber(text));
            QVERIFY(back.has_value());
            QCOMPARE(int(*back), i);
        }
    }

    // Random bytes, biased towards characters the grammar cares about, never crash
    // and never give NaN; a text that cannot start a number gives 0.
    void randomBytesNeverFail() {
        std::mt19937 random(20261208);
        const std::string interesting = " \t+-.0123456789e,";
        std::uniform_int_distribution<int> length(0, 80);
        std::uniform_int_distribution<int> byte(0, 255);
        std::uniform_int_distribution<int> pick(0, int(interesting.size()) - 1);
        for (int round = 0; round < 200000; ++round) {
            std::string text(std::size_t(length(random)), '\0');
            for (char& c : text)
                c = (byte(random) < 160) ? interesting[std::size_t(pick(random))]
                                         : char(byte(random));
            const double value = TextToNumber(text);
            QVERIFY(!std::isnan(value));
            const auto first = text.find_first_not_of(" \t\r\n\v\f");
            if (first == std::string::npos ||
                std::string("+-.0123456789").find(text[first]) == std::string::npos)
                QCOMPARE(value, 0.0);
            (void)RoundToInt16(value);
            (void)NumberToText(value);
        }
    }

    // The C library's conversions, used where <charconv> has no floating point, agree
    // with it under the Bulgarian locale, whose decimal point is a comma.
    void portableConversionsAgree() {
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
        QVERIFY(std::setlocale(LC_NUMERIC, "bg_BG.UTF-8"));
        QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(","));
#endif
        std::mt19937_64 random(7);
        std::vector<double> values{7, 7.5, 0.1, 1e20, 1234567, 32767.5, 1.0 / 3.0, 2.5e-7};
        for (int i = 0; i < 2000; ++i)
            values.push_back(std::ldexp(double(random() >> 11), int(random() % 80) - 60));
        for (double value : values) {
            const std::string text = ShortestFixed(value);
            QCOMPARE(portable::ShortestFixed(value), text);
            QCOMPARE(portable::DecimalToDouble(text), std::optional<double>(value));
        }
        for (const char* text : {"7,5", "1 234", ""})
            QVERIFY(!portable::DecimalToDouble(text));
        QVERIFY(!portable::DecimalToDouble(std::string(400, '9')));
    }

    void megabyteTexts() {
        QCOMPARE(TextToNumber(std::string(1 << 20, '7')), kInf);
        QCOMPARE(TextToNumber(std::string(1 << 20, ' ')), 0.0);
        const double fraction = TextToNumber("0." + std::string(1 << 20, '3'));
        QVERIFY(std::abs(fraction - 1.0 / 3.0) < 1e-15);
    }
};

QTEST_APPLESS_MAIN(NumberTextTest)
#include "test_number_text.moc"
