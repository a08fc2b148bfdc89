#include "app/ProgressionExport.h"

#include "../progressions/ChartCases.h"
#include "sound/MidiOut.h"

#include <gtest/gtest.h>
#include <map>

using namespace chordalis;
using chordalis::test::chartOf;

// The file read back by the program's own MIDI file reader: each chord starts where the meter
// and the tempo put it (its lowest note shown), the bass follows a slash chord's bass, a chord
// without a grip is a rest, and a chord repeated ends before it starts again.
TEST(ProgressionMidi, ReadsBackWithTheChordsOnTheirBeats) {
    struct Case {
        ProgressionChart chart;
        int tempo;
        bool bass;
        QString guitar, bassNotes; // "beat:note" of each chord's first note-on
        double seconds;
    };
    const std::vector<Case> cases{
        {chartOf({{"C", 0, 0, 0, 0, 2, "x32010", "x32010"},
                  {"C", 0, 0, 0, 0, 2, "x32010", "x32010"},
                  {"G/B", 4, 7, 0, 1, 4, "x20003", "x10003", 6, 11}},
                 4),
         120, true, "0:48 2:48 4:47", "0:36 2:36 4:35", 4.0},
        // 3/4 at 90: the second bar starts on beat 3; D has no grip.
        {chartOf({{"Am", 5, 9, 0, 0, 3, "x02210", "x02310"},
                  {"D", 1, 2, 0, 1, 2, nullptr, nullptr},
                  {"E", 2, 4, 0, 1, 1, "022100", "023100"}},
                 3),
         90, false, "0:45 5:40", "", 4.0},
    };
    for (Case c : cases) {
        c.chart.tempo = c.tempo;
        QString error;
        const auto song =
            parseMidiFile(midiFileBytes(progressionMidiScore(c.chart, c.bass)), &error);
        ASSERT_TRUE(song) << error.toStdString();
        EXPECT_EQ(song->format, 1);
        EXPECT_EQ(song->tracks, c.bass ? 3 : 2);
        EXPECT_NEAR(song->length, c.seconds, 1e-3);
        std::map<int, QStringList> starts; // by channel
        std::map<int, double> on;          // by note: when it began sounding
        for (const MidiSong::Event& e : song->events) {
            const double beat = e.time * c.tempo / 60.0;
            const int note = data1Of(e.word);
            if ((statusOf(e.word) & 0xf0) == 0x90) {
                QStringList& list = starts[statusOf(e.word) & 0x0f];
                const QString at = QString::number(beat) + u':';
                if (list.isEmpty() || !list.last().startsWith(at))
                    list << at + QString::number(note);
                on[note] = beat;
            } else if ((statusOf(e.word) & 0xf0) == 0x80) {
                EXPECT_LT(on[note], beat) << "note " << note << " cut off as it starts";
            }
        }
        EXPECT_EQ(starts[0].join(u' '), c.guitar);
        EXPECT_EQ(starts[1].join(u' '), c.bassNotes);
    }
}
