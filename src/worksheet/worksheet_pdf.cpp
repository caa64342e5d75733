// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheet_pdf.h"

#include "worksheet/worksheet_layout.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextStream>

namespace velmora {

void DrawWorksheet(const Worksheet& sheet, QPagedPaintDevice& device) {
    QPainter painter(&device);
    const std::vector<SheetPage> pages = LayoutWorksheet(sheet, device, painter.viewport());
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0)
            device.newPage();
        const double mm = device.logicalDpiY() / 25.4;
        painter.setPen(QPen(Qt::black, 0.3 * mm));
        painter.drawLines(pages[page].lines.data(), int(pages[page].lines.size()));
        painter.setPen(QPen(Qt::black, 0.4 * mm));
        // All filled first: a grid's boxes share their edges.
        for (const SheetBox& box : pages[page].boxes)
            painter.fillRect(box.rect, Qt::white);
        for (const SheetBox& box : pages[page].boxes)
            painter.drawRect(box.rect);
        for (const SheetText& text : pages[page].texts) {
            painter.setFont(text.font);
            painter.drawText(text.box, text.flags, text.text);
        }
    }
}

namespace {

// Why `path` cannot be written, in the program's language rather than the system's.
QString SaveFailure(const QString& path) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    const SaveProblem problem = info.isDir()                          ? SaveProblem::IsFolder
                                : !folder.exists() || !folder.isDir() ? SaveProblem::MissingFolder
                                : !folder.isWritable()                ? SaveProblem::NotAllowed
                                                                      : SaveProblem::Other;
    return QString::fromStdString(SaveProblemText(
        problem, path.toStdString(), QDir::toNativeSeparators(folder.filePath()).toStdString()));
}

} // namespace

bool WriteWorksheetPdf(const Worksheet& sheet, const QString& path, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = SaveFailure(path);
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(QString::fromStdString(WorksheetTitle()));
        pdf.setCreator(QStringLiteral("velmora"));
        pdf.setResolution(300);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm),
                        QPageLayout::Millimeter));
        DrawWorksheet(sheet, pdf);
    }
    if (!file.commit()) {
        error = SaveFailure(path);
        return false;
    }
    return true;
}

int WriteWorksheetCommand(const WorksheetRequest& request, const QString& path, QTextStream& err) {
    const auto made = MakeWorksheet(request);
    QString error;
    if (const auto* problem = std::get_if<std::string>(&made))
        error = QString::fromStdString(*problem);
    else if (WriteWorksheetPdf(std::get<Worksheet>(made), path, error))
        return 0;
    err << "velmora: " << error << '\n';
    return 2;
}

} // namespace velmora
