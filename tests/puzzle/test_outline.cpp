// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/outline.h"

#include <QTest>

#include <limits>
#include <stdexcept>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::Segment)

namespace {

// The labels' places in the layout, in twips.
const std::array<LabelBox, 4> kRhombusLabels{{{2880, 600, 1215, 615},
                                              {840, 1800, 1215, 615},
                                              {2880, 3000, 1215, 615},
                                              {4920, 1800, 1215, 615}}};
const std::array<LabelBox, 3> kTriangleLabels{
    {{1320, 2400, 735, 375}, {3360, 480, 735, 375}, {5400, 2400, 735, 375}}};

} // namespace

class OutlineTest : public QObject {
    Q_OBJECT

  private slots:
    void workedExample_data() {
        QTest::addColumn<bool>("rhombus");
        QTest::addColumn<int>("index");
        QTest::addColumn<Segment>("expected");
        QTest::newRow("rhombus 1") << true << 0 << Segment{3487.5, 1215, 2055, 2108};
        QTest::newRow("rhombus 2") << true << 1 << Segment{3487.5, 1215, 4920, 2108};
        QTest::newRow("rhombus 3") << true << 2 << Segment{3487.5, 3000, 2055, 2108};
        QTest::newRow("rhombus 4") << true << 3 << Segment{3487.5, 3000, 4920, 2108};
        QTest::newRow("triangle 1") << false << 0 << Segment{1320, 2775, 6135, 2775};
        QTest::newRow("triangle 2") << false << 1 << Segment{1320, 2775, 3727.5, 855};
        QTest::newRow("triangle 3") << false << 2 << Segment{6135, 2775, 3727.5, 855};
    }
    void workedExample() {
        QFETCH(bool, rhombus);
        QFETCH(int, index);
        QFETCH(Segment, expected);
        const auto outline =
            rhombus ? RhombusOutline(kRhombusLabels) : TriangleOutline(kTriangleLabels);
        QCOMPARE(outline.size(), rhombus ? std::size_t(4) : std::size_t(3));
        const Segment& got = outline[std::size_t(index)];
        QCOMPARE(got.x1, expected.x1);
        QCOMPARE(got.y1, expected.y1);
        QCOMPARE(got.x2, expected.x2);
        QCOMPARE(got.y2, expected.y2);
    }

    // Only the far end's Y is rounded, halves to even; the near end keeps its fraction.
    void farEndRoundsHalvesToEven_data() {
        QTest::addColumn<double>("sideTop");
        QTest::addColumn<double>("expectedY2");
        QTest::newRow("2106.5 down to 2106") << 1799.0 << 2106.0;
        QTest::newRow("2107.5 up to 2108") << 1800.0 << 2108.0;
        QTest::newRow("2107.75 up to 2108") << 1800.25 << 2108.0;
        QTest::newRow("2107.25 down to 2107") << 1799.75 << 2107.0;
    }
    void farEndRoundsHalvesToEven() {
        QFETCH(double, sideTop);
        QFETCH(double, expectedY2);
        auto labels = kRhombusLabels;
        labels[1].top = sideTop;
        labels[0].top = 600.25; // the near end: 600.25 + 615 stays fractional
        const auto outline = RhombusOutline(labels);
        QCOMPARE(outline[0].y2, expectedY2);
        QCOMPARE(outline[0].y1, 1215.25);
    }

    void fractionalBaseIsNotRounded() {
        auto labels = kTriangleLabels;
        labels[0].top = labels[2].top = 2400.5;
        const auto outline = TriangleOutline(labels);
        QCOMPARE(outline[0].y1, 2775.5);
        QCOMPARE(outline[0].y2, 2776.0); // 2775.5 to even
    }

    void badGeometryThrows() {
        auto far = kTriangleLabels;
        far[2].top = 40000; // the base's far end leaves 16 bits
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, (void)TriangleOutline(far));

        auto broken = kRhombusLabels;
        broken[3].height = std::numeric_limits<double>::quiet_NaN();
        QVERIFY_THROWS_EXCEPTION(std::domain_error, (void)RhombusOutline(broken));

        auto huge = kRhombusLabels;
        huge[0].width = std::numeric_limits<double>::infinity();
        QVERIFY_THROWS_EXCEPTION(std::domain_error, (void)RhombusOutline(huge));
    }
};

QTEST_APPLESS_MAIN(OutlineTest)
#include "test_outline.moc"
