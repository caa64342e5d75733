// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/worksheet_dialog.h"

#include "window/texts.h"
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
    setWindowTitle(Q(Tr("Работен лист")));
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
    // Each language by its own name; the window's chosen.
    language_ = new QComboBox;
    for (const Language language : ShippedLanguages()) {
        language_->addItem(QString::fromUtf8(LanguageName(language).data(),
                                             qsizetype(LanguageName(language).size())),
                           int(language));
        if (language == CurrentLanguage())
            language_->setCurrentIndex(language_->count() - 1);
    }
    count_ = Spin(1, kSheetMaxCount, 4);
    starts_ = new QLineEdit(QString::number(start));
    starts_->setAccessibleName(Q(Tr("Начални числа, разделени със запетая")));
    // A new variant each time: four puzzles from one start would be four alike.
    random_ = new QCheckBox(Q(Tr("&Случайни начални числа")));
    random_->setChecked(true);
    from_ = Spin(1, kSheetMaxStart, 1);
    to_ = Spin(1, kSheetMaxStart, 99);
    from_->setAccessibleName(Q(Tr("Случайни начални числа от")));
    to_->setAccessibleName(Q(Tr("Случайни начални числа до")));
    seed_ = Spin(1, 999999, int(QRandomGenerator::global()->bounded(1, 10000)));
    seed_->setToolTip(Q(Tr("Същият вариант дава същия лист.")));
    given_ = Spin(0, MostGiven(ChosenFigures()), 0);
    perPage_ = Spin(1, 6, 4);
    large_ = new QCheckBox(Q(Tr("Едър шрифт")));
    answers_ = new QCheckBox(Q(Tr("Страници с отговори")));
    answers_->setChecked(true);
    problem_ = new QLabel;
    problem_->setWordWrap(true);

    auto* range = new QHBoxLayout;
    range->addWidget(from_);
    // TRANSLATORS: between the two random start numbers: "от 1 до 99".
    range->addWidget(new QLabel(Q(TrC("range", "до"))));
    range->addWidget(to_);
    auto* form = new QFormLayout;
    form->addRow(Q(Tr("&Фигура:")), figures_);
    form->addRow(Q(Tr("&Брой задачи:")), count_);
    form->addRow(random_);
    // TRANSLATORS: before the two random start numbers: "от 1 до 99".
    form->addRow(Q(TrC("range", "от")), range);
    form->addRow(Q(Tr("&Вариант №:")), seed_);
    form->addRow(Q(Tr("Или &начални числа:")), starts_);
    form->addRow(Q(Tr("&Дадени числа:")), given_);
    form->addRow(Q(Tr("Задачи на стр&аница:")), perPage_);
    form->addRow(Q(Tr("&Език на листа:")), language_);
    form->addRow(large_);
    form->addRow(answers_);
    form->addRow(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* print = buttons->addButton(Q(Tr("&Печат…")), QDialogButtonBox::ActionRole);
    QPushButton* save =
        buttons->addButton(Q(Tr("&Запази като PDF…")), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, &WorksheetDialog::Print);
    connect(save, &QPushButton::clicked, this, &WorksheetDialog::AskAndSavePdf);
    form->addRow(buttons);

    preview_ = new QPrintPreviewWidget;
    preview_->setMinimumSize(360, 480);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        const LanguageScope sheetLanguage(SheetLanguage());
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
    connect(language_, &QComboBox::currentIndexChanged, this, &WorksheetDialog::Refresh);
    Refresh();
}

const SheetFigureList& WorksheetDialog::ChosenFigures() const {
    return SheetChoices()[std::size_t(figures_->currentIndex())].figures;
}

Language WorksheetDialog::SheetLanguage() const {
    return static_cast<Language>(language_->currentData().toInt());
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

// The sheet in its own language; what is wrong with the choices in the window's.
bool WorksheetDialog::SavePdf(const QString& path) {
    QString error;
    if (const auto checked = MakeWorksheet(Request());
        const auto* problem = std::get_if<std::string>(&checked)) {
        error = QString::fromStdString(*problem);
    } else {
        const LanguageScope sheetLanguage(SheetLanguage());
        if (WriteWorksheetPdf(std::get<Worksheet>(MakeWorksheet(Request())), path, error))
            return true;
    }
    QMessageBox::warning(this, windowTitle(), error);
    return false;
}

void WorksheetDialog::AskAndSavePdf() {
    QString name;
    {
        // The file's name in the sheet's language: a suggestion the teacher reads and may
        // change, not a name the program looks for.
        const LanguageScope sheetLanguage(SheetLanguage());
        // TRANSLATORS: the worksheet's file name suggested when saving; {variant} is its
        // number. Letters, digits and hyphens only.
        name = Q(Format(Tr("работен-лист-{variant}.pdf"), {{"variant", seed_->value()}}));
    }
    const QString path = QFileDialog::getSaveFileName(this, Q(Tr("Запази като PDF")), name,
                                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty() || !SavePdf(path))
        return;
    // Saved: say where, and offer to open it in the desktop's PDF viewer.
    auto* saved = new QMessageBox(
        QMessageBox::Information, windowTitle(),
        // TRANSLATORS: {file} is the whole path of the PDF just written.
        Q(Format(Tr("Работният лист е записан в\n{file}"), {{"file", path.toStdString()}})),
        QMessageBox::Close, this);
    saved->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* open = saved->addButton(Q(Tr("&Отвори")), QMessageBox::AcceptRole);
    connect(open, &QPushButton::clicked, this,
            [path] { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    saved->open();
}

void WorksheetDialog::Print() {
    if (!std::holds_alternative<Worksheet>(MakeWorksheet(Request())))
        return;
    QPrinter printer;
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm),
                    QPageLayout::Millimeter));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const LanguageScope sheetLanguage(SheetLanguage());
    DrawWorksheet(std::get<Worksheet>(MakeWorksheet(Request())), printer);
}
