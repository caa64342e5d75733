// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_test_support.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace velmora::testing;

namespace {

// The layout, in pixels (twips / 15), relative to the control's parent.
struct ControlRow {
    const char* name;
    const char* className;
    QRect place;
    const char* text;
    QColor back; // invalid: the platform's default
    bool visible;
};

const QColor kHeading(255, 192, 128), kOption(128, 128, 255), kRhombus(255, 128, 255),
    kTriangle(128, 255, 128), kWindow(192, 192, 255);

const ControlRow kLayout[] = {
    {"Label1_0", "QLabel", {96, 0, 273, 25}, "Велмора от числа", kHeading, true},
    {"Label1_1", "QLabel", {424, 32, 49, 25}, "Числа", kHeading, true},
    {"Label1_2", "QLabel", {24, 208, 65, 25}, "Начало", kHeading, true},
    {"Frame1", "QGroupBox", {8, 32, 121, 81}, "Фигура", kWindow, true},
    {"Option1_0", "QRadioButton", {8, 24, 105, 25}, "Триъгълник", kOption, true},
    {"Option1_1", "QRadioButton", {8, 48, 105, 25}, "Ромб", kOption, true},
    {"List1", "QListWidget", {424, 56, 49, 80}, "", {}, true},
    {"Text2", "QLineEdit", {88, 208, 73, 27}, "", {}, true},
    {"Command1_0", "QPushButton", {296, 208, 73, 25}, "Изчисли", QColor(0, 255, 0), true},
    {"Command1_1", "QPushButton", {400, 208, 73, 25}, "Изчисти", QColor(255, 0, 0), true},
    {"Text1_0", "QPlainTextEdit", {8, 256, 465, 137}, nullptr, {}, true},
    {"Text1_1", "QPlainTextEdit", {40, 312, 449, 121}, nullptr, {}, false},
    {"Label2_0", "QLabel", {192, 40, 81, 41}, "", kRhombus, false},
    {"Label2_1", "QLabel", {56, 120, 81, 41}, "", kRhombus, false},
    {"Label2_2", "QLabel", {192, 200, 81, 41}, "", kRhombus, false},
    {"Label2_3", "QLabel", {328, 120, 81, 41}, "", kRhombus, false},
    {"Label3_0", "QLabel", {88, 160, 49, 25}, "", kTriangle, false},
    {"Label3_1", "QLabel", {224, 32, 49, 25}, "", kTriangle, false},
    {"Label3_2", "QLabel", {360, 160, 49, 25}, "", kTriangle, false},
    {"Label3_3", "QLabel", {304, 96, 49, 25}, "", kTriangle, false},
    {"Label3_4", "QLabel", {224, 160, 49, 25}, "", kTriangle, false},
    {"Label3_5", "QLabel", {136, 96, 49, 25}, "", kTriangle, false},
};

// The focusable controls in tab order; labels and the frame never take focus.
const char* const kTabOrder[] = {"Text1_0", "Text1_1", "Option1_0",  "Option1_1",
                                 "List1",   "Text2",   "Command1_0", "Command1_1"};

const QString kStatement = QStringLiteral(
    "Да се реализира проект, представящ междупредметни връзки между Математика и Информатика.\n"
    "Тема на проекта: Велмора от числа.\n"
    "Чрез реализираният проект се въвежда едно естествено число и се  генерира редица от "
    "последователни естествени числа с начало въведеното число.\n"
    "За триъгълник се  генерират 6 естествени числа - във всяка от страните му има по 3 числа "
    "с равна сума. Пример: 7 Изход: по страни: 7,11,9; 9,10,8; 8,12,7\n"
    "За ромб се генерират 8 последователни естествени числа, разположени във върховете на "
    "ромба. Във всеки негов връх има еднаква сума от тези числа. Пример: 7 Изход: (по върхове) "
    "9,12; 10,11; 7,14; 8,13.\n"
    "Числата от върховете/страните на фигурите се появяват след събитие On-Click върху "
    "обектите за върхове на фигурата и/или върху съответното число от отделно списъчно поле.\n");

const QString kQuotation =
    QStringLiteral("Неприятното в това да си първият, направил нещо по \n"
                   "правилния начин, е, че никой не оценява колко трудно е \n"
                   "било. \n");

QString TextOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    return {};
}

// A point of the control's own background, clear of its text, frame and indicator.
QPoint BackgroundPoint(const QWidget* control) {
    if (qobject_cast<const QGroupBox*>(control))
        return {control->width() / 2, control->height() - 5};
    return {control->width() - 4, 3};
}

bool FitsLabel(const QLabel* label) {
    const QRect box = label->contentsRect();
    const QRect needed =
        QFontMetrics(label->font())
            .boundingRect(box, int(label->alignment()) | Qt::TextWordWrap, label->text());
    return box.contains(needed);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    void controls_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(kLayout)); ++row)
            QTest::newRow(kLayout[row].name) << row;
    }
    void controls() {
        QFETCH(int, row);
        const ControlRow& expected = kLayout[row];
        auto window = OpenWindow();
        QWidget* control = Control(*window, expected.name);
        QCOMPARE(control->metaObject()->className(), expected.className);
        QCOMPARE(control->geometry(), expected.place);
        if (expected.text)
            QCOMPARE(TextOf(control), QString::fromUtf8(expected.text));
        QCOMPARE(control->isVisibleTo(window.get()), expected.visible);
        if (expected.back.isValid()) {
            const QImage image = control->grab().toImage().scaled(control->size());
            QCOMPARE(QColor(image.pixel(BackgroundPoint(control))), expected.back);
        }
        // The window's font, resolved to Times New Roman or its metric twin.
        const QFontInfo font(control->font());
        QVERIFY2(font.family() == "Times New Roman" || font.family() == "Liberation Serif",
                 qPrintable(font.family()));
        QCOMPARE(control->font().pointSize(), 12);
        QVERIFY(!font.bold() && !font.italic() && !font.underline() && !font.strikeOut());
        const QFontMetrics metrics(control->font());
        for (const QChar c : TextOf(control))
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    }

    void window() {
        auto window = OpenWindow();
        QCOMPARE(window->size(), QSize(481, 399));
        QCOMPARE(window->windowTitle(), QStringLiteral("http://www.example.com Морастела"));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(QColor(Snapshot(*window).pixel(2, 2)), kWindow);
    }

    void tabOrder() {
        auto window = OpenWindow();
        QStringList chain;
        QWidget* first = Control(*window, kTabOrder[0]);
        QWidget* next = first;
        do {
            if (next->focusPolicy() != Qt::NoFocus && !next->objectName().startsWith("qt_") &&
                next->parentWidget() && next->window() == window.get() &&
                !next->objectName().isEmpty())
                chain << next->objectName();
            next = next->nextInFocusChain();
        } while (next != first);
        QStringList expected;
        for (const char* name : kTabOrder)
            expected << name;
        QCOMPARE(chain, expected);
        for (const char* name : {"Label1_0", "Label2_0", "Label3_0", "Frame1"})
            QCOMPARE(Control(*window, name)->focusPolicy(), Qt::NoFocus);
        QCOMPARE(window->focusWidget(), Control(*window, "Text1_0"));
    }

    void initialState() {
        auto window = OpenWindow();
        QVERIFY(!Control<QRadioButton>(*window, "Option1_0")->isChecked());
        QVERIFY(!Control<QRadioButton>(*window, "Option1_1")->isChecked());
        QCOMPARE(List(*window)->count(), 0);
        QVERIFY(StartBox(*window)->text().isEmpty());
        for (int v = 0; v < 4; ++v)
            QVERIFY(!RhombusLabel(*window, v)->isVisible());
        for (int k = 0; k < 6; ++k)
            QVERIFY(!TriangleLabel(*window, k)->isVisible());
        QVERIFY(window->outline().empty());
    }

    void textBoxes() {
        auto window = OpenWindow();
        auto* statement = Control<QPlainTextEdit>(*window, "Text1_0");
        QCOMPARE(statement->toPlainText(), kStatement);
        QVERIFY(statement->isReadOnly());
        QCOMPARE(statement->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(statement->verticalScrollBar()->isVisible());
        auto* quotation = Control<QPlainTextEdit>(*window, "Text1_1");
        QCOMPARE(quotation->toPlainText(), kQuotation);
        QVERIFY(quotation->isReadOnly());
        QCOMPARE(StartBox(*window)->maxLength(), 3);
        QCOMPARE(StartBox(*window)->alignment(), Qt::AlignCenter);
        for (const char* name : {"Label1_0", "Label2_0", "Label3_4"})
            QCOMPARE(Control<QLabel>(*window, name)->alignment(), Qt::AlignCenter);
    }

    // Every start number the three-character box takes gives captions and list items
    // that are read whole: the longest is "1000 + 1005 = 2005".
    void everyReachableCaptionIsReadable() {
        auto window = OpenWindow();
        for (int figure : {0, 1}) {
            ChooseFigure(*window, figure);
            for (int n = 1; n <= 999; ++n) {
                TypeStart(*window, QString::number(n));
                Compute(*window);
                for (int k = 0; k < 6 && figure == 0; ++k)
                    Click(TriangleLabel(*window, k));
                for (int v = 0; v < 4 && figure == 1; ++v)
                    Click(RhombusLabel(*window, v));
                for (int i = 0; i < (figure == 0 ? 6 : 4); ++i) {
                    const QLabel* label =
                        figure == 0 ? TriangleLabel(*window, i) : RhombusLabel(*window, i);
                    QVERIFY2(!label->text().isEmpty(), qPrintable(QString::number(n)));
                    QVERIFY2(FitsLabel(label), qPrintable(label->text()));
                    QVERIFY(label->font().pointSizeF() >= 9);
                }
                QListWidget* list = List(*window);
                const int margin =
                    list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
                for (const QString& item : ListItems(*window))
                    QVERIFY2(QFontMetrics(list->font()).horizontalAdvance(item) + 2 * margin <=
                                 list->viewport()->width(),
                             qPrintable(item));
                QVERIFY(!list->horizontalScrollBar()->isVisible());
            }
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
