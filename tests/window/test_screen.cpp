// SPDX-License-Identifier: GPL-3.0-or-later
// What a pupil sees, checked where the faults would show: on the screen itself (not a
// fresh rendering), after zooming, and when the mouse slides off before it is released.
// What a screen reader hears is checked on the real accessibility bus.

#include "window_test_support.h"

#include "window/zoom.h"

#include <QScreen>

using namespace velmora;
using namespace velmora::testing;

namespace {

// What the screen holds of the figure's area against a fresh rendering of it.
int StaleFigurePixels(QWidget& window) {
    QCoreApplication::processEvents();
    const QImage onScreen =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage fresh = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Above the statement, whose caret blinks.
    const int bottom = Control(window, "Text1_0")->y();
    int stale = 0;
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < window.width(); ++x)
            stale += onScreen.pixel(x, y) != fresh.pixel(x, y);
    return stale;
}

bool TextFits(const QLabel* label) {
    const QRect box = label->contentsRect();
    return box.contains(
        QFontMetrics(label->font())
            .boundingRect(box, int(label->alignment()) | Qt::TextWordWrap, label->text()));
}

} // namespace

class ScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    // Each switch of figure, at 100 % and zoomed: the old outline leaves the screen.
    void switchingRepaintsTheScreen_data() {
        QTest::addColumn<int>("zoom");
        QTest::newRow("100") << 100;
        QTest::newRow("200") << 200;
    }
    void switchingRepaintsTheScreen() {
        QFETCH(int, zoom);
        auto window = OpenWindow();
        window->SetZoom(zoom);
        for (int figure : {0, 1, 0, 0, 1, 1, 0}) {
            ChooseFigure(*window, figure);
            QCOMPARE(StaleFigurePixels(*window), 0);
        }
    }

    // Captions already placed stay whole at every zoom step, widest numbers included.
    void captionsWholeAfterZoom_data() {
        QTest::addColumn<int>("zoom");
        for (int step : kZoomSteps)
            QTest::addRow("%d", step) << step;
    }
    void captionsWholeAfterZoom() {
        QFETCH(int, zoom);
        auto window = OpenWindow();
        for (int figure : {0, 1}) {
            window->SetZoom(100);
            StartGame(*window, figure, "999");
            for (int row = 0; row < List(*window)->count(); ++row)
                ClickListItem(*window, row);
            window->SetZoom(zoom);
            for (int i = 0; i < (figure == 0 ? 6 : 4); ++i) {
                QLabel* label = figure == 0 ? TriangleLabel(*window, i) : RhombusLabel(*window, i);
                QVERIFY(!label->text().isEmpty());
                QVERIFY2(TextFits(label), qPrintable(label->text()));
            }
        }
    }

    // A pupil who presses on a place and slides off before releasing places nothing;
    // pressing and releasing on it places the number.
    void slidingOffCancels_data() {
        QTest::addColumn<int>("figure");
        QTest::newRow("triangle") << 0;
        QTest::newRow("rhombus") << 1;
    }
    void slidingOffCancels() {
        QFETCH(int, figure);
        auto window = OpenWindow();
        StartGame(*window, figure, "7");
        QLabel* place = figure == 0 ? TriangleLabel(*window, 1) : RhombusLabel(*window, 1);
        QTest::mousePress(place, Qt::LeftButton, {}, place->rect().center());
        QTest::mouseRelease(place, Qt::LeftButton, {}, place->rect().bottomRight() + QPoint(5, 5));
        QCOMPARE(place->text(), QString());
        QTest::mousePress(place, Qt::LeftButton, {}, place->rect().center());
        QCOMPARE(place->text(), QString()); // nothing on the press alone
        QTest::mouseRelease(place, Qt::LeftButton, {}, place->rect().center());
        QVERIFY(!place->text().isEmpty());
    }

    // A figure that cannot be drawn leaves the one on show as it was, on screen too.
    void failedDrawingKeepsTheOutlineOnShow() {
        auto window = OpenWindow();
        ChooseFigure(*window, 0);
        const std::vector<Segment> triangle = window->outline();
        RhombusLabel(*window, 1)->move(56, 3000); // its middle, 45000 twips: beyond 16 bits
        ChooseFigure(*window, 1);
        QCOMPARE(window->puzzle().figureMode, FigureMode::Triangle);
        QVERIFY(window->outline() == triangle);
        QVERIFY(TriangleLabel(*window, 0)->isVisible());
        QVERIFY(!RhombusLabel(*window, 0)->isVisible());
        const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
        for (const Segment& s : triangle)
            QVERIFY(
                BlackNear(shown, QPointF((s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2) / kTwipsPerPixel));
    }
};

QTEST_MAIN(ScreenTest)
#include "test_screen.moc"
