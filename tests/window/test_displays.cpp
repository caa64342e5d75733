// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a classroom's displays: run on a real X server (Xvfb) of a given size
// and DPI by run_displays.sh, once per display. Every zoom step offered keeps the whole
// window on the screen, the presentation fills it with the outline still meeting its
// labels, and no fixed text or list item is cut.

#include "board_test_support.h"
#include "window_test_support.h"

#include "window/language.h"
#include "window/main_window.h"
#include "window/zoom.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

using namespace velmora;
using namespace velmora::testing;

namespace {
QString JoinZooms(const QList<int>& zooms) {
    QStringList texts;
    for (int zoom : zooms)
        texts << QString::number(zoom);
    return texts.join(", ");
}
} // namespace

namespace {

// The room a fixed text has inside its control.
int Room(const QWidget* control) {
    const QStyle* style = control->style();
    if (auto* option = qobject_cast<const QRadioButton*>(control))
        return option->width() -
               style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) -
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
    if (qobject_cast<const QPushButton*>(control))
        return control->width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    if (qobject_cast<const QGroupBox*>(control))
        return control->width() - 16;
    return static_cast<const QLabel*>(control)->contentsRect().width();
}

QString TextOf(const QWidget* control) {
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return static_cast<const QLabel*>(control)->text();
}

// Every fixed text and list item whole: returns the first cut one, or "".
QString CutText(const Velmora& form) {
    for (const char* name : {"Label1_0", "Label1_1", "Label1_2", "Frame1", "Option1_0", "Option1_1",
                             "Command1_0", "Command1_1"}) {
        const QWidget* control = Control(form, name);
        if (control->fontMetrics().horizontalAdvance(TextOf(control)) > Room(control))
            return name;
    }
    const QListWidget* list = List(form);
    for (int row = 0; row < list->count(); ++row)
        if (QFontMetrics(list->font()).horizontalAdvance(list->item(row)->text()) >
            list->viewport()->width() - 4)
            return list->item(row)->text();
    return {};
}

// Each end of the outline meets its label's edge within one device pixel, and is
// painted black there.
void CheckOutline(Velmora& form) {
    const double perTwip = form.scale() / kTwipsPerPixel;
    const bool triangle = form.puzzle().shownFigure == FigureMode::Triangle;
    const QRect a = (triangle ? TriangleLabel(form, 0) : RhombusLabel(form, 0))->geometry();
    const Segment first = form.outline().front();
    const QPointF start(first.x1 * perTwip, first.y1 * perTwip);
    const QPointF expected = triangle ? QPointF(a.x(), a.y() + a.height())
                                      : QPointF(a.x() + a.width() / 2.0, a.y() + a.height());
    const double devicePixel = 1.0 / form.devicePixelRatioF();
    QVERIFY2(std::abs(start.x() - expected.x()) <= devicePixel + 0.5 &&
                 std::abs(start.y() - expected.y()) <= devicePixel + 0.5,
             qPrintable(QString("%1,%2").arg(start.x()).arg(start.y())));
    // In device pixels: a line one pixel wide may not survive scaling the image down.
    const QImage image = form.grab().toImage();
    const double ratio = image.width() / double(form.width());
    for (const Segment& s : form.outline()) {
        const QPointF middle = QPointF((s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2) * perTwip * ratio;
        bool black = false;
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                black |= IsBlack(image.pixel(int(middle.x()) + dx, int(middle.y()) + dy));
        QVERIFY(black);
    }
}

} // namespace

class DisplaysTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        PrepareTestApplication();
        qInfo("screen %dx%d, available %dx%d, logical DPI %.0f, device pixel ratio %.2f",
              QGuiApplication::primaryScreen()->size().width(),
              QGuiApplication::primaryScreen()->size().height(),
              QGuiApplication::primaryScreen()->availableSize().width(),
              QGuiApplication::primaryScreen()->availableSize().height(),
              QGuiApplication::primaryScreen()->logicalDotsPerInch(),
              QGuiApplication::primaryScreen()->devicePixelRatio());
    }

    // From 100 % up, as far as the menu lets the teacher go: always on screen, texts
    // whole, and the step it refuses would not have fitted.
    void zoomStepsStayOnScreen() {
        auto window = OpenMainWindow();
        StartGame(window->form(), 1, "999");
        const QRect free = window->screen()->availableGeometry();
        QAction* zoomIn = MenuItem(*window, "&Изглед", "&Увеличи");
        for (;;) {
            QCoreApplication::processEvents();
            QVERIFY2(free.contains(window->frameGeometry()),
                     qPrintable(QString("at %1 %").arg(window->form().zoom())));
            QCOMPARE(CutText(window->form()), QString());
            if (!zoomIn->isEnabled())
                break;
            zoomIn->trigger();
        }
        const int largest = window->form().zoom();
        const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), largest);
        // The refused step is really too large: the bars and the status line grow with it.
        const int bars = window->height() - window->menuBar()->height() - window->form().height();
        if (next != kZoomSteps.end())
            QVERIFY(qRound(399 * *next / 100.0) + window->menuBar()->height() +
                            bars * *next / largest >
                        free.height() ||
                    qRound(481 * *next / 100.0) > free.width());
        qInfo("largest zoom offered: %d %%", largest);
    }

    // A zoom too large for the screen, asked on the command line, is lowered and said.
    void commandLineZoomIsLowered() {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELMORA_REPORT_FIRST_FRAME", "1");
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VELMORA_EXECUTABLE), {"--zoom", "300"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        const QString report = QString::fromUtf8(program.readAllStandardOutput()).trimmed();
        const QStringList size = report.section(' ', 1).split('x');
        const QSize free = QGuiApplication::primaryScreen()->availableSize();
        QVERIFY2(size.value(0).toInt() <= free.width() && size.value(1).toInt() <= free.height(),
                 qPrintable(report));
        const QStringList said = QString::fromUtf8(program.readAllStandardError())
                                     .split('\n', Qt::SkipEmptyParts)
                                     .filter("velmora:");
        if (size.value(0).toInt() < 3 * 481) {
            QCOMPARE(said.size(), 1);
            QVERIFY(said.first().startsWith("velmora: мащаб 300 % не се побира"));
        }
    }

    // F11: the form as large as the screen allows, centred, both figures drawn right,
    // every text whole; Esc: back to the zoom it had.
    void presentationFillsTheScreen() {
        auto window = OpenMainWindow();
        Velmora& form = window->form();
        StartGame(form, 0, "999");
        QTest::keySequence(window.get(), QKeySequence(Qt::Key_F11));
        QTRY_VERIFY(window->presenting() && window->isFullScreen());
        const QSize screen = window->screen()->size();
        QTRY_COMPARE(window->size(), screen);
        const QSize room = window->centralWidget()->size();
        QVERIFY2(std::abs(form.width() - room.width()) <= 2 ||
                     std::abs(form.height() - room.height()) <= 2,
                 qPrintable(QString("%1x%2 in %3x%4")
                                .arg(form.width())
                                .arg(form.height())
                                .arg(room.width())
                                .arg(room.height())));
        QVERIFY(std::abs(form.x() * 2 + form.width() - room.width()) <= 2); // centred
        CheckOutline(form);
        QCOMPARE(CutText(form), QString());
        StartGame(form, 1, "999");
        CheckOutline(form);
        QCOMPARE(CutText(form), QString());
        if (const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS"); !folder.isEmpty()) {
            MenuItem(*window, "&Режим", "&Упражнение")->trigger();
            StartGame(form, 1, "7");
            for (int row : {0, 7, 1, 6, 2}) // a game under way
                ClickListItem(form, row), Click(RhombusLabel(form, row == 1 || row == 6 ? 1
                                                                   : row == 2           ? 2
                                                                                        : 0));
            QTest::qWait(300); // on the X server, not only in Qt
            window->screen()->grabWindow(0).save(QString::fromLocal8Bit(folder) +
                                                 "/presentation.png");
        }
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!window->isFullScreen());
        QCOMPARE(form.zoom(), 100);
        QVERIFY(window->menuBar()->isVisible());
    }

    // In practice the window is sized for the board and stays on its screen after a move
    // and at every zoom step the keys offer; the board takes what the bars leave, its
    // places and tiles a finger's size.
    void practiceWindowOnScreen() {
        auto window = OpenMainWindow(PlayMode::Practice);
        PracticeBoard& board = window->board();
        StartBoard(board, FigureMode::Star, "7");
        const QRect free = window->screen()->availableGeometry();
        window->move(free.topLeft());
        QTRY_COMPARE(window->pos(), free.topLeft());
        QList<int> zooms;
        for (int step = 0; step <= int(kZoomSteps.size()); ++step) {
            QVERIFY2(free.contains(window->frameGeometry()),
                     qPrintable(QString("zoom %1: %2x%3")
                                    .arg(window->form().zoom())
                                    .arg(window->width())
                                    .arg(window->height())));
            QCOMPARE(board.width(), window->width());
            // A screen lower than a phone's (853 × 480 at 150 %) leaves the core less room.
            const bool roomy = board.width() >= 560 && board.height() >= 560;
            for (int i = 0; roomy && (board.place(i) || board.tile(i)); ++i)
                for (QWidget* piece :
                     {static_cast<QWidget*>(board.place(i)), static_cast<QWidget*>(board.tile(i))})
                    QVERIFY(!piece || (piece->width() >= 48 && piece->height() >= 48));
            zooms << window->form().zoom();
            QTest::keySequence(window.get(), QKeySequence::ZoomIn);
        }
        qInfo("practice window at %s %%", qPrintable(JoinZooms(zooms)));
        QCOMPARE(zooms.first(), 100);
    }

    // Presenting practice, the board fills the screen below the mode bar: every part of it
    // on the screen, the places and tiles a finger's size wherever the screen leaves room
    // for them, the mode buttons and the way out beside it. Leaving puts the window back
    // where it was, at its size.
    void presentationKeepsAllOnScreen() {
        auto window = OpenMainWindow(PlayMode::Practice);
        window->move(window->screen()->availableGeometry().topLeft() + QPoint(30, 20));
        QTRY_COMPARE(window->pos(),
                     window->screen()->availableGeometry().topLeft() + QPoint(30, 20));
        const QRect before = window->geometry();
        PracticeBoard& board = window->board();
        StartBoard(board, FigureMode::Star, "7");
        QTest::keySequence(window.get(), QKeySequence(Qt::Key_F11));
        QTRY_VERIFY(window->isFullScreen());
        const QRect screen = window->screen()->geometry();
        QTRY_COMPARE(window->geometry(), screen);
        const auto onScreen = [](const QWidget* part) {
            return QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
        };
        const QRect area = onScreen(&board);
        qInfo("full screen %dx%d, board %dx%d", window->width(), window->height(), area.width(),
              area.height());
        QVERIFY(screen.contains(area));
        QCOMPARE(area.width(), screen.width());
        QCOMPARE(area.bottom(), screen.bottom());
        const bool roomy = area.width() >= 560 && area.height() >= 560;
        for (QWidget* part : board.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (part->isVisible()) {
                QVERIFY2(area.contains(onScreen(part)), qPrintable(part->objectName()));
                if (qobject_cast<QAbstractButton*>(part) && roomy)
                    QVERIFY2(part->width() >= 48 && part->height() >= 48,
                             qPrintable(part->objectName()));
            }
        QToolButton* leave = nullptr; // the last one
        int found = 0;
        for (const QString text : {"Показване", "Упражнение", "Изход от цял екран"})
            for (QToolButton* button : window->findChildren<QToolButton*>())
                if (QString(button->text()).remove('&') == text) {
                    const QRect place = onScreen(button);
                    QVERIFY2(button->isVisible() && screen.contains(place) &&
                                 !place.intersects(area) &&
                                 (screen.height() < 768 || place.height() >= 40),
                             qPrintable(text));
                    leave = button;
                    ++found;
                }
        QCOMPARE(found, 3);
        if (const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(window->grab().save(QStringLiteral("%1/board-presentation-%2x%3.png")
                                            .arg(QString::fromLocal8Bit(folder))
                                            .arg(screen.width())
                                            .arg(screen.height())));
        Click(leave);
        QTRY_VERIFY(!window->isFullScreen());
        QTRY_COMPARE(window->geometry(), before);
    }

    // In the test language, every text 40 % longer: the window at 100 % on the screen with
    // every menu and bar button on show, then presenting both modes: the form's texts whole,
    // every bar button on show, the board on the screen.
    void testLanguageOnEveryDisplay() {
        struct Back {
            ~Back() { UseLanguage(Language::Bulgarian); }
        } back;
        UseLanguage(Language::Pseudo);
        auto window = OpenMainWindow();
        Velmora& form = window->form();
        StartGame(form, 0, "999");
        const auto overflowing = [&window] {
            QStringList hidden;
            for (const QWidget* extension : window->findChildren<QWidget*>())
                if (extension->objectName().endsWith("_ext_button") && extension->isVisible())
                    hidden << extension->parentWidget()->objectName();
            return hidden;
        };
        QCoreApplication::processEvents();
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        QCOMPARE(overflowing(), QStringList());
        QTest::keySequence(window.get(), QKeySequence(Qt::Key_F11));
        QTRY_VERIFY(window->isFullScreen());
        QTRY_COMPARE(window->size(), window->screen()->size());
        QCoreApplication::processEvents();
        QCOMPARE(CutText(form), QString());
        QCOMPARE(overflowing(), QStringList());
        QTest::keySequence(window.get(), QKeySequence("Ctrl+2"));
        StartBoard(window->board(), FigureMode::Star, "999");
        QCoreApplication::processEvents();
        QCOMPARE(overflowing(), QStringList());
        const QRect screen = window->screen()->geometry();
        for (QWidget* part : window->board().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (part->isVisible())
                QVERIFY2(screen.contains(QRect(part->mapToGlobal(QPoint()), part->size())),
                         qPrintable(part->objectName()));
        if (const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS"); !folder.isEmpty())
            window->grab().save(QStringLiteral("%1/pseudo-presentation-%2x%3.png")
                                    .arg(QString::fromLocal8Bit(folder))
                                    .arg(screen.width())
                                    .arg(screen.height()));
    }
};

QTEST_MAIN(DisplaysTest)
#include "test_displays.moc"
