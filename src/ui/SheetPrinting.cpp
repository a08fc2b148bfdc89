#include "ui/SheetPrinting.h"

#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "print/ChordChart.h"
#include "print/PdfSheets.h"
#include "print/QtPagePainter.h"
#include "print/ReferenceSheet.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

namespace chordalis {

namespace {

// Shows the refusal of the current mode, if it has one; true when it refused.
bool refused(const Program& program, MessageBoxes& boxes) {
    const QString refusal = printRefusal(program.state(), program.pages().mode);
    if (refusal.isEmpty())
        return false;
    boxes.inform(BoxIcon::Exclamation, refusal);
    return true;
}

QString currentTitle(const Program& program) {
    return sheetTitle(program.state(), program.pages(), program.pages().mode);
}

// Ends the job on the printer: a printer in error aborts it. False then.
bool endJob(QPrinter& printer, QPainter& painter) {
    if (printer.printerState() == QPrinter::Error) {
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

// The print dialog for a landscape sheet named `title`: no selection, no page range. False when
// cancelled or no printer is valid.
bool choosePrinter(QPrinter& printer, QWidget* parent, const QString& title) {
    printer.setPageOrientation(QPageLayout::Landscape);
    // The job's name, and the file name Qt's own PDF output offers.
    printer.setDocName(QFileInfo(sheetFileName(title)).completeBaseName());
    printer.setCreator(QStringLiteral("Chordalis"));
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted || !printer.isValid())
        return false;
    printer.setPageOrientation(QPageLayout::Landscape); // the sheet is laid out across
    return true;
}

} // namespace

QString sheetFileName(const QString& title) {
    QString name = title;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.remove(QRegularExpression(QStringLiteral("[:\\\\*?\"<>|]")));
    name = name.simplified();
    if (name.isEmpty())
        name = QStringLiteral("Chordalis");
    return name + QLatin1String(".pdf");
}

bool printSheet(QPrinter& printer, const Program& program) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QtPagePainter page(painter);
    int parts = 1;
    for (int part = 0; part < parts; ++part) {
        if (part > 0 && !printer.newPage())
            break; // the error is the printer's state, below
        parts = drawReferenceSheet(page, program.state(), program.pages(), program.pages().mode,
                                   program.fretboard().picture(), part);
    }
    return endJob(printer, painter);
}

void printCurrentSheet(QWidget* parent, Program& program, MessageBoxes& boxes) {
    if (refused(program, boxes))
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (choosePrinter(printer, parent, currentTitle(program)))
        printSheet(printer, program);
}

bool printChart(QPrinter& printer, const Program& program) {
    const ProgressionChart chart = program.progressions().chart();
    const ChordChartLayout layout = layoutChordChart(chart, program.state().leftHanded);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QtPagePainter page(painter);
    for (int part = 0; part < int(layout.pages.size()); ++part) {
        if (part > 0 && !printer.newPage())
            break; // the error is the printer's state, below
        drawChordChart(page, chart, layout, part);
    }
    return endJob(printer, painter);
}

void printProgressionChart(QWidget* parent, Program& program, MessageBoxes& boxes) {
    const auto& progression = program.progressions().progression();
    if (!progression || progression->chords.empty()) {
        boxes.inform(BoxIcon::Exclamation,
                     QStringLiteral("There is no progression to print: choose one or type its "
                                    "chords."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer, parent, program.progressions().chart().title))
        return;
    if (!printChart(printer, program))
        boxes.inform(BoxIcon::Stop, QStringLiteral("The chord chart could not be printed."));
}

bool exportSheet(const Program& program, const QString& path, MessageBoxes& boxes) {
    if (refused(program, boxes))
        return false;
    const PdfResult result = writeSheetsPdf(
        path, sheetPageLayout(defaultSheetPaper()), 1, currentTitle(program),
        [&](PagePainter& page, int, int part, int& parts) {
            parts = drawReferenceSheet(page, program.state(), program.pages(), program.pages().mode,
                                       program.fretboard().picture(), part);
            return QString();
        });
    if (result.status == PdfResult::Written)
        return true;
    boxes.inform(
        BoxIcon::Stop,
        QStringLiteral("The PDF file could not be written:\n%1\n%2").arg(path, result.message));
    return false;
}

void exportCurrentSheet(QWidget* parent, Program& program, MessageBoxes& boxes, QString& folder) {
    if (refused(program, boxes))
        return;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parent, QStringLiteral("Export as PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(folder);
    dialog.selectFile(sheetFileName(currentTitle(program)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    folder = QFileInfo(path).absolutePath();
    exportSheet(program, path, boxes);
}

} // namespace chordalis
