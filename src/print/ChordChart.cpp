#include "print/ChordChart.h"

#include "fretboard/ChordBoxPainter.h"
#include "print/ReferenceSheet.h"

#include <QSet>
#include <algorithm>

namespace chordalis {

namespace {

// Heights in twips.
constexpr double BarRowHeight = 620;
constexpr double BarHeight = 440; // the bar lines, under the symbols' top
constexpr double BoxWidth = sheet::MaxBoxWidth;
constexpr double BoxGap = 200;        // between rows of boxes and above the first
constexpr double HeaderHeight = 1100; // title, the key line and a gap

double boxHeight(const ChordChartLayout& layout) {
    const int strings = layout.boxes.empty() ? 6 : layout.boxes.front().strings;
    return BoxWidth / chordBoxWidthFor(1, strings);
}

ChordBox boxOf(const ProgressionChart& chart, const ProgressionChord& chord, const Voicing& grip,
               bool leftHanded) {
    std::vector<BoxString> strings;
    for (int s = 1; s <= grip.strings(); ++s) {
        const auto fret = grip.fret(s);
        const QString finger = grip.finger(s);
        const int pitch = fret ? chart.tuning.openNote(s) + *fret : -1;
        strings.push_back({fret,
                           finger.size() == 1 && finger[0] >= u'1' && finger[0] <= u'4'
                               ? finger[0].digitValue()
                               : 0,
                           fret && pitch % 12 == chord.root.pitchClass,
                           {},
                           {}});
    }
    ChordBox box = layoutChordBox(strings, chart.capo, leftHanded);
    box.caption = chord.symbol;
    return box;
}

QString keyLine(const ProgressionChart& chart) {
    QString line = QStringLiteral("Key: %1 %2    Tempo: %3    Time: %4/4")
                       .arg(chart.keyRoot.name(), keyModeName(chart.keyMode))
                       .arg(chart.tempo)
                       .arg(chart.progression.beatsPerBar);
    if (chart.capo.fret > 0)
        line += QStringLiteral("    Capo: %1").arg(chart.capo.fret);
    return line;
}

} // namespace

ChordChartLayout layoutChordChart(const ProgressionChart& chart, bool leftHanded) {
    ChordChartLayout layout;
    QSet<QString> shown;
    const auto& chords = chart.progression.chords;
    for (size_t i = 0; i < chords.size() && i < chart.grips.size(); ++i) {
        if (chart.grips[i] && !shown.contains(chords[i].symbol)) {
            shown.insert(chords[i].symbol);
            layout.boxes.push_back(boxOf(chart, chords[i], *chart.grips[i], leftHanded));
        }
    }
    const int bars = std::max(chart.progression.bars, chords.empty() ? 0 : chords.back().bar + 1);
    const int barRows = (bars + ChordChartLayout::BarsPerRow - 1) / ChordChartLayout::BarsPerRow;
    const int boxRows = (int(layout.boxes.size()) + ChordChartLayout::BoxesPerRow - 1) /
                        ChordChartLayout::BoxesPerRow;
    const double room = sheet::Height - sheet::Top - HeaderHeight;
    const double boxRow = boxHeight(layout) + BoxGap;
    int barRow = 0, boxRowAt = 0;
    do {
        ChordChartLayout::Page page{barRow, 0, boxRowAt, 0};
        double used = 0;
        while (barRow < barRows && used + BarRowHeight <= room) {
            used += BarRowHeight;
            ++page.barRows;
            ++barRow;
        }
        while (barRow == barRows && boxRowAt < boxRows && used + boxRow <= room) {
            used += boxRow;
            ++page.boxRows;
            ++boxRowAt;
        }
        layout.pages.push_back(page);
    } while (barRow < barRows || boxRowAt < boxRows);
    return layout;
}

void drawChordChart(PagePainter& p, const ProgressionChart& chart, const ChordChartLayout& layout,
                    int pageNumber) {
    using namespace sheet;
    const auto& page =
        layout.pages[size_t(std::clamp(pageNumber, 0, int(layout.pages.size()) - 1))];
    const double right = Width - Left;
    p.setFont(TitleFont);
    QString title = oneLine(chart.title);
    if (pageNumber > 0)
        title += QStringLiteral(" (continued)");
    p.drawText({Left, Top}, title);
    double y = Top + p.textSize(title).height() + LineGap;
    p.setFont(TextFont);
    p.drawText({Left, y}, keyLine(chart));
    y = Top + HeaderHeight;

    // The bars: four to a row, a bar line at each end, each chord's symbol at its first beat.
    const auto& chords = chart.progression.chords;
    const int meter = std::max(1, chart.progression.beatsPerBar);
    const double barWidth = (right - Left) / ChordChartLayout::BarsPerRow;
    p.setPen(MinimumPen * 2);
    for (int row = page.firstBarRow; row < page.firstBarRow + page.barRows; ++row) {
        const int first = row * ChordChartLayout::BarsPerRow;
        int lastBar = first;
        for (const ProgressionChord& c : chords)
            lastBar = c.bar >= first && c.bar < first + ChordChartLayout::BarsPerRow
                          ? std::max(lastBar, c.bar)
                          : lastBar;
        const int inRow = lastBar - first + 1;
        for (int k = 0; k <= inRow; ++k) {
            const double x = Left + k * barWidth;
            p.drawLine({x, y}, {x, y + BarHeight});
        }
        // A symbol starts on its beat, or just after the text before it where that runs on; a
        // "/" that would overlap a symbol is left out.
        double written = 0; // where the last text drawn ends
        int beat = 0, bar = -1;
        for (const ProgressionChord& c : chords) {
            if (c.bar < first || c.bar > lastBar)
                continue;
            beat = c.bar == bar ? beat : 0;
            bar = c.bar;
            const double x0 = Left + (c.bar - first) * barWidth + 100;
            const double beatWidth = (barWidth - 100) / meter;
            const double x = std::max(x0 + beat * beatWidth, written);
            p.drawText({x, y + 40}, c.symbol);
            written = x + p.textSize(c.symbol).width() + 60;
            for (int b = 1; b < c.beats; ++b) {
                if (x0 + (beat + b) * beatWidth >= written)
                    p.drawText({x0 + (beat + b) * beatWidth, y + 40}, QStringLiteral("/"));
            }
            beat += c.beats;
        }
        y += BarRowHeight;
    }

    // The boxes of the chosen grips, framed as the chosen grip is on a reference sheet.
    const double height = boxHeight(layout);
    const double cell = (right - Left) / ChordChartLayout::BoxesPerRow;
    for (int row = page.firstBoxRow; row < page.firstBoxRow + page.boxRows; ++row) {
        y += BoxGap;
        for (int k = 0; k < ChordChartLayout::BoxesPerRow; ++k) {
            const size_t index = size_t(row * ChordChartLayout::BoxesPerRow + k);
            if (index >= layout.boxes.size())
                break;
            p.drawChordBox(layout.boxes[index],
                           QRectF(Left + k * cell + (cell - BoxWidth) / 2, y, BoxWidth, height),
                           MarkerLabels::Fingers, true);
        }
        y += height;
    }
}

PdfResult writeChordChartPdf(const QString& path, const ProgressionChart& chart,
                             const QPageSize& paper, bool leftHanded) {
    const ChordChartLayout layout = layoutChordChart(chart, leftHanded);
    return writeSheetsPdf(path, sheetPageLayout(paper), 1, oneLine(chart.title),
                          [&](PagePainter& painter, int, int part, int& parts) {
                              parts = int(layout.pages.size());
                              drawChordChart(painter, chart, layout, part);
                              return QString();
                          });
}

} // namespace chordalis
