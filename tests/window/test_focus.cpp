// SPDX-License-Identifier: GPL-3.0-or-later
// Where the keyboard focus goes when a menu, a popup or a dialog closes, by every way it
// closes. Run on an X server of its own (Xvfb, no window manager) by CTest; the keys and
// clicks go in through the X server's XTEST extension, as xdotool's do, so the X server
// routes them as a real keyboard's and mouse's, and the window manager's close (Alt+F4,
// the title bar's ×) is the WM_DELETE_WINDOW message a window manager sends.

#include "board_test_support.h"
#include "window_test_support.h"

#include "window/worksheet_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <sys/uio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

// The X server's side: input through its XTEST extension, as xdotool and a real keyboard
// and mouse give it; the input focus it holds; and the window manager's close.
class XServer {
  public:
    XServer()
        : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_))
            qFatal("no X server: the focus test runs on one of its own (xvfb-run)");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        first_ = setup->min_keycode;
        auto* map = xcb_get_keyboard_mapping_reply(
            connection_,
            xcb_get_keyboard_mapping(connection_, first_,
                                     uint8_t(setup->max_keycode - setup->min_keycode + 1)),
            nullptr);
        if (!map)
            qFatal("no keyboard mapping");
        perCode_ = map->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        symbols_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(map));
        std::free(map);
    }
    ~XServer() { xcb_disconnect(connection_); }

    // Every request sent before, by anyone, is done when this returns.
    xcb_window_t InputFocus() const {
        auto* reply =
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr);
        const xcb_window_t window = reply ? reply->focus : XCB_NONE;
        std::free(reply);
        return window;
    }

    void Key(xcb_keysym_t symbol, bool down) { Fake(down ? 2 : 3, Code(symbol), 0, 0); }
    void MoveTo(QPoint at) { Fake(6, 0, int16_t(at.x()), int16_t(at.y())); }
    void Button(int button, bool down) { Fake(down ? 4 : 5, uint8_t(button), 0, 0); }

    // What a window manager sends on Alt+F4 or its close button.
    void AskToClose(const QWidget& window) const {
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = xcb_window_t(window.winId());
        event.type = Atom("WM_PROTOCOLS");
        event.data.data32[0] = Atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
    }

  private:
    xcb_atom_t Atom(const char* name) const {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, uint16_t(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
        std::free(reply);
        return atom;
    }

    uint8_t Code(xcb_keysym_t symbol) const {
        for (std::size_t i = 0; i < symbols_.size(); ++i)
            if (symbols_[i] == symbol)
                return uint8_t(first_ + i / perCode_);
        qFatal("no key gives the keysym 0x%x", symbol);
    }

    // XTEST's FakeInput request: a key or button pressed or let go, or the pointer moved.
    void Fake(uint8_t type, uint8_t detail, int16_t x, int16_t y) {
        struct FakeInput {
            uint8_t major, minor;
            uint16_t length;
            uint8_t type, detail, pad0[2];
            uint32_t time, root;
            uint8_t pad1[8];
            int16_t x, y;
            uint8_t pad2[7], device;
        } request;
        static_assert(sizeof(FakeInput) == 36);
        std::memset(&request, 0, sizeof request);
        request.type = type;
        request.detail = detail;
        request.root = type == 6 ? root_ : XCB_NONE;
        request.x = x;
        request.y = y;
        static xcb_extension_t xtest = {"XTEST", 0};
        static const xcb_protocol_request_t protocol = {1, &xtest, 2, 1};
        iovec parts[3] = {{}, {}, {&request, sizeof request}};
        xcb_send_request(connection_, 0, parts + 2, &protocol);
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_NONE;
    uint8_t first_ = 0;
    std::size_t perCode_ = 1;
    std::vector<xcb_keysym_t> symbols_;
};

XServer& X() {
    static XServer server;
    return server;
}

// The input so far handled: the X server has done it, and the program has taken what
// came of it.
void Settle() {
    for (int turn = 0; turn < 2; ++turn) {
        X().InputFocus();
        QTest::qWait(5);
    }
}

// Waits for what the input leads to, a second at most.
template <typename Done> void WaitUntil(Done done) {
    for (int wait = 0; wait < 100 && !done(); ++wait)
        QTest::qWait(10);
}

// Keys by name, "+" joining those held together: "Escape", "alt", "ctrl+p", "Down".
void Press(const QString& keys) {
    static const QHash<QString, xcb_keysym_t> named{
        {"Escape", 0xff1b}, {"Return", 0xff0d}, {"Down", 0xff54},  {"Up", 0xff52},
        {"Right", 0xff53},  {"Left", 0xff51},   {"Tab", 0xff09},   {"space", 0x20},
        {"alt", 0xffe9},    {"ctrl", 0xffe3},   {"shift", 0xffe1}, {"F1", 0xffbe},
        {"F4", 0xffc1},     {"Menu", 0xff67}};
    std::vector<xcb_keysym_t> held;
    for (const QString& name : keys.split('+'))
        held.push_back(named.value(name, name.size() == 1 ? xcb_keysym_t(name[0].unicode()) : 0));
    for (xcb_keysym_t symbol : held)
        X().Key(symbol, true);
    for (auto symbol = held.rbegin(); symbol != held.rend(); ++symbol)
        X().Key(*symbol, false);
    Settle();
}

// A single click, somewhere in `area`: one that follows the last one soon and near it would
// make a double click of the two, so it goes a little beside it, or waits.
void ClickIn(QRect area, int button = 1) {
    static QElapsedTimer since;
    static QPoint last;
    static int lastButton = 0;
    QPoint at = area.center();
    const bool soon = button == lastButton && since.isValid() &&
                      since.elapsed() < QApplication::doubleClickInterval() + 50;
    for (const QPoint step : {QPoint(8, 0), QPoint(-8, 0), QPoint(0, 8), QPoint(0, -8)})
        if (soon && (at - last).manhattanLength() < 8 && area.contains(area.center() + step))
            at = area.center() + step;
    if (soon && (at - last).manhattanLength() < 8)
        QTest::qWait(QApplication::doubleClickInterval() + 50 - int(since.elapsed()));
    since.start();
    last = at;
    lastButton = button;
    X().MoveTo(at);
    X().Button(button, true);
    X().Button(button, false);
    Settle();
}

void ClickAt(QPoint global, int button = 1) {
    ClickIn(QRect(global, QSize(1, 1)), button);
}

void ClickOn(const QWidget* widget, int button = 1) {
    if (!widget || !widget->isVisible())
        qFatal("clicked %s, which is not on show",
               widget ? qPrintable(widget->objectName()) : "nothing");
    ClickIn(QRect(widget->mapToGlobal(QPoint(2, 2)), widget->size() - QSize(4, 4)), button);
}

QString Describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("nothing");
    QString name = widget->objectName();
    if (name.isEmpty())
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            name = QStringLiteral("«%1»").arg(QString(button->text()).remove('&'));
    if (name.isEmpty())
        name = widget->accessibleName();
    return QStringLiteral("%1 %2 in «%3»")
        .arg(QString::fromLatin1(widget->metaObject()->className()), name,
             widget->window()->windowTitle());
}

// Where the keyboard's keys go now: the focused control, on show and taking keys, in the
// active window, which holds the X server's input focus. Empty when all of that holds.
QString FocusFault() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return QStringLiteral("no control has the focus");
    if (!focused->isVisible() || !focused->isEnabled())
        return Describe(focused) + QStringLiteral(" has the focus, hidden or disabled");
    if (focused->window() != QApplication::activeWindow())
        return Describe(focused) + QStringLiteral(" has the focus outside the active window");
    if (X().InputFocus() != xcb_window_t(focused->window()->winId()))
        return Describe(focused) + QStringLiteral(" has the focus, but its window not the keys");
    return {};
}

// The window under test, in practice on the triangle from 7 (a number on its first place
// when `placed`: another figure or compute asks first), or in the demonstration.
struct Scene {
    std::unique_ptr<MainWindow> window;

    PracticeBoard& board() const { return window->board(); }
    Velmora& form() const { return window->form(); }
    QMenuBar* bar() const { return window->menuBar(); }
    QComboBox* chooser() const { return &window->figureChooser(); }
    QWidget* startBox() const {
        return window->form().game().mode == PlayMode::Practice
                   ? static_cast<QWidget*>(board().startBox())
                   : Control(form(), "Text2");
    }
    QWidget* command(BoardCommand command) const { return board().button(command); }
    QWidget* level(FigureMode figure) const { return board().level(LevelOf(figure) - 1); }

    QAction* title(const QString& text) const {
        for (QAction* action : bar()->actions())
            if (QString(action->text()).remove('&') == text)
                return action;
        qFatal("no menu %s", qPrintable(text));
    }
    QMenu* menu(const QString& text) const { return title(text)->menu(); }
    QAction* item(const QString& menu, const QString& text) const {
        for (QAction* action : this->menu(menu)->actions())
            if (QString(action->text()).remove('&').contains(text))
                return action;
        qFatal("no item %s in %s", qPrintable(text), qPrintable(menu));
    }
    // Where a click lands on no control, away from the menus: the status line, or the
    // board's.
    QWidget* nothing() const {
        return window->form().game().mode == PlayMode::Practice
                   ? static_cast<QWidget*>(board().status())
                   : &window->statusLine();
    }
};

Scene MakeScene(PlayMode mode, bool placed) {
    Scene scene{OpenMainWindow(mode)};
    Velmora& form = scene.form();
    if (mode == PlayMode::Practice) {
        form.ChooseFigure(FigureMode::Triangle);
        form.Play([](const Game& game) { return TypeStartText(game, "7"); });
        form.ComputeSeries();
        if (placed)
            form.Play([](const Game& game) { return DropNumber(game, 0, 0); });
    }
    Settle();
    return scene;
}

// A click beside the menu or popup, on no control.
void ClickOnNothing(Scene& s) {
    const QPoint at = s.nothing()->mapToGlobal(s.nothing()->rect().center());
    if (const QWidget* popup = QApplication::activePopupWidget();
        popup && popup->geometry().contains(at))
        qFatal("the click beside %s lands in it", popup->metaObject()->className());
    ClickAt(at);
}

// How a menu or popup opens, and the ways it closes.
void OpenByMouse(Scene& s, const QString& menu) {
    const QRect title = s.bar()->actionGeometry(s.title(menu)).adjusted(2, 2, -2, -2);
    ClickIn(title.translated(s.bar()->mapToGlobal(QPoint(0, 0))));
}

// Alt takes the menu bar, the arrows walk to the menu, Down opens it; each key once the
// one before has done its part.
void OpenByKeys(Scene& s, const QString& menu) {
    Press(QStringLiteral("alt"));
    WaitUntil([&s] { return s.bar()->activeAction() != nullptr; });
    for (int i = 0; i < 8 && s.bar()->activeAction() != s.title(menu); ++i) {
        const QAction* was = s.bar()->activeAction();
        Press(QStringLiteral("Right"));
        WaitUntil([&s, was] { return s.bar()->activeAction() != was; });
    }
    Press(QStringLiteral("Down"));
    WaitUntil([&s, menu] { return s.menu(menu)->isVisible(); });
}

void ClickItem(QMenu* menu, QAction* item) {
    const QRect box = menu->actionGeometry(item).adjusted(2, 2, -2, -2);
    ClickIn(box.translated(menu->mapToGlobal(QPoint(0, 0))));
}

// Down through the open menu to the item, then Enter.
void EnterItem(QMenu* menu, QAction* item) {
    for (int i = 0; i < 20 && menu->activeAction() != item; ++i) {
        const QAction* was = menu->activeAction();
        Press(QStringLiteral("Down"));
        WaitUntil([menu, was] { return menu->activeAction() != was; });
    }
    Press(QStringLiteral("Return"));
}

// A menu's item chosen by a click, or by the keys.
auto Choose(const QString& menu, const QString& item, bool byKeys = false) {
    return [menu, item, byKeys](Scene& s) {
        if (!s.item(menu, item)->isEnabled())
            qFatal("%s → %s is not offered", qPrintable(menu), qPrintable(item));
        if (byKeys) {
            OpenByKeys(s, menu);
            EnterItem(s.menu(menu), s.item(menu, item));
        } else {
            OpenByMouse(s, menu);
            WaitUntil([&s, menu] { return s.menu(menu)->isVisible(); });
            ClickItem(s.menu(menu), s.item(menu, item));
        }
    };
}

// A standard button of the dialog in front: OK, Close, Cancel, Yes, No.
QAbstractButton* DialogButton(QDialogButtonBox::StandardButton which) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        qFatal("no dialog in front");
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
        if (QAbstractButton* button = box->button(which); button && button->isVisible())
            return button;
    qFatal("no such button in «%s»", qPrintable(dialog->windowTitle()));
}

// The worksheet dialog's own button, by its text.
QAbstractButton* SheetButton(const QString& text) {
    QWidget* dialog = QApplication::activeModalWidget();
    for (QAbstractButton* button :
         dialog ? dialog->findChildren<QAbstractButton*>() : QList<QAbstractButton*>())
        if (QString(button->text()).remove('&') == text)
            return button;
    qFatal("no button «%s» in the dialog in front", qPrintable(text));
}

using Step = std::function<void(Scene&)>;
using Target = std::function<QWidget*(Scene&)>;

// One way a dialog closes: Esc, one of its buttons clicked, Enter on its default button,
// or the window manager's close.
struct Closer {
    QString name;
    Step close;
};

Closer EscKey() {
    return {"Esc", [](Scene&) { Press("Escape"); }};
}
Closer EnterKey() {
    return {"Enter", [](Scene&) { Press("Return"); }};
}
Closer WindowManager() {
    return {"the window manager's close",
            [](Scene&) { X().AskToClose(*QApplication::activeModalWidget()); }};
}
Closer Button(const QString& name, QDialogButtonBox::StandardButton which) {
    return {name, [which](Scene&) { ClickOn(DialogButton(which)); }};
}

struct Case {
    QString name;
    PlayMode mode = PlayMode::Practice;
    bool placed = false;
    Target before;      // focused first: it may open something to start from
    Step open;          // opens the menu, popup or dialog
    Step close = {};    // closes it once it is open; none: what `open` chose closed it
    Target after = {};  // where the focus must be then; none: back on `before`
    bool popup = false; // `close` waits for a menu or popup, else for a dialog
    Step first = {};    // on the first dialog, when `close` closes the one that comes next
};

Target StartBox() {
    return [](Scene& s) { return s.startBox(); };
}
Target Named(const char* name) {
    return [name](Scene& s) { return Control(s.form(), QString::fromLatin1(name)); };
}
Target Command(BoardCommand command) {
    return [command](Scene& s) { return s.command(command); };
}
Target Tile(int index) {
    return [index](Scene& s) -> QWidget* { return s.board().tile(index); };
}

} // namespace

class FocusTest : public QObject {
    Q_OBJECT

    std::vector<Case> cases_;

    void Add(Case c) { cases_.push_back(std::move(c)); }

  private slots:
    void initTestCase() {
        PrepareTestApplication();
        MenuCases();
        ChoiceCases();
        MessageCases();
        QuestionCases();
        WorksheetCases();
        PopupCases();
    }

    // When a menu, a popup or a dialog closes, the keyboard's focus
    // - goes back to where it was when it opened: the control that opened it when a key or
    //   a click on a control that takes the focus opened it; the one the pupil was in when
    //   a menu title or a shortcut did. This holds for Esc, a click outside on no control,
    //   the menu's title clicked again, Cancel, No, Close, OK and the window manager's
    //   close (Alt+F4). A menu opened from the menu bar steps back one level at a time: Esc
    //   leaves the menu bar's title highlighted with the focus, the next Esc leaves the bar.
    // - goes where the choice leads when an item or an answer carries something out that
    //   moves on: a figure from «Фигура» goes to «Начало», where its start number is typed;
    //   a mode to that mode's first step; an item that opens a dialog into that dialog,
    //   and back by the rule above when it closes. An answer «Да» leads where the same
    //   action leads when nothing needs asking.
    // - is always on a control on show and enabled, in the active window, which holds the
    //   X server's input focus: never on nothing, never on a hidden control.
    void closes_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < cases_.size(); ++i)
            QTest::newRow(qPrintable(cases_[i].name)) << int(i);
    }
    void closes() {
        QFETCH(int, index);
        const Case& c = cases_[std::size_t(index)];
        Scene scene = MakeScene(c.mode, c.placed);
        QWidget* before = c.before(scene);
        if (QApplication::focusWidget() != before) {
            before->setFocus(Qt::OtherFocusReason);
            Settle();
        }
        QVERIFY2(QApplication::focusWidget() == before && FocusFault().isEmpty(),
                 qPrintable("could not start from " + Describe(before) + ": " +
                            Describe(QApplication::focusWidget()) + " " + FocusFault()));
        // Closed as soon as it is open, even from the event loop of a dialog that blocks.
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        const QWidget* popup = QApplication::activePopupWidget();
        QPointer<QWidget> seen;
        bool firstDone = !c.first, closed = !c.close;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, &poll, [&] {
            QWidget* now =
                c.popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
            if (closed || !now || now == popup || now == modal || now == seen ||
                !now->isVisible() || (!c.popup && QApplication::activePopupWidget()))
                return;
            // A dialog takes the keys once the X server gives them to it.
            if (!c.popup && X().InputFocus() != xcb_window_t(now->winId()))
                return;
            seen = now;
            Settle();
            if (!firstDone) {
                firstDone = true;
                c.first(scene);
                return;
            }
            closed = true;
            poll.stop();
            c.close(scene);
        });
        if (c.close)
            poll.start();
        c.open(scene);
        QTRY_VERIFY2_WITH_TIMEOUT(closed, "it never opened", 3000);
        QWidget* expected = c.after ? c.after(scene) : before;
        const auto settled = [&] {
            return QApplication::focusWidget() == expected && !QApplication::activePopupWidget() &&
                   QApplication::activeModalWidget() == modal;
        };
        for (int wait = 0; wait < 200 && !settled(); ++wait)
            QTest::qWait(10);
        Settle();
        QVERIFY2(settled(), qPrintable("expected " + Describe(expected) + ", focus on " +
                                       Describe(QApplication::focusWidget()) + ", in front " +
                                       Describe(QApplication::activePopupWidget()) + " " +
                                       Describe(QApplication::activeModalWidget())));
        const QString fault = FocusFault();
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

  private:
    void MenuCases();
    void ChoiceCases();
    void MessageCases();
    void QuestionCases();
    void WorksheetCases();
    void PopupCases();
};

// Every menu of the menu bar, opened by the mouse or the keys, closed without a choice.
void FocusTest::MenuCases() {
    const QStringList menus{"Файл", "Режим", "Фигура", "Изглед", "Език", "Помощ"};
    const Target bar = [](Scene& s) -> QWidget* { return s.bar(); };
    for (PlayMode mode : {PlayMode::Practice, PlayMode::Demonstration}) {
        const QString where = mode == PlayMode::Practice ? "practice" : "demonstration";
        for (const QString& menu : menus) {
            const auto mouse = [menu](Scene& s) { OpenByMouse(s, menu); };
            const auto keys = [menu](Scene& s) { OpenByKeys(s, menu); };
            const QString name = where + ": «" + menu + "» ";
            const Step esc = [](Scene&) { Press("Escape"); };
            const Step escTwice = [](Scene& s) {
                Press("Escape");
                WaitUntil(
                    [&s] { return !QApplication::activePopupWidget() && s.bar()->hasFocus(); });
                Press("Escape");
            };
            // Every way in practice; in the demonstration, whose form is simpler, each way
            // out once, by either the keys or the mouse.
            const bool all = mode == PlayMode::Practice;
            if (all)
                Add({name + "by mouse, Esc", mode, false, StartBox(), mouse, esc, bar, true});
            Add({name + "by mouse, Esc twice", mode, false, StartBox(), mouse, escTwice, {}, true});
            if (all)
                Add({name + "by keys, Esc", mode, false, StartBox(), keys, esc, bar, true});
            Add({name + "by keys, Esc twice", mode, false, StartBox(), keys, escTwice, {}, true});
            Add({name + "by mouse, its title again",
                 mode,
                 false,
                 StartBox(),
                 mouse,
                 [menu](Scene& s) { OpenByMouse(s, menu); },
                 {},
                 true});
            if (all)
                Add({name + "by mouse, a click on no control",
                     mode,
                     false,
                     StartBox(),
                     mouse,
                     ClickOnNothing,
                     {},
                     true});
            Add({name + "by keys, a click on no control",
                 mode,
                 false,
                 StartBox(),
                 keys,
                 ClickOnNothing,
                 {},
                 true});
        }
    }
}

// An item chosen: a figure goes to «Начало», a mode to its first step, the rest leave
// the focus where it was.
void FocusTest::ChoiceCases() {
    const PlayMode practice = PlayMode::Practice, demonstration = PlayMode::Demonstration;
    // From the last tile, which the V has not: the figure's start box, never a lost tile.
    for (const Figure& figure : Figures())
        for (bool keys : {false, true})
            if (!keys || figure.mode == FigureMode::Star)
                Add({QString("practice: «Фигура» → %1 by %2")
                         .arg(QString::fromStdString(figure.key), keys ? "keys" : "mouse"),
                     practice,
                     false,
                     Tile(5),
                     Choose("Фигура", QString::fromUtf8(figure.title.text), keys),
                     {},
                     StartBox()});
    for (FigureMode figure : {FigureMode::Triangle, FigureMode::Rhombus, FigureMode::Star})
        Add({QString("demonstration: «Фигура» → %1")
                 .arg(QString::fromStdString(FigureOf(figure).key)),
             demonstration,
             false,
             Named("Command1_0"),
             Choose("Фигура", QString::fromUtf8(FigureOf(figure).title.text)),
             {},
             StartBox()});
    Add({"practice: «Режим» → «Показване»",
         practice,
         false,
         Tile(5),
         Choose("Режим", "Показване"),
         {},
         Named("Text1_0")});
    Add({"practice: «Режим» → «Показване» by keys",
         practice,
         false,
         StartBox(),
         Choose("Режим", "Показване", true),
         {},
         Named("Text1_0")});
    Add({"demonstration: «Режим» → «Упражнение»",
         demonstration,
         false,
         Named("Command1_0"),
         Choose("Режим", "Упражнение"),
         {},
         StartBox()});
    for (const char* item : {"Подсказка", "Покажи решение"})
        Add({QString("practice: «Режим» → «%1»").arg(item),
             practice,
             false,
             Tile(5),
             Choose("Режим", item),
             {},
             {}});
    Add({"practice: «Език» → the language in force",
         practice,
         false,
         Tile(5),
         Choose("Език", "Български"),
         {},
         {}});
    for (const char* item : {"Нормален размер", "Цял екран"})
        Add({QString("practice: «Изглед» → «%1»").arg(item),
             practice,
             false,
             Tile(5),
             Choose("Изглед", item),
             {},
             {}});
    for (const char* item : {"Увеличи", "Нормален размер", "Цял екран"})
        Add({QString("demonstration: «Изглед» → «%1»").arg(item),
             demonstration,
             false,
             Named("Text2"),
             Choose("Изглед", item, true),
             {},
             {}});
}

// The boxes that tell something, however they are opened and closed.
void FocusTest::MessageCases() {
    struct Opener {
        QString name;
        PlayMode mode;
        Target before;
        Step open;
        Target after;
    };
    const auto key = [](const char* keys) { return [keys](Scene&) { Press(keys); }; };
    const auto click = [](Target target) { return [target](Scene& s) { ClickOn(target(s)); }; };
    const auto space = [](Scene&) { Press("space"); };
    const Target why = [](Scene& s) -> QWidget* {
        for (QToolButton* button : s.window->findChildren<QToolButton*>())
            if (button->isVisible() && QString(button->text()).remove('&') == "Защо става?")
                return button;
        qFatal("no bar button «Защо става?»");
    };
    const PlayMode practice = PlayMode::Practice, demonstration = PlayMode::Demonstration;
    const Opener openers[] = {
        {"practice: F1", practice, StartBox(), key("F1"), {}},
        {"practice: Ctrl+E", practice, StartBox(), key("ctrl+e"), {}},
        {"practice: «Помощ» → «Как се играе»",
         practice,
         Tile(2),
         Choose("Помощ", "Как се играе"),
         {}},
        {"practice: «Помощ» → «Защо става?» by keys",
         practice,
         Tile(2),
         Choose("Помощ", "Защо става?", true),
         {}},
        {"practice: «Помощ» → «Относно»", practice, StartBox(), Choose("Помощ", "Относно"), {}},
        {"practice: the board's «Как се играе» clicked", practice, StartBox(),
         click(Command(BoardCommand::HowToPlay)), Command(BoardCommand::HowToPlay)},
        {"practice: the board's «Защо става?» by Space",
         practice,
         Command(BoardCommand::Why),
         space,
         {}},
        {"demonstration: the bar's «Защо става?» by Space", demonstration, why, space, {}},
        {"demonstration: the bar's «Защо става?» clicked",
         demonstration,
         Named("Text2"),
         click(why),
         {}},
        {"demonstration: «Помощ» → «Относно» by keys",
         demonstration,
         Named("List1"),
         Choose("Помощ", "Относно", true),
         {}},
    };
    // Every way out after a key, a click on the board and a bar's button, and the menu's
    // item by the keys; Esc and the window manager's close after the rest.
    const QStringList everyWay{"practice: F1", "practice: the board's «Как се играе» clicked",
                               "demonstration: the bar's «Защо става?» by Space",
                               "demonstration: «Помощ» → «Относно» by keys"};
    for (const Opener& opener : openers)
        for (const Closer& closer :
             {EscKey(), Button("OK", QDialogButtonBox::Ok), EnterKey(), WindowManager()})
            if (everyWay.contains(opener.name) || closer.name == EscKey().name ||
                closer.name == WindowManager().name)
                Add({opener.name + ", " + closer.name, opener.mode, false, opener.before,
                     opener.open, closer.close, opener.after});
}

// The questions before numbers on the figure or the sums found are lost.
void FocusTest::QuestionCases() {
    const Closer yes = Button("«Да»", QDialogButtonBox::Yes),
                 no = Button("«Не»", QDialogButtonBox::No);
    const PlayMode practice = PlayMode::Practice, demonstration = PlayMode::Demonstration;
    for (const Closer& closer : {yes, no, EscKey(), EnterKey(), WindowManager()})
        Add({"practice: «Фигура» → «Започни отначало…», " + closer.name, practice, false, Tile(3),
             Choose("Фигура", "Започни отначало"), closer.close});
    for (const Closer& closer : {yes, EscKey()})
        Add({"demonstration: «Фигура» → «Започни отначало…» by keys, " + closer.name, demonstration,
             false, Named("Text2"), Choose("Фигура", "Започни отначало", true), closer.close});
    struct Opener {
        QString name;
        Target before;
        Step open;
        Target after, afterYes;
    };
    const Opener openers[] = {
        {"the star's level clicked", StartBox(),
         [](Scene& s) { ClickOn(s.level(FigureMode::Star)); },
         [](Scene& s) { return s.level(FigureMode::Star); },
         [](Scene& s) { return s.level(FigureMode::Star); }},
        {"the board's «Изчисли» clicked", StartBox(),
         [](Scene& s) { ClickOn(s.command(BoardCommand::Compute)); },
         Command(BoardCommand::Compute), Command(BoardCommand::Compute)},
        {"Enter in «Начало»", StartBox(), [](Scene&) { Press("Return"); }, {}, StartBox()},
        {"«Фигура» → Звезда", Tile(3), Choose("Фигура", "5. Звезда"), {}, StartBox()},
        {"the chooser's Звезда",
         [](Scene& s) -> QWidget* { return s.chooser(); },
         [](Scene& s) {
             ClickOn(s.chooser());
             QAbstractItemView* list = s.chooser()->view();
             const QModelIndex star = list->model()->index(LevelOf(FigureMode::Star) - 1, 0);
             ClickAt(list->viewport()->mapToGlobal(list->visualRect(star).center()));
         },
         {},
         [](Scene& s) -> QWidget* { return s.chooser(); }},
    };
    for (const Opener& opener : openers)
        for (const Closer& closer : {yes, no, EscKey(), WindowManager()})
            Add({"practice with a number placed: " + opener.name + ", " + closer.name, practice,
                 true, opener.before, opener.open, closer.close,
                 closer.name == yes.name ? opener.afterYes : opener.after});
}

// The worksheet dialog, and the dialogs it opens in turn.
void FocusTest::WorksheetCases() {
    const PlayMode practice = PlayMode::Practice, demonstration = PlayMode::Demonstration;
    for (const Closer& closer :
         {EscKey(), Button("«Затвори»", QDialogButtonBox::Close), WindowManager()}) {
        Add({"practice: Ctrl+P, " + closer.name, practice, false, StartBox(),
             [](Scene&) { Press("ctrl+p"); }, closer.close});
        Add({"demonstration: «Файл» → «Работен лист…» by keys, " + closer.name, demonstration,
             false, Named("Text2"), Choose("Файл", "Работен лист", true), closer.close});
    }
    // Opened from the start box, its button focused as a click focuses it.
    const auto sheetButton = [](const char* text) {
        return [text](Scene&) -> QWidget* {
            Press("ctrl+p");
            for (int wait = 0;
                 wait < 100 && !qobject_cast<WorksheetDialog*>(QApplication::activeModalWidget());
                 ++wait)
                QTest::qWait(10);
            return SheetButton(text);
        };
    };
    const auto clickIt = [](Scene&) { ClickOn(QApplication::focusWidget()); };
    const Closer cancel = Button("Cancel", QDialogButtonBox::Cancel);
    for (const Closer& closer : {EscKey(), cancel, WindowManager()}) {
        Add({"worksheet: «Запази като PDF…», " + closer.name, practice, false,
             sheetButton("Запази като PDF…"), clickIt, closer.close});
        Add({"worksheet: «Печат…», " + closer.name, practice, false, sheetButton("Печат…"), clickIt,
             closer.close});
    }
    // A new file's name typed into the file dialog, and Enter: the sheet saved, or refused.
    const auto saveAs = [](const QString& folder) {
        return [folder](Scene&) {
            static QTemporaryDir files;
            static int count = 0;
            auto* name = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            if (!name)
                qFatal("the file dialog's name box has not the focus");
            name->setText(files.filePath(folder + QString("sheet-%1.pdf").arg(++count)));
            Press("Return");
        };
    };
    for (const Closer& closer :
         {EscKey(), Button("«Затвори»", QDialogButtonBox::Close), WindowManager()})
        Add({"worksheet: saved as PDF, the word where, " + closer.name,
             practice,
             false,
             sheetButton("Запази като PDF…"),
             clickIt,
             closer.close,
             {},
             false,
             saveAs("")});
    for (const Closer& closer : {EscKey(), Button("OK", QDialogButtonBox::Ok), WindowManager()})
        Add({"worksheet: saving refused, the word why, " + closer.name,
             practice,
             false,
             sheetButton("Запази като PDF…"),
             clickIt,
             closer.close,
             {},
             false,
             saveAs("no such folder/")});
}

// The popups of a control: the figure chooser's list, a text box's own menu.
void FocusTest::PopupCases() {
    const Target chooser = [](Scene& s) -> QWidget* { return s.chooser(); };
    const auto pickInList = [](FigureMode figure) {
        return [figure](Scene& s) {
            // The list takes no click in its first moments: the one that opened it would
            // choose at once.
            QTest::qWait(QApplication::doubleClickInterval());
            QAbstractItemView* list = s.chooser()->view();
            const QModelIndex item = list->model()->index(LevelOf(figure) - 1, 0);
            ClickAt(list->viewport()->mapToGlobal(list->visualRect(item).center()));
        };
    };
    struct Way {
        QString name;
        Step close;
    };
    const Way listWays[] = {{"Esc", [](Scene&) { Press("Escape"); }},
                            {"a click on no control", ClickOnNothing},
                            {"the figure on show chosen", pickInList(FigureMode::Triangle)},
                            {"another figure chosen", pickInList(FigureMode::Star)},
                            {"another chosen by keys", [](Scene&) {
                                 Press("Down");
                                 Press("Return");
                             }}};
    for (const Way& way : listWays) {
        Add({"practice: the figure chooser clicked, " + way.name,
             PlayMode::Practice,
             false,
             chooser,
             [](Scene& s) { ClickOn(s.chooser()); },
             way.close,
             {},
             true});
        Add({"practice: the figure chooser by F4, " + way.name,
             PlayMode::Practice,
             false,
             chooser,
             [](Scene&) { Press("F4"); },
             way.close,
             {},
             true});
    }
    // A text box's menu: Undo, Copy, Paste, Select all (by its key) and the like.
    const auto selectAll = [](Scene&) {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QString key =
            QKeySequence(QKeySequence::SelectAll).toString(QKeySequence::NativeText);
        for (QAction* action : menu ? menu->actions() : QList<QAction*>())
            if (action->text().endsWith('\t' + key))
                return ClickItem(menu, action);
        qFatal("no «Select all» in the text box's menu");
    };
    const Way menuWays[] = {{"Esc", [](Scene&) { Press("Escape"); }},
                            {"a click on no control", ClickOnNothing},
                            {"«Select all» chosen", selectAll}};
    struct Box {
        QString name;
        PlayMode mode;
        Target box;
    };
    const Box boxes[] = {
        {"practice: «Начало»", PlayMode::Practice, StartBox()},
        {"demonstration: «Начало»", PlayMode::Demonstration,
         [](Scene& s) {
             TypeStart(s.form(), "7"); // «Select all» needs something to select
             return StartBox(s.form());
         }},
        {"demonstration: the statement", PlayMode::Demonstration, Named("Text1_0")}};
    for (const Box& box : boxes)
        for (const Way& way : menuWays) {
            Add({box.name + "'s menu by a right click, " + way.name,
                 box.mode,
                 false,
                 box.box,
                 [](Scene&) { ClickOn(QApplication::focusWidget(), 3); },
                 way.close,
                 {},
                 true});
            if (way.name == "Esc")
                Add({box.name + "'s menu by the menu key, " + way.name,
                     box.mode,
                     false,
                     box.box,
                     [](Scene&) { Press("Menu"); },
                     way.close,
                     {},
                     true});
        }
}

QTEST_MAIN(FocusTest)
#include "test_focus.moc"
