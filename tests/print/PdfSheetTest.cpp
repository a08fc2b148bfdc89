#include "../PdfText.h"
#include "SheetCases.h"
#include "print/PdfSheets.h"
#include "print/QtPagePainter.h"
#include "print/ReferenceSheet.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

const QPageLayout A4 = sheetPageLayout(QPageSize(QPageSize::A4));

// The size of a text in the font on a PDF page, in twips.
QSizeF measure(PageFont font, const QString& text = {}) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    QtPagePainter page(painter);
    page.setFont(font);
    return page.textSize(text);
}

// The header lines and footer stand where the layout puts them, within a twip.
TEST(PdfSheet, EveryModeReadsBackWhereItWasLaidOut) {
    QTemporaryDir dir;
    const double title = measure(sheet::TitleFont).height();
    const double text = measure(sheet::TextFont).height();
    const QPointF origin = pdfSheetOrigin(A4);
    for (const test::SheetCase& c : test::SheetCases) {
        SCOPED_TRACE(c.name);
        test::HeadlessProgram p;
        c.setUp(p);
        const QString path = dir.filePath(QLatin1String(c.name) + ".pdf");
        const PdfResult written =
            writeSheetsPdf(path, A4, 1, c.header[0], [&](auto& page, int, int part, int& parts) {
                parts = drawReferenceSheet(page, p->state(), p->pages(), c.mode,
                                           p->fretboard().picture(), part);
                return QString();
            });
        ASSERT_EQ(written.status, PdfResult::Written);
        const test::PdfText pdf = test::readPdf(path);
        // The C major chord's 38 grips take a second page; every other sheet one.
        const int pages = c.mode == Mode::Chords ? 2 : 1;
        EXPECT_EQ(written.pages, pages);
        ASSERT_EQ(pdf.pages, pages) << "pdftotext (poppler-utils) could not read it";
        EXPECT_GT(pdf.width, pdf.height); // landscape

        auto expectAt = [&](const QString& line, double x, double y, int page = 0) {
            const auto* word = pdf.findLine(line, page);
            ASSERT_NE(word, nullptr) << qPrintable(line);
            EXPECT_NEAR(word->x, origin.x() + x / 20, 0.05) << qPrintable(line);
            EXPECT_NEAR(word->y, origin.y() + y / 20, 0.05) << qPrintable(line);
            // The blanks before "Notes:" are part of the line: the word stands after them.
            const qsizetype notes = line.indexOf(QLatin1String("Notes:"));
            const auto at = [&](const auto& w) {
                return w.text == "Notes:" && w.y == word->y;
            };
            if (notes > 0) {
                const double width = measure(sheet::TextFont, line.left(notes)).width();
                const auto after = std::find_if(pdf.words.begin(), pdf.words.end(), at);
                ASSERT_NE(after, pdf.words.end()) << qPrintable(line);
                EXPECT_NEAR(after->x, origin.x() + (x + width) / 20, 0.05);
            }
        };
        double y = 500;
        for (int k = 0; k < c.header.size(); ++k) {
            if (!c.header[k].isEmpty())
                expectAt(c.header[k], 500, y);
            y += 2 * (k == 0 ? title : text) + (k == 1 ? 60 : 20);
        }
        double footer = std::nearbyint(y) + 3327; // the picture's top, a whole twip
        if (c.mode == Mode::ChordScale)           // the legend's line, its top a whole twip
            footer = std::nearbyint(footer + text) + 2 * text;
        if (c.mode == Mode::ChordFinder)
            footer += 10 * text;
        const bool boxes =
            c.mode == Mode::Chords || c.mode == Mode::Triads || c.mode == Mode::Scales;
        if (!boxes) {
            expectAt(QLatin1String(SheetFooter), 500, footer);
        } else { // the boxes fill the page down to the footer (less than a row of them short
                 // where more follow)
            const auto* line = pdf.findLine(QLatin1String(SheetFooter));
            ASSERT_NE(line, nullptr);
            const double row = pages > 1 ? 1.2 * sheet::MinBoxWidth : 0;
            EXPECT_GT(line->y, origin.y() + (sheet::Height - 1500 - row) / 20);
            EXPECT_LT(line->y, origin.y() + sheet::Height / 20);
        }
    }
}

} // namespace
} // namespace chordalis
