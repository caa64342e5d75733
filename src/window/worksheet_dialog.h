// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/catalog.h"
#include "puzzle/worksheet.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QSpinBox;

// «Работен лист…»: the worksheet's choices beside a live preview, then print or save
// as PDF. The sheet itself comes from the puzzle core and is drawn by the worksheet
// drawing; this only gathers the choices.
class WorksheetDialog : public QDialog {
    Q_OBJECT

  public:
    // Starts from the figure and start number on show.
    WorksheetDialog(velmora::FigureMode figure, int start, QWidget* parent = nullptr);

    [[nodiscard]] velmora::WorksheetRequest Request() const;
    // The language the sheet is written in: the window's unless chosen otherwise.
    [[nodiscard]] velmora::Language SheetLanguage() const;
    // Writes the sheet to `path`; false with the reason shown when it cannot.
    bool SavePdf(const QString& path);

  private:
    [[nodiscard]] const velmora::SheetFigureList& ChosenFigures() const;
    void Refresh();
    void AskAndSavePdf();
    void Print();

    QComboBox* figures_ = nullptr;
    QComboBox* language_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLineEdit* starts_ = nullptr;
    QCheckBox* random_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QSpinBox* seed_ = nullptr;
    QSpinBox* given_ = nullptr;
    QSpinBox* perPage_ = nullptr;
    QCheckBox* large_ = nullptr;
    QCheckBox* answers_ = nullptr;
    QLabel* problem_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
};

// Opens the dialog over `parent`; it deletes itself when closed. The program itself
// loads it from a module of its own (see load_worksheet_dialog.cpp).
void OpenWorksheetDialog(velmora::FigureMode figure, int start, QWidget* parent);
