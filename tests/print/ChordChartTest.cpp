#include "print/ChordChart.h"

#include "../PdfText.h"
#include "../progressions/ChartCases.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

// A chart of `bars` bars in 4/4, cycling through `symbols` distinct chords, every one with a grip.
ProgressionChart longChart(int bars, int symbols) {
    std::vector<test::Chord> chords;
    static std::vector<QByteArray> names;
    names.clear();
    for (int k = 0; k < symbols; ++k)
        names.push_back(QStringLiteral("C%1").arg(k).toLatin1());
    for (int b = 0; b < bars; ++b)
        chords.push_back(
            {names[size_t(b % symbols)].constData(), 0, 0, 0, b, 4, "x32010", "x32010"});
    ProgressionChart c = test::chartOf(chords, 4);
    c.title = QStringLiteral("Long");
    return c;
}

// Every row of bars and boxes is on exactly one page, in order, whatever the length.
TEST(ChordChart, PagesHoldEveryRowOnce) {
    for (const auto& [bars, symbols] :
         std::vector<std::pair<int, int>>{{1, 1}, {16, 4}, {64, 12}, {240, 40}, {512, 110}}) {
        const ChordChartLayout layout = layoutChordChart(longChart(bars, symbols));
        EXPECT_EQ(int(layout.boxes.size()), symbols);
        int barRow = 0, boxRow = 0;
        for (const auto& page : layout.pages) {
            EXPECT_GT(page.barRows + page.boxRows, 0) << bars;
            EXPECT_EQ(page.firstBarRow, barRow);
            EXPECT_EQ(page.firstBoxRow, boxRow);
            barRow += page.barRows;
            boxRow += page.boxRows;
        }
        EXPECT_EQ(barRow, (bars + 3) / 4);
        EXPECT_EQ(boxRow,
                  (symbols + ChordChartLayout::BoxesPerRow - 1) / ChordChartLayout::BoxesPerRow);
    }
}

// The PDF read back: the title and key line head each page, the symbols stand in their bars, a
// long chart goes on over pages headed "(continued)", and a file that cannot be written leaves
// nothing behind.
TEST(ChordChart, PdfReadsBackOverSeveralPages) {
    QTemporaryDir dir;
    ProgressionChart chart = longChart(64, 12);
    chart.title = QStringLiteral("Long } chart");
    chart.capo = Capo{2, 0, 0};
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    const PdfResult r = writeChordChartPdf(path, chart, QPageSize(QPageSize::A4));
    ASSERT_EQ(r.status, PdfResult::Written) << r.message.toStdString();
    const test::PdfText text = test::readPdf(path);
    ASSERT_GE(text.pages, 2);
    EXPECT_EQ(text.pages, r.pages);
    EXPECT_TRUE(text.findLine(QStringLiteral("Long } chart"), 0));
    EXPECT_TRUE(text.findLine(QStringLiteral("Long } chart (continued)"), 1));
    EXPECT_TRUE(text.findLine(QStringLiteral("Key: C Major Tempo: 100 Time: 4/4 Capo: 2"), 0));
    int symbols = 0;
    for (const auto& w : text.words)
        symbols += w.text.startsWith(u'C') && w.text.size() <= 3 && w.text[1].isDigit();
    EXPECT_GE(symbols, 64 + 12); // every bar's symbol and each box's caption

    const QString blocked = dir.filePath(QStringLiteral("no/such/folder/chart.pdf"));
    EXPECT_EQ(writeChordChartPdf(blocked, chart, QPageSize(QPageSize::A4)).status,
              PdfResult::Failed);
    EXPECT_FALSE(QFile::exists(blocked));
}

} // namespace
} // namespace chordalis
