#pragma once

#include "fretboard/Colour.h"

#include <QString>
#include <QWidget>
#include <vector>

namespace chordalis {

// A legend of marker colours: a sample of each beside the words that explain it, samples shaped
// as the neck draws them. The colours are read again at every refresh, so a change in the colour
// key shows at once.
class ColourLegend : public QWidget {
    Q_OBJECT

public:
    enum class Sample {
        Disc,   // a chord's circle marker
        Square, // a scale's square marker
        Text,   // a chord finder description on the chip of its colour (finderChipStyle)
    };
    struct Entry {
        Sample sample;
        const PackedColour* colour;
        QString text;
    };

    // Entries in a row (a short legend) or one under the other.
    ColourLegend(const QString& name, std::vector<Entry> entries, Qt::Orientation orientation,
                 QWidget* parent = nullptr);

    void refresh();

private:
    std::vector<Entry> m_entries;
    std::vector<QWidget*> m_samples;
};

} // namespace chordalis
