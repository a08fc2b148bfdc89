#include "print/PdfSheets.h"

#include "print/QtPagePainter.h"
#include "print/ReferenceSheet.h"

#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// Fine enough that one device pixel is thinner than any line of a sheet.
constexpr int PdfResolution = 1200;

} // namespace

QPageSize defaultSheetPaper() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

QPageLayout sheetPageLayout(const QPageSize& paper) {
    const QSizeF portrait = paper.size(QPageSize::Point);
    const double width = std::max(portrait.width(), portrait.height());
    const double margin = std::max(0.0, std::floor((width - sheet::Width / TwipsPerPoint) / 2));
    return QPageLayout(paper, QPageLayout::Landscape, QMarginsF(margin, margin, margin, margin),
                       QPageLayout::Point);
}

QPointF pdfSheetOrigin(const QPageLayout& layout) {
    return QPointF(layout.paintRectPixels(PdfResolution).topLeft()) * 72.0 / PdfResolution;
}

PdfResult writeSheetsPdf(const QString& path, const QPageLayout& layout, int sheetCount,
                         const QString& title, const SheetDrawer& drawPage) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {PdfResult::Failed, file.errorString()};
    QPdfWriter writer(&file);
    writer.setResolution(PdfResolution);
    writer.setPageLayout(layout);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Chordalis"));

    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return {PdfResult::Failed, QStringLiteral("the PDF writer could not start")};
    }
    QtPagePainter page(painter);
    int written = 0;
    for (int k = 0; k < sheetCount; ++k) {
        int parts = 1;
        for (int part = 0; part < parts; ++part) {
            if (written > 0 && !writer.newPage()) {
                painter.end();
                file.cancelWriting();
                return {PdfResult::Failed, QStringLiteral("the PDF writer could not add a page")};
            }
            if (const QString refusal = drawPage(page, k, part, parts); !refusal.isEmpty()) {
                painter.end();
                file.cancelWriting();
                return {PdfResult::Refused, refusal};
            }
            ++written;
        }
    }
    if (!painter.end() || !file.commit())
        return {PdfResult::Failed, file.errorString()};
    return {PdfResult::Written, {}, written};
}

} // namespace chordalis
