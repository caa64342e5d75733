// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheet_dialog.h"

#include "worksheet/worksheet_pdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUrl>

#include <variant>

using namespace velmora;

namespace {

QSpinBox* Spin(int from, int to, int value) {
    auto* spin = new QSpinBox;
    spin->setRange(from, to);
    spin->setValue(value);
    return spin;
}

} // namespace

WorksheetDialog::WorksheetDialog(FigureMode figure, int start, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Работен лист"));
    // Each figure, the triangle and rhombus in turn, or all of them: the command line's
    // choices. The figure on show is chosen, else the triangle.
    figures_ = new QComboBox;
    int chosen = 0;
    for (const SheetChoice& choice : SheetChoices()) {
        if (choice.figures == SheetFigureList{figure} ||
            (choice.figures == SheetFigures::Triangle && chosen == 0))
            chosen = figures_->count();
        figures_->addItem(QString::fromStdString(choice.title));
    }
    figures_->setCurrentIndex(chosen);
    count_ = Spin(1, kSheetMaxCount, 4);
    starts_ = new QLineEdit(QString::number(start));
    starts_->setAccessibleName(tr("Начални числа, разделени със запетая"));
    // A new variant each time: four puzzles from one start would be four alike.
    random_ = new QCheckBox(tr("&Случайни начални числа"));
    random_->setChecked(true);
    from_ = Spin(1, kSheetMaxStart, 1);
    to_ = Spin(1, kSheetMaxStart, 99);
    from_->setAccessibleName(tr("Случайни начални числа от"));
    to_->setAccessibleName(tr("Случайни начални числа до"));
    seed_ = Spin(1, 999999, int(QRandomGenerator::global()->bounded(1, 10000)));
    seed_->setToolTip(tr("Същият вариант дава същия лист."));
    given_ = Spin(0, MostGiven(ChosenFigures()), 0);
    perPage_ = Spin(1, 6, 4);
    large_ = new QCheckBox(tr("Едър шрифт"));
    answers_ = new QCheckBox(tr("Страници с отговори"));
    answers_->setChecked(true);
    problem_ = new QLabel;
    problem_->setWordWrap(true);

    auto* range = new QHBoxLayout;
    range->addWidget(from_);
    range->addWidget(new QLabel(tr("до")));
    range->addWidget(to_);
    auto* form = new QFormLayout;
    form->addRow(tr("&Фигура:"), figures_);
    form->addRow(tr("&Брой задачи:"), count_);
    form->addRow(random_);
    form->addRow(tr("от"), range);
    form->addRow(tr("&Вариант №:"), seed_);
    form->addRow(tr("Или &начални числа:"), starts_);
    form->addRow(tr("&Дадени числа:"), given_);
    form->addRow(tr("Задачи на стр&аница:"), perPage_);
    form->addRow(large_);
    form->addRow(answers_);
    form->addRow(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* print = buttons->addButton(tr("&Печат…"), QDialogButtonBox::ActionRole);
    QPushButton* save = buttons->addButton(tr("&Запази като PDF…"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, &WorksheetDialog::Print);
    connect(save, &QPushButton::clicked, this, &WorksheetDialog::AskAndSavePdf);
    form->addRow(buttons);

    preview_ = new QPrintPreviewWidget;
    preview_->setMinimumSize(360, 480);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (const auto sheet = MakeWorksheet(Request()); std::holds_alternative<Worksheet>(sheet))
            DrawWorksheet(std::get<Worksheet>(sheet), *printer);
    });
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview_, 1);

    for (QSpinBox* spin : {count_, from_, to_, seed_, given_, perPage_})
        connect(spin, &QSpinBox::valueChanged, this, &WorksheetDialog::Refresh);
    for (QCheckBox* box : {random_, large_, answers_})
        connect(box, &QCheckBox::toggled, this, &WorksheetDialog::Refresh);
    // As many given numbers as the figures allow; the count kept when it still fits.
    connect(figures_, &QComboBox::currentIndexChanged, this, [this] {
        const QSignalBlocker quiet(given_);
        given_->setMaximum(MostGiven(ChosenFigures()));
        Refresh();
    });
    connect(starts_, &QLineEdit::textChanged, this, &WorksheetDialog::Refresh);
    Refresh();
}

const SheetFigureList& WorksheetDialog::ChosenFigures() const {
    return SheetChoices()[std::size_t(figures_->currentIndex())].figures;
}

WorksheetRequest WorksheetDialog::Request() const {
    WorksheetRequest request;
    request.figures = ChosenFigures();
    request.count = count_->value();
    if (!random_->isChecked()) {
        const auto starts = ParseStarts(starts_->text().remove(' ').toStdString());
        request.starts = starts ? *starts : std::vector<int>{0}; // 0: refused below
    }
    request.randomFrom = from_->value();
    request.randomTo = to_->value();
    request.seed = static_cast<std::uint32_t>(seed_->value());
    request.given = given_->value();
    request.perPage = perPage_->value();
    request.largePrint = large_->isChecked();
    request.answers = answers_->isChecked();
    return request;
}

// Every change shows on the preview at once, or says what is wrong with it.
void WorksheetDialog::Refresh() {
    starts_->setEnabled(!random_->isChecked());
    from_->setEnabled(random_->isChecked());
    to_->setEnabled(random_->isChecked());
    const auto sheet = MakeWorksheet(Request());
    const auto* problem = std::get_if<std::string>(&sheet);
    problem_->setText(problem ? QString::fromStdString(*problem) : QString());
    preview_->updatePreview();
}

bool WorksheetDialog::SavePdf(const QString& path) {
    const auto sheet = MakeWorksheet(Request());
    QString error;
    if (const auto* problem = std::get_if<std::string>(&sheet))
        error = QString::fromStdString(*problem);
    else if (WriteWorksheetPdf(std::get<Worksheet>(sheet), path, error))
        return true;
    QMessageBox::warning(this, windowTitle(), error);
    return false;
}

void WorksheetDialog::AskAndSavePdf() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Запази като PDF"),
                                                      tr("работен-лист-%1.pdf").arg(seed_->value()),
                                                      tr("PDF (*.pdf)"));
    if (path.isEmpty() || !SavePdf(path))
        return;
    // Saved: say where, and offer to open it in the desktop's PDF viewer.
    auto* saved =
        new QMessageBox(QMessageBox::Information, windowTitle(),
                        tr("Работният лист е записан в\n%1").arg(path), QMessageBox::Close, this);
    saved->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* open = saved->addButton(tr("&Отвори"), QMessageBox::AcceptRole);
    connect(open, &QPushButton::clicked, this,
            [path] { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    saved->open();
}

void WorksheetDialog::Print() {
    const auto sheet = MakeWorksheet(Request());
    if (!std::holds_alternative<Worksheet>(sheet))
        return;
    QPrinter printer;
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm),
                    QPageLayout::Millimeter));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        DrawWorksheet(std::get<Worksheet>(sheet), printer);
}
