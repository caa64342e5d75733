// SPDX-License-Identifier: GPL-3.0-or-later
// The practice board, played through real mouse, touch and key events.
#include "window_test_support.h"

#include "puzzle/board_view.h"
#include "window/practice_board.h"
#include "window/texts.h"
#include "window/zoom.h"

#include <QAccessible>
#include <QMessageBox>
#include <QPointingDevice>
#include <QScreen>
#include <QToolButton>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::FigureMode)
Q_DECLARE_METATYPE(velmora::Language)

namespace {

// A board of its own size beside a form that is never shown: the form owns the game.
struct Board {
    std::unique_ptr<Velmora> form = std::make_unique<Velmora>();
    std::unique_ptr<PracticeBoard> board = std::make_unique<PracticeBoard>(*form);
};

QString Say(const std::string& text) {
    return QString::fromStdString(text);
}

void ClickOn(QWidget* widget) {
    QVERIFY(widget && widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// The figure from its level, the start typed into «Начало» and «Изчисли» pressed.
std::unique_ptr<Board> OpenBoard(FigureMode figure, QSize size, const QString& start = "7") {
    auto made = std::make_unique<Board>();
    made->form->SetPlayMode(PlayMode::Practice);
    PracticeBoard& board = *made->board;
    board.resize(size);
    board.show();
    if (!QTest::qWaitForWindowExposed(&board))
        qFatal("the board was never exposed");
    ClickOn(board.level(LevelOf(figure) - 1));
    board.startBox()->setFocus();
    board.startBox()->selectAll();
    QTest::keyClicks(board.startBox(), start);
    ClickOn(board.button(BoardCommand::Compute));
    if (board.game().practice.numbers.empty())
        qFatal("compute listed no numbers");
    return made;
}

QStringList PlaceTexts(const PracticeBoard& board) {
    QStringList texts;
    for (int k = 0; board.place(k); ++k)
        texts << board.place(k)->text();
    return texts;
}

QString NameOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QPointingDevice* TouchScreen() {
    static QPointingDevice* device =
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    return device;
}

// One gesture of a pupil's: from a tile or place to a place, a tile or the tray.
enum class Input { MouseDrag, TouchDrag, TapTap, Keys };
struct End {
    char what; // 't' tile, 'p' place, 'r' the tray's free corner, 's' the status
    int index;
};

QWidget* Widget(const PracticeBoard& board, End end) {
    return end.what == 't' ? static_cast<QWidget*>(board.tile(end.index))
                           : static_cast<QWidget*>(board.place(end.index));
}

// The point on the board a gesture ends at: a piece's middle, or the tray beyond its tiles.
QPoint PointOf(const PracticeBoard& board, End end) {
    if (end.what == 's')
        return board.status()->geometry().center();
    if (end.what == 'r') {
        const BoardRect& tray = board.layout().tray;
        for (double x = tray.x + 1; x < tray.Right(); x += 2)
            for (double y = tray.y + 1; y < tray.Bottom(); y += 2)
                if (BoxAt(board.layout().tiles, x, y) < 0)
                    return QPoint(int(x), int(y));
        qFatal("the tray has no room beside its tiles");
    }
    QWidget* widget = Widget(board, end);
    return widget->geometry().center();
}

void Gesture(PracticeBoard& board, Input input, End from, End to) {
    QWidget* source = Widget(board, from);
    const QPoint start = source->geometry().center(), target = PointOf(board, to);
    switch (input) {
    case Input::MouseDrag:
        QTest::mousePress(source, Qt::LeftButton, {}, source->rect().center());
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = start + (target - start) * step / 4;
            QMouseEvent move(QEvent::MouseMove, source->mapFrom(&board, at), board.mapToGlobal(at),
                             Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(source, &move);
        }
        QTest::mouseRelease(source, Qt::LeftButton, {}, source->mapFrom(&board, target));
        break;
    case Input::TouchDrag:
        QTest::touchEvent(&board, TouchScreen()).press(0, start, &board);
        for (int step = 1; step <= 4; ++step)
            QTest::touchEvent(&board, TouchScreen())
                .move(0, start + (target - start) * step / 4, &board);
        QTest::touchEvent(&board, TouchScreen()).release(0, target, &board);
        break;
    case Input::TapTap:
        ClickOn(source);
        ClickOn(Widget(board, to));
        break;
    case Input::Keys:
        source->setFocus();
        QTest::keyClick(source, Qt::Key_Space);
        Widget(board, to)->setFocus();
        QTest::keyClick(Widget(board, to), Qt::Key_Return);
        break;
    }
}

using Moves = QList<QPair<int, int>>; // (tile, place): a number put on the figure first

} // namespace

class PracticeBoardTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    // The triangle from 7: places 0–5; tiles 0–5 are 7–12. Each row puts some numbers on
    // by taps first, then makes one gesture, and ends with the place texts it names.
    void gestures_data() {
        QTest::addColumn<int>("input");
        QTest::addColumn<Moves>("before");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("places");
        const QStringList oneOnTop{"", "9", "", "", "", ""};
        struct Row {
            const char* name;
            Input input;
            Moves before;
            const char *from, *to;
            QStringList places;
        };
        const Row rows[] = {
            {"mouse: tile onto a place", Input::MouseDrag, {}, "t2", "p1", oneOnTop},
            {"touch: tile onto a place", Input::TouchDrag, {}, "t2", "p1", oneOnTop},
            {"taps: tile, then place", Input::TapTap, {}, "t2", "p1", oneOnTop},
            {"taps: place, then tile", Input::TapTap, {}, "p1", "t2", oneOnTop},
            {"keys: tile, then place", Input::Keys, {}, "t2", "p1", oneOnTop},
            {"mouse: placed number swaps",
             Input::MouseDrag,
             {{0, 0}, {5, 2}},
             "p0",
             "p2",
             {"12", "", "7", "", "", ""}},
            {"touch: placed number swaps",
             Input::TouchDrag,
             {{0, 0}, {5, 2}},
             "p0",
             "p2",
             {"12", "", "7", "", "", ""}},
            {"mouse: onto an empty place",
             Input::MouseDrag,
             {{0, 0}},
             "p0",
             "p4",
             {"", "", "", "", "7", ""}},
            {"mouse: back to the tray",
             Input::MouseDrag,
             {{0, 0}, {5, 2}},
             "p2",
             "r0",
             {"7", "", "", "", "", ""}},
            {"touch: back to the tray",
             Input::TouchDrag,
             {{0, 0}, {5, 2}},
             "p2",
             "r0",
             {"7", "", "", "", "", ""}},
            {"mouse: placed tile to another place",
             Input::MouseDrag,
             {{3, 0}},
             "t3",
             "p5",
             {"", "", "", "", "", "10"}},
            {"mouse: dropped on a tile",
             Input::MouseDrag,
             {{3, 0}},
             "p0",
             "t1",
             {"", "", "", "", "", ""}},
            {"mouse: dropped on the status",
             Input::MouseDrag,
             {{3, 0}},
             "p0",
             "s0",
             {"10", "", "", "", "", ""}},
        };
        for (const Row& row : rows)
            QTest::newRow(row.name)
                << int(row.input) << row.before << row.from << row.to << row.places;
    }
    void gestures() {
        QFETCH(int, input);
        QFETCH(Moves, before);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, places);
        auto made = OpenBoard(FigureMode::Triangle, {1024, 768});
        PracticeBoard& board = *made->board;
        for (const auto& [tile, place] : before)
            Gesture(board, Input::TapTap, {'t', tile}, {'p', place});
        const auto end = [](const QString& text) {
            return End{text[0].toLatin1(), text.mid(1).toInt()};
        };
        Gesture(board, Input(input), end(from), end(to));
        QCOMPARE(PlaceTexts(board), places);
        // The tiles say where their numbers are, struck through once placed.
        for (int i = 0; board.tile(i); ++i) {
            const int at = places.indexOf(board.tile(i)->text());
            QCOMPARE(board.tile(i)->font().strikeOut(), at >= 0);
            QCOMPARE(NameOf(board.tile(i)).contains(", на фигурата: "), at >= 0);
        }
        QCOMPARE(board.status()->text(), Say(StatusOf(board.game())));
    }

    // The arrows go round the places in reading order (rows from the top, each from the
    // left) and along the tiles; Enter and Space tap; Delete gives a place's number back.
    void keys_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<QList<int>>("reading");
        QTest::newRow("triangle") << FigureMode::Triangle << QList<int>{1, 5, 3, 0, 4, 2};
        QTest::newRow("rhombus") << FigureMode::Rhombus << QList<int>{0, 1, 3, 2};
    }
    void keys() {
        QFETCH(FigureMode, figure);
        QFETCH(QList<int>, reading);
        auto made = OpenBoard(figure, {1024, 768});
        PracticeBoard& board = *made->board;
        // Tab from the start box reaches «Изчисли», then the first tile.
        board.startBox()->setFocus();
        QTest::keyClick(board.startBox(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), board.button(BoardCommand::Compute));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), board.tile(0));
        const int count = int(board.game().practice.numbers.size());
        QTest::keyClick(board.tile(0), Qt::Key_Left); // round to the last tile
        QCOMPARE(QApplication::focusWidget(), board.tile(count - 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // picked
        QVERIFY(NameOf(QApplication::focusWidget()).endsWith(", избрано"));
        board.place(reading.front())->setFocus();
        QList<int> visited;
        for (int i = 0; i < reading.size(); ++i) {
            visited << QApplication::focusWidget()->objectName().section('_', 1).toInt();
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Down : Qt::Key_Right);
        }
        QCOMPARE(visited, reading);
        QCOMPARE(QApplication::focusWidget(), board.place(reading.front())); // round again
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), board.place(reading.back()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the picked number
        const QString last = board.tile(count - 1)->text();
        QCOMPARE(board.place(reading.back())->text(), last);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(board.place(reading.back())->text(), QString());
        QCOMPARE(PlaceTexts(board), QStringList(reading.size(), ""));
    }

    // A board not on show (the demonstration's window) does no work for the form's clicks:
    // the levels' titles cost every figure's sums. Shown, it catches up at once.
    void hiddenBoardWaits() {
        Board made;
        made.form->SetPlayMode(PlayMode::Practice);
        made.form->ChooseFigure(FigureMode::Triangle);
        made.form->Play([](const Game& game) { return TypeStartText(game, "7"); });
        made.form->ComputeSeries();
        QVERIFY(made.board->view().levels.empty() && made.board->place(0) == nullptr);
        made.board->resize(360, 640);
        made.board->show();
        QVERIFY(QTest::qWaitForWindowExposed(made.board.get()));
        QCOMPARE(made.board->tile(0)->text(), QString("7"));
        QVERIFY(made.board->place(5)->isVisible());
    }

    // «Начало» takes three digits: a fourth is refused and the status says why; the next
    // move clears the note.
    void startBoxRefusesFourthDigit() {
        auto made = OpenBoard(FigureMode::Triangle, {1024, 768}, "12");
        PracticeBoard& board = *made->board;
        board.startBox()->setFocus();
        board.startBox()->end(false);
        QTest::keyClicks(board.startBox(), "34");
        QCOMPARE(board.startBox()->text(), QString("123"));
        QCOMPARE(board.game().puzzle.startText, std::string("123"));
        QCOMPARE(board.status()->text(), Say(EditStartBox("123", "1234").note));
        QVERIFY(!board.status()->text().isEmpty());
        ClickOn(board.button(BoardCommand::Compute));
        QCOMPARE(board.tile(0)->text(), QString("123"));
        QCOMPARE(board.status()->text(), Say(StatusOf(board.game())));
    }

    // Another level or compute, with numbers on the figure, asks first: «Не» keeps them.
    void losingNumbersAsksFirst_data() {
        QTest::addColumn<bool>("level");
        QTest::addColumn<bool>("yes");
        for (bool level : {true, false})
            for (bool yes : {false, true})
                QTest::addRow("%s, %s", level ? "level" : "compute", yes ? "yes" : "no")
                    << level << yes;
    }
    void losingNumbersAsksFirst() {
        QFETCH(bool, level);
        QFETCH(bool, yes);
        auto made = OpenBoard(FigureMode::Triangle, {1024, 768});
        PracticeBoard& board = *made->board;
        ClickOn(board.tile(0));
        ClickOn(board.place(0));
        ClickOn(level ? static_cast<QWidget*>(board.level(LevelOf(FigureMode::Star) - 1))
                      : board.button(BoardCommand::Compute));
        auto* question = board.findChild<QMessageBox*>("LosePlacementQuestion");
        QVERIFY(question && question->isVisible());
        QCOMPARE(question->text(), Say(LosePlacementQuestion()));
        QCOMPARE(question->defaultButton(), question->button(QMessageBox::No));
        ClickOn(question->button(yes ? QMessageBox::Yes : QMessageBox::No));
        QCOMPARE(board.game().puzzle.figureMode,
                 level && yes ? FigureMode::Star : FigureMode::Triangle);
        QCOMPARE(board.place(0)->text(), QString(yes ? "" : "7"));
        QVERIFY(board.level(LevelOf(FigureMode::Triangle) - 1)->isChecked() != (level && yes));
    }

    // Every figure with its widest numbers (from 999), every line off, on a phone held
    // upright, a 1024 × 768 projector and a full-HD board: each place and tile a finger's
    // size, its number whole, every part on the board and clear of the others.
    // The same in the test language, every text 40 % longer, on the window's board at
    // 100 % and presenting on a projector and a full-HD board: it makes room for them.
    void laidOut_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Language>("language");
        const auto rows = [](Language language, std::initializer_list<QSize> sizes) {
            for (const Figure& figure : Figures())
                for (QSize size : sizes)
                    QTest::addRow("%s %dx%d%s", figure.key.c_str(), size.width(), size.height(),
                                  language == Language::Pseudo ? " pseudo" : "")
                        << figure.mode << size << language;
        };
        rows(Language::Bulgarian, {QSize(360, 640), QSize(1024, 768), QSize(1920, 1080)});
        rows(Language::Pseudo, {QSize(720, 560), QSize(1024, 768), QSize(1920, 1080)});
    }
    void laidOut() {
        QFETCH(FigureMode, figure);
        QFETCH(QSize, size);
        QFETCH(Language, language);
        const LanguageScope speaking(language);
        auto made = OpenBoard(figure, size, "999");
        PracticeBoard& board = *made->board;
        std::vector<int> wrong = Solutions(board.game().practice).front();
        std::reverse(wrong.begin(), wrong.end());
        std::rotate(wrong.begin(), wrong.begin() + 1, wrong.end());
        const int perPlace = FigureOf(figure).cellsPerPlace;
        for (std::size_t slot = 0; slot < wrong.size(); ++slot)
            made->form->Play([&](const Game& game) {
                return DropNumber(game, wrong[slot], int(slot) / perPlace);
            });
        QVERIFY(Judge(board.game().practice).kind != VerdictKind::Incomplete);
        QList<QWidget*> parts;
        for (QWidget* part : board.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (part->isVisible())
                parts << part;
        QList<QPushButton*> pieces;
        for (int i = 0; board.place(i) || board.tile(i); ++i)
            for (QPushButton* piece : {board.place(i), board.tile(i)})
                if (piece)
                    pieces << piece;
        QCOMPARE(pieces.size(), int(board.game().practice.numbers.size() +
                                    board.game().practice.placed.size() / perPlace));
        QSize smallest(100000, 100000);
        for (QPushButton* piece : pieces)
            smallest = smallest.boundedTo(piece->size());
        qInfo("smallest place or tile %dx%d, place font %d px", smallest.width(), smallest.height(),
              board.place(0)->font().pixelSize());
        for (QPushButton* piece : pieces) {
            QVERIFY2(piece->isVisible() && piece->width() >= 48 && piece->height() >= 48,
                     qPrintable(piece->objectName()));
            const QRect text = piece->fontMetrics().boundingRect(piece->text());
            QVERIFY2(text.width() + 4 <= piece->width() && text.height() <= piece->height(),
                     qPrintable(piece->objectName() + " cuts " + piece->text()));
        }
        // Every label whole: the buttons' wrapped between words, the status's too.
        QList<QPair<QWidget*, QString>> texts{{board.status(), board.status()->text()}};
        for (const BoardButton& laid : board.layout().buttons)
            texts.append({board.button(laid.command), board.button(laid.command)->text()});
        for (const auto& [part, text] : texts) {
            const int border = part == board.status() ? 0 : 2;
            const QRect room = part->rect().adjusted(border, border, -border, -border);
            const QRect needs =
                part->fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
            QVERIFY2(room.contains(needs), qPrintable(part->objectName() + " cuts " + text));
        }
        for (QWidget* part : parts) {
            QVERIFY2(board.rect().contains(part->geometry()), qPrintable(part->objectName()));
            for (QWidget* other : parts)
                QVERIFY2(other == part || !other->geometry().intersects(part->geometry()),
                         qPrintable(part->objectName() + " over " + other->objectName()));
        }
        if (language != Language::Bulgarian)
            QVERIFY2(board.status()->text().contains("ŵ"), qPrintable(board.status()->text()));
        if (const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(
                board.grab().save(QStringLiteral("%1/board-%2-%3x%4.png")
                                      .arg(QString::fromLocal8Bit(folder),
                                           Say(FigureOf(figure).key) +
                                               (language == Language::Bulgarian ? "" : "-pseudo"))
                                      .arg(size.width())
                                      .arg(size.height())));
    }

    // Delete and Backspace give a number back from its place or from its struck-through
    // tile, on every figure, and nothing else moves; on a free tile they change nothing.
    void deleteGivesBack_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onTile");
        for (const Figure& figure : Figures())
            for (int key : {int(Qt::Key_Delete), int(Qt::Key_Backspace)})
                for (bool onTile : {false, true})
                    QTest::addRow("%s, %s on a %s", figure.key.c_str(),
                                  key == Qt::Key_Delete ? "Delete" : "Backspace",
                                  onTile ? "tile" : "place")
                        << figure.mode << key << onTile;
    }
    void deleteGivesBack() {
        QFETCH(FigureMode, figure);
        QFETCH(int, key);
        QFETCH(bool, onTile);
        auto made = OpenBoard(figure, {1024, 768});
        PracticeBoard& board = *made->board;
        const int cells = SlotCount(figure);
        for (int slot = 0; slot < cells; ++slot) // number i on slot i
            Gesture(board, Input::TapTap, {'t', slot}, {'p', PositionOfSlot(figure, slot)});
        // The last slot's number: the one its place gives back.
        const int number = cells - 1, place = PositionOfSlot(figure, cells - 1);
        std::vector<int> expected = board.game().practice.placed;
        expected[std::size_t(cells - 1)] = kEmpty;
        QWidget* piece = onTile ? static_cast<QWidget*>(board.tile(number)) : board.place(place);
        piece->setFocus();
        QTest::keyClick(piece, Qt::Key(key));
        QCOMPARE(board.game().practice.placed, expected);
        QVERIFY(!board.tile(number)->font().strikeOut());
        board.tile(number)->setFocus();
        QTest::keyClick(board.tile(number), Qt::Key(key));
        QCOMPARE(board.game().practice.placed, expected);
    }

    // A press let go off its tile or place, before it became a drag, is no tap: a finger
    // that slid off changed its mind. Let go on it, it is one.
    void pressLetGoElsewhere_data() {
        QTest::addColumn<bool>("onTile");
        QTest::addColumn<bool>("inside");
        for (bool onTile : {true, false})
            for (bool inside : {true, false})
                QTest::addRow("%s, let go %s", onTile ? "tile" : "place",
                              inside ? "on it" : "beside it")
                    << onTile << inside;
    }
    void pressLetGoElsewhere() {
        QFETCH(bool, onTile);
        QFETCH(bool, inside);
        auto made = OpenBoard(FigureMode::Triangle, {1024, 768});
        PracticeBoard& board = *made->board;
        QPushButton* piece = onTile ? board.tile(2) : board.place(1);
        const Game before = board.game();
        // Beside it: two pixels past its right edge, well short of a drag's distance.
        const QPoint at(piece->width() - 2, piece->height() / 2);
        QVERIFY(QApplication::startDragDistance() > 4);
        QTest::mousePress(piece, Qt::LeftButton, {}, at);
        QTest::mouseRelease(piece, Qt::LeftButton, {}, inside ? at : at + QPoint(4, 0));
        const Practice& now = board.game().practice;
        QCOMPARE(onTile ? now.pickedNumber : now.pickedPosition,
                 inside ? (onTile ? 2 : 1) : kEmpty);
        if (!inside)
            QVERIFY(board.game() == before);
    }
};

QTEST_MAIN(PracticeBoardTest)
#include "test_practice_board.moc"
