#pragma once

#include "print/PagePainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <functional>

namespace chordalis {

// The paper a sheet is written on without a printer to choose it: Letter where the user's
// locale measures in inches, A4 elsewhere.
QPageSize defaultSheetPaper();

// The paper turned to landscape, with margins that centre the sheet across it and leave as much
// paper above it. The sheet's twips count from the top left of the margins.
QPageLayout sheetPageLayout(const QPageSize& paper);

// Where a PDF page of the layout puts the sheet's origin, in points from the paper's top left:
// the margins as the writer rounds them to its device pixels.
QPointF pdfSheetOrigin(const QPageLayout& layout);

struct PdfResult {
    enum Status { Written, Refused, Failed };
    Status status = Failed;
    QString message; // the refusal, or why the file could not be written
    int pages = 0;   // the pages written
};

// Draws page `part` (0 first) of sheet `sheet` of the PDF file and sets `parts` to the pages the
// sheet takes (it comes in as 1): the refusal text to abandon the file, or an empty text.
using SheetDrawer = std::function<QString(PagePainter& painter, int sheet, int part, int& parts)>;

// Writes sheets 0..sheetCount-1 into a PDF file, each on as many pages as its drawing says. The
// file is replaced only when every page was drawn and written: after a refusal or a failure it
// is left as it was.
PdfResult writeSheetsPdf(const QString& path, const QPageLayout& layout, int sheetCount,
                         const QString& title, const SheetDrawer& drawPage);

} // namespace chordalis
