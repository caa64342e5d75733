// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_test_support.h"

#include "window/zoom.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace velmora;
using namespace velmora::testing;

namespace {

QWidget* Focused() {
    return QApplication::focusWidget();
}

// A key pressed `times` times on whatever has the focus, as on a real keyboard.
void Press(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QWidget* target = Focused();
        QVERIFY(target);
        QTest::keyClick(target, key);
    }
}

std::unique_ptr<Velmora> OpenActiveWindow() {
    auto window = OpenWindow();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the window never became active");
    return window;
}

double Luminance(QColor c) {
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast between a control's background and any pixel of its text.
double TextContrast(QWidget* control, QColor background) {
    const QImage image = control->grab().toImage().scaled(control->size());
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            best = std::max(best, Contrast(QColor(image.pixel(x, y)), background));
    return best;
}

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::AlternateBase, QColor(40, 40, 40));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    dark.setColor(QPalette::Button, QColor(45, 45, 45));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    return dark;
}

// Where each end of the outline lies on screen, in pixels.
QList<QPointF> EndPointsInPixels(const Velmora& window) {
    const double perTwip = window.zoom() / 100.0 / kTwipsPerPixel;
    QList<QPointF> points;
    for (const Segment& s : window.outline())
        points << QPointF(s.x1, s.y1) * perTwip << QPointF(s.x2, s.y2) * perTwip;
    return points;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    // A whole triangle game and a whole rhombus game without touching the mouse.
    void keyboardOnlyGames() {
        auto window = OpenActiveWindow();
        QCOMPARE(Focused(), Control(*window, "Text1_0"));
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), Control(*window, "Option1_0"));
        Press(Qt::Key_Space);
        QCOMPARE(window->puzzle().figureMode, FigureMode::Triangle);
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), List(*window));
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), StartBox(*window));
        QTest::keyClicks(Focused(), "7");
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), Control(*window, "Command1_0"));
        Press(Qt::Key_Return);
        QCOMPARE(ListItems(*window), QStringList({"7", "8", "9", "10", "11", "12"}));
        Press(Qt::Key_Backtab, 2);
        QCOMPARE(Focused(), List(*window));
        Press(Qt::Key_Space); // the first item is current on entry; Space takes it
        Press(Qt::Key_Down, 5);
        QCOMPARE(Captions(*window, 0), QStringList({"7", "8", "9", "10", "11", "12"}));

        // Back to the options: the arrow key moves to the rhombus and chooses it.
        Press(Qt::Key_Backtab);
        QCOMPARE(Focused(), Control(*window, "Option1_0"));
        Press(Qt::Key_Down);
        QCOMPARE(Focused(), Control(*window, "Option1_1"));
        QCOMPARE(window->puzzle().figureMode, FigureMode::Rhombus);
        Press(Qt::Key_Tab, 3);
        QCOMPARE(Focused(), Control(*window, "Command1_0"));
        Press(Qt::Key_Space);
        QCOMPARE(List(*window)->count(), 8);
        Press(Qt::Key_Backtab, 2);
        Press(Qt::Key_End);
        Press(Qt::Key_Up, 3);
        QCOMPARE(Captions(*window, 1),
                 QStringList({"7 + 14 = 21", "8 + 13 = 21", "9 + 12 = 21", "10 + 11 = 21"}));

        // The clear button from the keyboard too.
        Press(Qt::Key_Tab, 3);
        QCOMPARE(Focused(), Control(*window, "Command1_1"));
        Press(Qt::Key_Enter);
        QCOMPARE(List(*window)->count(), 0);
    }

    void accessibleNames() {
        auto window = OpenWindow();
        const QRegularExpression bulgarian("[А-Яа-я]");
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() || control->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(control->accessibleName().contains(bulgarian),
                     qPrintable(control->objectName()));
        }
        QCOMPARE(TriangleLabel(*window, 1)->accessibleName(), QString("Триъгълник, горен връх"));
        QCOMPARE(RhombusLabel(*window, 3)->accessibleName(), QString("Ромб, десен връх"));
    }

    // A placed number reaches assistive technology through the label's name. (The
    // change event itself is sent only where a platform bridge is listening, which
    // the offscreen platform never is.)
    void captionChangesAreAnnounced() {
        auto window = OpenWindow();
        StartGame(*window, 1, "7");
        QLabel* label = RhombusLabel(*window, 2);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QString("Ромб, долен връх"));
        Click(label);
        QCOMPARE(accessible->text(QAccessible::Name), QString("Ромб, долен връх: 9 + 12 = 21"));
        ClearAllButton(*window);
        QCOMPARE(accessible->text(QAccessible::Name), QString("Ромб, долен връх"));
    }

    // Under a dark desktop palette the text on every coloured background stays dark and
    // the controls with the platform's colours follow the palette as a whole.
    void darkPaletteKeepsTextReadable() {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        auto window = OpenWindow();
        StartGame(*window, 0, "7");
        for (int k = 0; k < 6; ++k)
            Click(TriangleLabel(*window, k));
        const QList<QPair<const char*, QColor>> coloured{
            {"Label1_0", QColor(255, 192, 128)},  {"Label1_2", QColor(255, 192, 128)},
            {"Label3_1", QColor(128, 255, 128)},  {"Option1_0", QColor(128, 128, 255)},
            {"Option1_1", QColor(128, 128, 255)}, {"Command1_0", QColor(0, 255, 0)},
            {"Command1_1", QColor(255, 0, 0)},    {"Frame1", QColor(192, 192, 255)}};
        for (const auto& [name, background] : coloured)
            QVERIFY2(TextContrast(Control(*window, name), background) >= 4.5, name);
        for (const char* name : {"Text1_0", "Text2", "List1"}) {
            const QPalette palette = Control(*window, name)->palette();
            QVERIFY2(Contrast(palette.color(QPalette::Text), palette.color(QPalette::Base)) >= 4.5,
                     name);
        }
        QApplication::setPalette(light);
    }

    // Classroom zoom by its keys: every step scales the window, and the outline still
    // meets its labels.
    void zoomSteps() {
        auto window = OpenActiveWindow();
        ChooseFigure(*window, 1);
        const QList<QPointF> atDesign = EndPointsInPixels(*window);
        QList<int> seen;
        for (std::size_t i = 1; i < kZoomSteps.size() + 1; ++i) {
            QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
            seen << window->zoom();
            const double scale = window->zoom() / 100.0;
            QCOMPARE(window->size(), QSize(qRound(481 * scale), qRound(399 * scale)));
            QCOMPARE(Control(*window, "Label1_0")->font().pointSizeF(), 12 * scale);
            // The outline is anchored on the labels as they are now.
            const QRect top = RhombusLabel(*window, 0)->geometry();
            const QRect left = RhombusLabel(*window, 1)->geometry();
            const QList<QPointF> ends = EndPointsInPixels(*window);
            QCOMPARE(ends[0], QPointF(top.x() + top.width() / 2.0, top.y() + top.height()));
            QCOMPARE(ends[1].x(), double(left.x() + left.width()));
            QVERIFY(std::abs(ends[1].y() - (left.y() + left.height() / 2.0)) <= 0.5);
        }
        QCOMPARE(seen, QList<int>({125, 150, 175, 200, 250, 300, 300}));

        QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(window->zoom(), 250);
        QTest::keyClick(window.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(window->zoom(), 100);
        QCOMPARE(window->size(), QSize(481, 399));
        QCOMPARE(RhombusLabel(*window, 1)->geometry(), QRect(56, 120, 81, 41));
        QCOMPARE(EndPointsInPixels(*window), atDesign);
    }

    void zoomDoublesTheOutline() {
        auto window = OpenWindow();
        ChooseFigure(*window, 0);
        const QList<QPointF> single = EndPointsInPixels(*window);
        QWidget* option = Control(*window, "Option1_0");
        QWidget* statementBar = Control<QPlainTextEdit>(*window, "Text1_0")->verticalScrollBar();
        const int indicator =
            option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
        const int barWidth = statementBar->width();
        window->SetZoom(200);
        // The parts the style draws at a fixed size grow too.
        QCOMPARE(option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option),
                 2 * indicator);
        QCOMPARE(statementBar->width(), 2 * barWidth);
        const QList<QPointF> twice = EndPointsInPixels(*window);
        QCOMPARE(twice.size(), single.size());
        for (int i = 0; i < single.size(); ++i)
            QCOMPARE(twice[i], single[i] * 2);
        // And it is painted there: black at each segment's middle.
        const QImage image = Snapshot(*window);
        for (int i = 0; i < twice.size(); i += 2)
            QVERIFY(BlackNear(image, (twice[i] + twice[i + 1]) / 2));
    }

    // Qt's own texts in Bulgarian where Debian's translations are installed.
    void qtTextsInBulgarian() {
        auto window = OpenWindow();
        QScopedPointer<QMenu> menu(StartBox(*window)->createStandardContextMenu());
        const QString undo = menu->actions().first()->text();
        if (undo == "&Undo")
            QSKIP("Qt's Bulgarian translations are not installed");
        QVERIFY2(undo.contains(QRegularExpression("[А-Яа-я]")), qPrintable(undo));
        QMessageBox box(QMessageBox::Warning, "", "", QMessageBox::Ok);
        QVERIFY(box.button(QMessageBox::Ok)->text() != "OK" &&
                box.button(QMessageBox::Ok)->text() != "&OK");
    }
};

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
