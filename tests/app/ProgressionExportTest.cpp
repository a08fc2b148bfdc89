#include "app/ProgressionExport.h"

#include "../progressions/ChartCases.h"
#include "sound/MidiOut.h"

#include <gtest/gtest.h>

using namespace chordalis;
using chordalis::test::chartOf;

namespace {

// "time:note" of each note-on of a channel (0-based) in the song read back, times in beats.
QStringList noteOns(const MidiSong& song, int channel, double beatsPerMinute) {
    QStringList out;
    for (const MidiSong::Event& e : song.events) {
        if (statusOf(e.word) == (0x90 | channel) && data2Of(e.word) > 0)
            out << QStringLiteral("%1:%2")
                       .arg(e.time * beatsPerMinute / 60.0, 0, 'f', 2)
                       .arg(data1Of(e.word));
    }
    return out;
}

} // namespace

// The file is read back by the program's own MIDI file reader: the beats land where the meter
// and the tempo put them, each grip's notes sound as the tuning makes them, the bass follows the
// slash chord's bass, and a chord repeated sounds again rather than being cut off.
TEST(ProgressionMidi, ReadsBackWithTheChordsOnTheirBeats) {
    struct Case {
        ProgressionChart chart;
        bool bass;
        int tracks;
        QStringList guitar; // the notes that start each chord (first of its grip, lowest)
        QStringList bassNotes;
        double seconds;
    };
    auto timed = [](ProgressionChart c, int tempo) {
        c.tempo = tempo;
        return c;
    };
    const std::vector<Case> cases{
        {timed(chartOf({{"C", 0, 0, 0, 0, 2, "x32010", "x32010"},
                        {"G/B", 4, 7, 0, 0, 2, "x20003", "x10003", 6, 11},
                        {"C", 0, 0, 0, 1, 4, "x32010", "x32010"}},
                       4),
               120),
         true,
         3,
         {"0.00:48", "2.00:47", "4.00:48"},
         {"0.00:36", "2.00:35", "4.00:36"},
         4.0},
        // 3/4 at 90: the second bar starts on beat 3; a chord without a grip is a rest.
        {timed(chartOf({{"Am", 5, 9, 0, 0, 3, "x02210", "x02310"},
                        {"D", 1, 2, 0, 1, 2, nullptr, nullptr},
                        {"E", 2, 4, 0, 1, 1, "022100", "023100"}},
                       3),
               90),
         false,
         2,
         {"0.00:45", "5.00:40"},
         {},
         4.0},
    };
    for (const Case& c : cases) {
        QString error;
        const auto song =
            parseMidiFile(midiFileBytes(progressionMidiScore(c.chart, c.bass)), &error);
        ASSERT_TRUE(song) << error.toStdString();
        EXPECT_EQ(song->format, 1);
        EXPECT_EQ(song->tracks, c.tracks);
        EXPECT_NEAR(song->length, c.seconds, 1e-3);
        QStringList firsts;
        double last = -1;
        for (const QString& n : noteOns(*song, 0, c.chart.tempo)) {
            if (n.section(u':', 0, 0).toDouble() != last)
                firsts << n;
            last = n.section(u':', 0, 0).toDouble();
        }
        EXPECT_EQ(firsts, c.guitar);
        EXPECT_EQ(noteOns(*song, 1, c.chart.tempo), c.bassNotes);
    }
    // Each grip sounds every string it plays, and a repeated C ends before it starts again.
    const ProgressionChart twice = chartOf(
        {{"C", 0, 0, 0, 0, 4, "x32010", "x32010"}, {"C", 0, 0, 0, 1, 4, "x32010", "x32010"}}, 4);
    const auto song = parseMidiFile(midiFileBytes(progressionMidiScore(twice, false)), nullptr);
    ASSERT_TRUE(song);
    EXPECT_EQ(noteOns(*song, 0, 100).mid(0, 5),
              (QStringList{"0.00:48", "0.00:52", "0.00:55", "0.00:60", "0.00:64"}));
    int sounding = 0, most = 0;
    for (const MidiSong::Event& e : song->events) {
        if ((statusOf(e.word) & 0xf0) == 0x90 && data2Of(e.word) > 0)
            most = std::max(most, ++sounding);
        else if ((statusOf(e.word) & 0xf0) == 0x80)
            --sounding;
    }
    EXPECT_EQ(most, 5);
    EXPECT_EQ(sounding, 0);
}
