#pragma once

#include "print/PagePainter.h"
#include "print/PdfSheets.h"
#include "progressions/Chart.h"

#include <QString>
#include <vector>

namespace chordalis {

// A printed chord chart of a voiced progression, on the reference sheets' landscape page: the
// title, a line with the key, tempo, meter and capo, the bars four to a row with each chord's
// symbol where its beat falls ("/" for each further beat), then a chord box of each symbol's
// chosen grip, framed. Rows that do not fit go on further pages, headed "(continued)".

// Where each page's rows begin: the rows of bars, then the rows of boxes, in page order.
struct ChordChartLayout {
    struct Page {
        int firstBarRow = 0, barRows = 0; // rows of four bars
        int firstBoxRow = 0, boxRows = 0; // rows of BoxesPerRow boxes
    };
    std::vector<Page> pages;
    std::vector<ChordBox> boxes; // one per symbol with a grip, in the order they first sound
    static constexpr int BarsPerRow = 4;
    static constexpr int BoxesPerRow = 8;
};

// The boxes and the pages of a chart; left-handed boxes are mirrored.
ChordChartLayout layoutChordChart(const ProgressionChart& chart, bool leftHanded = false);

// Draws page `page` (0 first) of the laid-out chart.
void drawChordChart(PagePainter& painter, const ProgressionChart& chart,
                    const ChordChartLayout& layout, int page);

// Writes the chart as a PDF file on the paper, replacing the file only when every page was
// written.
PdfResult writeChordChartPdf(const QString& path, const ProgressionChart& chart,
                             const QPageSize& paper, bool leftHanded = false);

} // namespace chordalis
