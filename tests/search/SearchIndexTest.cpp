#include "search/SearchIndex.h"

#include "../ShippedLibrary.h"
#include "theory/RootTabs.h"

#include <gtest/gtest.h>

using namespace chordalis;

namespace {

using Shipped = test::ShippedLibrary;
using test::shippedLibrary;

Found first(const char* text) {
    const auto found = shippedLibrary().index.find(QString::fromUtf8(text));
    return found.empty() ? Found{FoundMode::Note, -2, -1, {}, -1, {}, {}, {}} : found.front();
}

std::string where(const Found& f) {
    return std::string(foundModeWord(f.mode)) + " " + std::to_string(f.item) + " tab " +
           std::to_string(f.rootTab) + " bass " + std::to_string(f.bass) + " \"" +
           f.text.toStdString() + "\"";
}

// Every symbol and name on every root tab; so does the text the result offers to find it again.
TEST(SearchIndex, EveryChordSymbolOnEveryRootFindsItsChord) {
    const Shipped& s = shippedLibrary();
    ASSERT_EQ(s.chords.count, 110);
    int checked = 0;
    for (int chord = 0; chord < s.chords.count; ++chord) {
        const ChordEntry& e = s.chords.entries[size_t(chord)];
        QStringList symbols = e.chordsymbols.split(u';', Qt::SkipEmptyParts);
        symbols.prepend(e.name);
        for (size_t tab = 0; tab < RootTabs.size(); ++tab) {
            const QString root = QLatin1String(RootTabs[tab].caption);
            for (const QString& symbol : symbols) {
                const auto found = s.index.find(root + symbol);
                ASSERT_FALSE(found.empty()) << (root + symbol).toStdString();
                EXPECT_EQ(found[0].mode, FoundMode::Chord) << (root + symbol).toStdString();
                EXPECT_EQ(found[0].item, chord) << (root + symbol).toStdString();
                EXPECT_EQ(found[0].rootTab, int(tab) + 1) << (root + symbol).toStdString();
                const auto again = s.index.find(found[0].text);
                ASSERT_FALSE(again.empty());
                EXPECT_TRUE(again[0].samePlace(found[0])) << where(again[0]);
                ++checked;
            }
            // The long name with the root before it: "C# Minor 7th".
            const auto named = s.index.find(root + u' ' + e.nameverbose);
            ASSERT_FALSE(named.empty()) << e.nameverbose.toStdString();
            EXPECT_EQ(named[0].item, chord) << e.nameverbose.toStdString();
            EXPECT_EQ(named[0].name, root + u' ' + e.nameverbose);
        }
    }
    EXPECT_GT(checked, 17 * 350); // 374 names and symbols
}

// The ways players write chords beyond the library's own symbols, and the case that matters.
TEST(SearchIndex, CommonVariantsAndCaseFindTheChordPlayersMean) {
    const Shipped& s = shippedLibrary();
    // text, chord, root
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C-7", "m7", "C"},       {"Cmin7", "m7", "C"},    {"Cmi7", "m7", "C"},
        {"CΔ7", "maj7", "C"},     {"C△7", "maj7", "C"},    {"C^7", "maj7", "C"},
        {"CM7", "maj7", "C"},     {"cm7", "m7", "C"},      {"CMAJ7", "maj7", "C"},
        {"Cmajor7", "maj7", "C"}, {"Cø", "m7b5", "C"},     {"Cø7", "m7b5", "C"},
        {"C°7", "dim7", "C"},     {"Cdim7", "dim7", "C"},  {"C+", "aug", "C"},
        {"C7alt", "7#5#9", "C"},  {"C7(#9)", "7#9", "C"},  {"C7+9", "7#9", "C"},
        {"C7♯9", "7#9", "C"},     {"Cadd2", "add9", "C"},  {"C69", "6/9", "C"},
        {"Csus", "sus4", "C"},    {"Cm7-5", "m7b5", "C"},  {"C7(b9, b13)", "7b9b13", "C"},
        {"Gbm7♭5", "m7b5", "Gb"}, {"C maj7", "maj7", "C"}, {"Bb5", "5", "Bb"},
        {"Co", "dim", "C"},       {"C minor", "m", "C"},   {"Cm(maj7)", "m(maj7)", "C"},
    };
    for (const auto& [text, chord, root] : cases) {
        const Found f = first(text);
        EXPECT_EQ(f.mode, FoundMode::Chord) << text;
        EXPECT_EQ(f.item, s.chord(chord)) << text << " found " << where(f);
        EXPECT_EQ(f.root, QString::fromUtf8(root)) << text;
    }
    // C7alt lands on the altered dominant the library has.
    EXPECT_EQ(first("C7alt").name, "C Dominant 7th Sharp 5th Sharp 9th");
}

// A slash inside a library symbol is no bass; a root of another spelling goes to the tab that
// sounds the same; each result's text finds it again.
TEST(SearchIndex, SlashChordsScalesPagesAndNotes) {
    const Shipped& s = shippedLibrary();
    const int dorian = s.scale("Dorian"), hirajoshi = s.scale("Hirajoshi");
    // The text, where it goes (mode, item, root tab, bass) and the name it gives, if checked.
    const std::tuple<const char*, FoundMode, int, int, int, const char*> cases[] = {
        {"D/F#", FoundMode::Chord, s.chord("maj"), 4, 6, "D Major over F#"},
        {"Cbmaj7", FoundMode::Chord, s.chord("maj7"), 17, -1, "Cb Major 7th"},
        {"E#7", FoundMode::Chord, s.chord("7"), 8, -1, "E# Dominant 7th"},
        {"Fbm", FoundMode::Chord, s.chord("m"), 7, -1, "Fb Minor"},
        {"B#dim", FoundMode::Chord, s.chord("dim"), 1, -1, "B# Diminished"},
        {"Ebbm7", FoundMode::Chord, s.chord("m7"), 4, -1, "Ebb Minor 7th"},
        {"C##7", FoundMode::Chord, s.chord("7"), 4, -1, "C## Dominant 7th"},
        {"Am7/G", FoundMode::Chord, s.chord("m7"), 14, 7, nullptr},
        {"C6/9", FoundMode::Chord, s.chord("6/9"), 1, -1, nullptr},
        {"C7/6", FoundMode::Chord, s.chord("7(add13)"), 1, -1, nullptr},
        {"dorian", FoundMode::Scale, dorian, 0, -1, "Dorian"}, // the window keeps its root
        {"A dorian", FoundMode::Scale, dorian, 14, -1, "A Dorian"},
        {"dorian A", FoundMode::Scale, dorian, 14, -1, "A Dorian"},
        {"dorian in A", FoundMode::Scale, dorian, 14, -1, "A Dorian"},
        {"A DORIAN", FoundMode::Scale, dorian, 14, -1, "A Dorian"},
        {"A dorian mode", FoundMode::Scale, dorian, 14, -1, "A Dorian"},
        {"A second mode of major", FoundMode::Scale, dorian, 14, -1, "A Dorian"},
        {"hirajoshi on E", FoundMode::Scale, hirajoshi, 7, -1, nullptr},
        {"Hira-joshi", FoundMode::Scale, hirajoshi, 0, -1, nullptr},
        {"A minor scale", FoundMode::Scale, s.scale("Natural Minor"), 14, -1, nullptr},
        {"in", FoundMode::Scale, s.scale("In"), 0, -1, nullptr}, // a scale, not a connector
        {"C augmented", FoundMode::Chord, s.chord("aug"), 1, -1, nullptr},
        {"C augmented scale", FoundMode::Scale, s.scale("Augmented"), 1, -1, nullptr},
        {"Cm7 arpeggio", FoundMode::Arpeggio, s.chord("m7"), 1, -1, nullptr},
        {"arpeggio Cm7", FoundMode::Arpeggio, s.chord("m7"), 1, -1, nullptr},
        {"Cm triad", FoundMode::Triad, 3, 1, -1, "C Minor Root Position"},
        {"Eb minor first inversion", FoundMode::Triad, 4, 6, -1, nullptr},
        {"C chord", FoundMode::Chord, s.chord("maj"), 1, -1, nullptr},
        {"F#", FoundMode::Note, -1, 9, -1, nullptr},
        {"note F#", FoundMode::Note, -1, 9, -1, nullptr},
        {"F♯", FoundMode::Note, -1, 9, -1, nullptr},
        {"Cb", FoundMode::Note, -1, 17, -1, nullptr},
    };
    for (const auto& [text, mode, item, rootTab, bass, name] : cases) {
        const Found f = first(text);
        EXPECT_EQ(where(f), where({mode, item, rootTab, {}, bass, {}, f.text, {}})) << text;
        if (name) {
            EXPECT_EQ(f.name, QString::fromUtf8(name)) << text;
        }
        EXPECT_TRUE(first(f.text.toUtf8().constData()).samePlace(f)) << text << where(f);
    }
    EXPECT_EQ(first("D/F#").bassName, "F#");
    EXPECT_EQ(first("C augmented scale").text, "C Augmented scale");
    EXPECT_EQ(first("Cm7/X").item, -2); // no note after the slash: nothing
}

// Nonsense finds nothing and never fails; a near miss is offered its nearest names.
TEST(SearchIndex, NonsenseIsRefusedWithTheNearestNames) {
    const SearchIndex& index = shippedLibrary().index;
    for (const char* text :
         {"", "   ", "Xyz", "H7", "C/", "/F#", "Cm7/", "((((", "C#####", "Cm7/#", "\x01\x02"})
        EXPECT_TRUE(index.find(QString::fromUtf8(text)).empty()) << text;
    EXPECT_TRUE(index.find(QString(5000, u'C')).empty());
    EXPECT_TRUE(index.suggest(QString(5000, u'C')).isEmpty());

    QStringList near = index.suggest(u"F#m7b4");
    ASSERT_FALSE(near.isEmpty());
    EXPECT_LE(near.size(), 5);
    EXPECT_TRUE(near.contains("F#m7b5")) << near.join(u',').toStdString();
    near = index.suggest(u"A dorain");
    EXPECT_EQ(near.value(0), "A Dorian") << near.join(u',').toStdString();
    near = index.suggest(u"mixolyd");
    EXPECT_TRUE(near.value(0).startsWith("Mixolydian")) << near.join(u',').toStdString();
    EXPECT_EQ(index.suggest(u"hirajosi").value(0), "Hirajoshi");
}

TEST(SearchIndex, CompletionsBeginWithWhatTheTextNames) {
    const Shipped& s = shippedLibrary();
    auto texts = [](const std::vector<Found>& found) {
        QStringList out;
        for (const Found& f : found)
            out << f.text;
        return out;
    };
    auto list = s.index.complete(u"F#m7", 8);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].text, "F#m7");
    EXPECT_TRUE(texts(list).contains("F#m7b5")) << texts(list).join(u',').toStdString();
    EXPECT_LE(list.size(), 8u);
    list = s.index.complete(u"A dor", 8);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].text, "A Dorian") << texts(list).join(u',').toStdString();
    list = s.index.complete(u"pentat", 20);
    EXPECT_TRUE(texts(list).contains("Minor Pentatonic")) << texts(list).join(u',').toStdString();
    EXPECT_TRUE(s.index.complete(u"", 8).empty());
    // An empty library finds notes only.
    EXPECT_EQ(SearchIndex().find(u"G").size(), 1u);
    EXPECT_TRUE(SearchIndex().find(u"Gm7").empty());
}

} // namespace
