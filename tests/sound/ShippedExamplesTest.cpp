// The play-along examples of the shipped library, read the way the information window reads them:
// the keys through the INI reader, the files through the example decoder and the MIDI file
// reader, the item's notes through the library loader and the spelling of its formula.

#include "../ShippedLibrary.h"
#include "modes/Info.h"
#include "sound/MidiFile.h"
#include "sound/MidiOut.h"
#include "theory/Spelling.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace chordalis {
namespace {

constexpr int DrumChannel = 9;

struct Item {
    QString mode; // "chord", "scale" or "triad"
    int number = 0;
    QString formula;
};

std::vector<Item> shippedItems() {
    const test::ShippedLibrary& lib = test::shippedLibrary();
    std::vector<Item> items;
    for (int i = 0; i < lib.chords.count; ++i)
        items.push_back({QStringLiteral("chord"), i, lib.chords.entries[i].formula});
    for (int i = 0; i < lib.scales.count; ++i)
        items.push_back({QStringLiteral("scale"), i, lib.scales.entries[i].formula});
    for (int i = 0; i < TriadCount; ++i)
        items.push_back({QStringLiteral("triad"), i, lib.triads.entries[i].formula});
    return items;
}

std::optional<MidiSong> readExample(const QString& path, QString* error) {
    QFile file(path);
    const auto mid = file.open(QIODevice::ReadOnly) ? decodeExample(file.readAll()) : std::nullopt;
    *error = QStringLiteral("cannot be read, or is shorter than a header");
    return mid ? parseMidiFile(*mid, error) : std::nullopt;
}

// Seconds of sounding note time per pitch class, outside the drum channel. A key struck again
// while it sounds counts from the new strike.
std::map<int, double> soundingTime(const MidiSong& song) {
    std::map<int, double> time;
    std::map<std::pair<int, int>, double> started;
    for (const auto& e : song.events) {
        const int status = statusOf(e.word);
        const int kind = status & 0xF0;
        const int channel = status & 0x0F;
        if ((kind != 0x90 && kind != 0x80) || channel == DrumChannel)
            continue;
        const std::pair<int, int> key{channel, data1Of(e.word)};
        const auto on = started.find(key);
        if (on != started.end()) {
            time[key.second % 12] += e.time - on->second;
            started.erase(on);
        }
        if (kind == 0x90 && data2Of(e.word) > 0)
            started[key] = e.time;
    }
    for (const auto& [key, since] : started) // a note never released sounds to the end
        time[key.second % 12] += song.length - since;
    return time;
}

// Each file long enough, with drums; its harmony on the item's notes, a chord's at least half
// of the time, a scale's 85 %.
TEST(ShippedExamples, EveryItemListsExamplesThatExistPlayLongEnoughAndSoundItsNotes) {
    const QString folder = QStringLiteral(CHORDALIS_SHIPPED_DATA);
    const std::vector<Item> items = shippedItems();
    ASSERT_EQ(items.size(), 222u);
    std::set<QString> checked;
    for (const Item& item : items) {
        const InfoKeys keys = readInfoKeys(test::shippedLibrary().ini, item.mode, item.number);
        SCOPED_TRACE(
            qPrintable(item.mode + u' ' + QString::number(item.number) + u' ' + keys.stem));
        ASSERT_TRUE(isPlainFileName(keys.stem));
        EXPECT_GE(leadingNumber(keys.examples), 2);
        EXPECT_TRUE(keys.examples.endsWith(u'*')) << "no pedal grooves";
        std::set<int> pitchClasses;
        for (const NoteEntry& n : spellFormula(item.formula, 0, 0))
            if (n.isUsed())
                pitchClasses.insert(n.pitchClass);
        ASSERT_FALSE(pitchClasses.empty());
        const double needed = item.mode == QLatin1String("scale") ? 0.85 : 0.5;
        for (const ExampleEntry& entry : exampleEntries(keys.stem, keys.examples)) {
            QString error;
            const auto song = readExample(examplePath(folder, entry.file), &error);
            ASSERT_TRUE(song) << qPrintable(entry.file + u' ' + error);
            double total = 0, on = 0;
            for (const auto& [pc, seconds] : soundingTime(*song)) {
                total += seconds;
                if (pitchClasses.count(pc))
                    on += seconds;
            }
            ASSERT_GT(total, 0.0) << qPrintable(entry.file) << " sounds no notes";
            EXPECT_GE(on / total, needed) << qPrintable(entry.file);
            if (!checked.insert(entry.file).second)
                continue; // the pedal grooves are shared
            EXPECT_GE(song->length, 8.0) << qPrintable(entry.file);
            EXPECT_LT(song->length, 60.0) << qPrintable(entry.file);
            const bool drums = std::any_of(song->events.begin(), song->events.end(), [](auto& e) {
                return (statusOf(e.word) & 0xF0) == 0x90 &&
                       (statusOf(e.word) & 0x0F) == DrumChannel;
            });
            EXPECT_TRUE(drums) << qPrintable(entry.file) << " has no drums on channel 10";
        }
    }
    EXPECT_EQ(checked.size(), 222u * 4 + 6);
}

} // namespace
} // namespace chordalis
