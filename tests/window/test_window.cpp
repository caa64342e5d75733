// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_test_support.h"

#include <QMessageBox>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::Segment)

namespace {

const std::vector<Segment> kRhombusOutline{{3487.5, 1215, 2055, 2108},
                                           {3487.5, 1215, 4920, 2108},
                                           {3487.5, 3000, 2055, 2108},
                                           {3487.5, 3000, 4920, 2108}};
const std::vector<Segment> kTriangleOutline{
    {1320, 2775, 6135, 2775}, {1320, 2775, 3727.5, 855}, {6135, 2775, 3727.5, 855}};

// The point a share `t` of the way along the segment, in pixels.
QPointF PointInPixels(const Segment& s, double t) {
    return {(s.x1 + t * (s.x2 - s.x1)) / kTwipsPerPixel,
            (s.y1 + t * (s.y2 - s.y1)) / kTwipsPerPixel};
}
QPointF MidpointInPixels(const Segment& s) {
    return PointInPixels(s, 0.5);
}

QMessageBox* OpenMessage(const QWidget& w) {
    for (QMessageBox* box : w.findChildren<QMessageBox*>())
        if (box->isVisible())
            return box;
    return nullptr;
}

void SaveScreenshot(QWidget& w, const char* name) {
    const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS");
    if (!folder.isEmpty())
        w.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    // The pupil's typical use, click by click.
    void triangleGame() {
        auto window = OpenWindow();
        StartGame(*window, 0, "7");
        QCOMPARE(ListItems(*window), QStringList({"7", "8", "9", "10", "11", "12"}));

        ClickListItem(*window, 4);
        QCOMPARE(TriangleLabel(*window, 4)->text(), QString("11"));
        Click(TriangleLabel(*window, 1));
        QCOMPARE(TriangleLabel(*window, 1)->text(), QString("8"));

        for (int k : {0, 2, 3, 5})
            Click(TriangleLabel(*window, k));
        const QStringList c = Captions(*window, 0);
        QCOMPARE(QStringList({c[0], c[4], c[2]}), QStringList({"7", "11", "9"}));
        QCOMPARE(QStringList({c[2], c[3], c[1]}), QStringList({"9", "10", "8"}));
        QCOMPARE(QStringList({c[1], c[5], c[0]}), QStringList({"8", "12", "7"}));
        SaveScreenshot(*window, "triangle.png");
    }

    void rhombusGame() {
        auto window = OpenWindow();
        StartGame(*window, 1, "7");
        QCOMPARE(ListItems(*window).size(), 8);
        ClickListItem(*window, 6);
        QCOMPARE(RhombusLabel(*window, 1)->text(), QString("8 + 13 = 21"));
        for (int v = 0; v < 4; ++v)
            Click(RhombusLabel(*window, v));
        QCOMPARE(Captions(*window, 1),
                 QStringList({"7 + 14 = 21", "8 + 13 = 21", "9 + 12 = 21", "10 + 11 = 21"}));
        SaveScreenshot(*window, "rhombus.png");
    }

    // Arrow keys in the list fill like clicks; tabbing in alone fills nothing.
    void keyboardListSelectionFills() {
        auto window = OpenWindow();
        StartGame(*window, 0, "20");
        List(*window)->setFocus(Qt::TabFocusReason);
        QCOMPARE(Captions(*window, 0), QStringList(6, QString()));
        QTest::keyClick(List(*window), Qt::Key_Down);
        QTest::keyClick(List(*window), Qt::Key_Down);
        QTest::keyClick(List(*window), Qt::Key_End);
        // Tabbing in makes the first item current, unselected; each key then selects.
        QCOMPARE(Captions(*window, 0), QStringList({"", "21", "22", "", "", "25"}));
    }

    void outlineAfterFigureChoice_data() {
        QTest::addColumn<int>("figure");
        QTest::addColumn<std::vector<Segment>>("expected");
        QTest::newRow("triangle") << 0 << kTriangleOutline;
        QTest::newRow("rhombus") << 1 << kRhombusOutline;
    }
    void outlineAfterFigureChoice() {
        QFETCH(int, figure);
        QFETCH(std::vector<Segment>, expected);
        auto window = OpenWindow();
        ChooseFigure(*window, figure);
        QVERIFY(window->outline() == expected);
        ChooseFigure(*window, figure); // the same figure again: still one outline
        QVERIFY(window->outline() == expected);
        ChooseFigure(*window, 1 - figure);
        ChooseFigure(*window, figure);
        QVERIFY(window->outline() == expected);

        // Painted where it is stored, and only there.
        QTest::qWait(0);
        const QImage image = Snapshot(*window);
        for (const Segment& s : expected)
            QVERIFY2(BlackNear(image, MidpointInPixels(s)), "no line at a segment's midpoint");
        const auto& other = figure == 0 ? kRhombusOutline : kTriangleOutline;
        for (const Segment& s : other) // a third of the way: clear of the other figure
            QVERIFY2(!BlackNear(image, PointInPixels(s, 0.35)), "the other outline is still there");
    }

    // The outline is kept, not just painted once: it comes back after being covered.
    void outlineSurvivesRepaint() {
        auto window = OpenWindow();
        ChooseFigure(*window, 1);
        window->hide();
        window->showMinimized();
        window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->repaint();
        const QImage image = Snapshot(*window);
        for (const Segment& s : kRhombusOutline)
            QVERIFY(BlackNear(image, MidpointInPixels(s)));
    }

    void figureColoursOnScreen() {
        auto window = OpenWindow();
        ChooseFigure(*window, 0);
        QImage image = Snapshot(*window);
        QCOMPARE(
            QColor(image.pixel(TriangleLabel(*window, 4)->geometry().topLeft() + QPoint(2, 2))),
            QColor(128, 255, 128));
        ChooseFigure(*window, 1);
        image = Snapshot(*window);
        QCOMPARE(QColor(image.pixel(RhombusLabel(*window, 2)->geometry().topLeft() + QPoint(2, 2))),
                 QColor(255, 128, 255));
        // Where the hidden triangle's base label was, the window shows through.
        QCOMPARE(
            QColor(image.pixel(TriangleLabel(*window, 4)->geometry().topLeft() + QPoint(2, 2))),
            QColor(192, 192, 255));
    }

    void figureSwitchEmptiesListAndCaptions() {
        auto window = OpenWindow();
        StartGame(*window, 0, "5");
        QCOMPARE(List(*window)->count(), 6);
        Click(TriangleLabel(*window, 0));
        ChooseFigure(*window, 1);
        QCOMPARE(List(*window)->count(), 0);
        QCOMPARE(StartBox(*window)->text(), QString("5"));
        for (int k = 0; k < 6; ++k)
            QVERIFY(!TriangleLabel(*window, k)->isVisible());
        Compute(*window);
        QCOMPARE(List(*window)->count(), 8);
        ChooseFigure(*window, 0);
        for (int k = 0; k < 6; ++k) {
            QVERIFY(TriangleLabel(*window, k)->isVisible());
            QVERIFY(TriangleLabel(*window, k)->text().isEmpty());
        }
    }

    void clearKeepsFigureAndOutline() {
        auto window = OpenWindow();
        StartGame(*window, 1, "9");
        Click(RhombusLabel(*window, 0));
        ClearAllButton(*window);
        QCOMPARE(List(*window)->count(), 0);
        QVERIFY(StartBox(*window)->text().isEmpty());
        QCOMPARE(Captions(*window, 1), QStringList(4, QString()));
        QVERIFY(Control<QRadioButton>(*window, "Option1_1")->isChecked());
        QVERIFY(RhombusLabel(*window, 0)->isVisible());
        QVERIFY(window->outline() == kRhombusOutline);
        Click(RhombusLabel(*window, 0)); // nothing to place any more
        QVERIFY(RhombusLabel(*window, 0)->text().isEmpty());
    }

    // Only a left click places a number.
    void otherMouseButtonsDoNothing() {
        auto window = OpenWindow();
        StartGame(*window, 0, "7");
        QTest::mouseClick(TriangleLabel(*window, 1), Qt::RightButton);
        QTest::mouseClick(TriangleLabel(*window, 1), Qt::MiddleButton);
        QVERIFY(TriangleLabel(*window, 1)->text().isEmpty());
    }

    // A start number outside 16 bits: a message, and nothing changes.
    void outOfRangeStartShowsMessage() {
        auto window = OpenWindow();
        StartGame(*window, 0, "7");
        Click(TriangleLabel(*window, 0));
        const PuzzleState before = window->puzzle();
        StartBox(*window)->setMaxLength(6);
        TypeStart(*window, "40000");
        QVERIFY(!OpenMessage(*window));
        Compute(*window);
        QMessageBox* message = OpenMessage(*window);
        QVERIFY(message);
        QVERIFY(message->text().contains("32767"));
        QCOMPARE(ListItems(*window), QStringList({"7", "8", "9", "10", "11", "12"}));
        QCOMPARE(TriangleLabel(*window, 0)->text(), QString("7"));
        QVERIFY(window->puzzle().series == before.series);
        message->accept();
        Click(TriangleLabel(*window, 1)); // and the window goes on working
        QCOMPARE(TriangleLabel(*window, 1)->text(), QString("8"));
    }

    // A failure while drawing is reported and leaves the window as it was.
    void drawingFailureKeepsState() {
        auto window = OpenWindow();
        TriangleLabel(*window, 2)->move(360, 3000); // 45000 twips: beyond 16 bits
        ChooseFigure(*window, 0);
        QVERIFY(OpenMessage(*window));
        QCOMPARE(window->puzzle().figureMode, FigureMode::None);
        QVERIFY(window->outline().empty());
        for (int k = 0; k < 6; ++k)
            QVERIFY(!TriangleLabel(*window, k)->isVisible());
        ChooseFigure(*window, 1); // the other figure still works
        QVERIFY(window->outline() == kRhombusOutline);
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
