#include "print/ChordChart.h"

#include "../PdfText.h"
#include "../progressions/ChartCases.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

// A chart of `bars` bars in 4/4 cycling through `symbols` chords "C0".."Cn", each with a grip.
ProgressionChart longChart(int bars, int symbols) {
    static std::vector<QByteArray> names(110);
    for (int k = 0; k < int(names.size()); ++k)
        names[size_t(k)] = "C" + QByteArray::number(k);
    std::vector<test::Chord> chords;
    for (int b = 0; b < bars; ++b)
        chords.push_back(
            {names[size_t(b % symbols)].constData(), 0, 0, 0, b, 4, "x32010", "x32010"});
    return test::chartOf(chords, 4);
}

// Pages headed "(continued)"; a file that cannot be written leaves nothing behind.
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
    EXPECT_EQ(symbols, 64 + 12); // every bar's symbol and each box's caption

    const QString blocked = dir.filePath(QStringLiteral("no/such/folder/chart.pdf"));
    EXPECT_EQ(writeChordChartPdf(blocked, chart, QPageSize(QPageSize::A4)).status,
              PdfResult::Failed);
    EXPECT_FALSE(QFile::exists(blocked));
}

} // namespace
} // namespace chordalis
