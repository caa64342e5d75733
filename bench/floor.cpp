// The floor for the start-up benchmark: a bare window with the same number and kinds
// of child widgets as velmora, and nothing else (no form, style sheet, fonts, icon or
// translations).

#include "window/first_frame.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(481, 399);
    for (int i = 0; i < 13; ++i) // three heading, four rhombus and six triangle labels
        new QLabel(QStringLiteral("%1").arg(i), &window);
    auto* frame = new QGroupBox(QStringLiteral("frame"), &window);
    new QRadioButton(QStringLiteral("one"), frame);
    new QRadioButton(QStringLiteral("two"), frame);
    new QListWidget(&window);
    new QLineEdit(&window);
    new QPushButton(QStringLiteral("one"), &window);
    new QPushButton(QStringLiteral("two"), &window);
    new QPlainTextEdit(QStringLiteral("text"), &window);
    new QPlainTextEdit(QStringLiteral("text"), &window);
    velmora::ReportFirstFrameIfAsked(window);
    window.show();
    return app.exec();
}
