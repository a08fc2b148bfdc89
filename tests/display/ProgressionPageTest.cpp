#include "HeadlessProgram.h"
#include "app/ProgressionSession.h"
#include "modes/Modes.h"

#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

using test::HeadlessProgram;
using Places = std::set<std::pair<int, int>>; // fret, string

// Where the grip chosen for a chord of the page's progression sounds (or is fretted).
Places chosenPlaces(ProgressionSession& s, int chord, bool fretted = false) {
    Places out;
    const int choice = s.voiced().choice[size_t(chord)];
    const Voicing& grip = s.grips()[size_t(chord)].grips[size_t(choice)];
    for (int string = 1; string <= grip.strings(); ++string)
        if (const auto fret = grip.fret(string); fret && (*fret > 0 || !fretted))
            out.emplace(*fret, string);
    return out;
}

// What the last LED frame shows.
Places litPlaces(HeadlessProgram& p) {
    Places out;
    if (!p.led().frames.empty())
        for (const NeckPlace& place : p.led().frames.back())
            out.emplace(place.fret, place.string);
    return out;
}

class ProgressionPageTest : public ::testing::Test {
protected:
    void SetUp() override { s.enter(); }
    HeadlessProgram p;
    ProgressionSession& s = p->progressions();
};

TEST_F(ProgressionPageTest, TypedChordsMoveWithTheRootTabAndRefusalsNameTheirToken) {
    ASSERT_FALSE(s.page().cboProgressions.isEmpty());
    EXPECT_EQ(s.page().chosenProgression, 0);

    // The text, the root tab the key moves to afterwards, the symbols and numerals then.
    const std::tuple<QString, int, QStringList, QStringList> rows[] = {
        {"| Dm7 | G7 | Cmaj7 | % |", 4, {"Em7", "A7", "Dmaj7", "Dmaj7"}, {"", "", "", ""}},
        {"ii7 V7 Imaj7", 6, {"Fm7", "Bb7", "Ebmaj7"}, {"ii7", "V7", "Imaj7"}},
        {"| C/E | F |", 11, {"G/B", "C"}, {"", ""}},
    };
    for (const auto& [text, tab, symbols, numerals] : rows) {
        SCOPED_TRACE(text.toStdString());
        selectRootTab(p->context(), 1);
        ASSERT_TRUE(s.enterText(text));
        EXPECT_EQ(s.page().chosenProgression, -1);
        selectRootTab(p->context(), tab);
        s.rootChanged();
        EXPECT_EQ(s.page().symbols, symbols);
        EXPECT_EQ(s.page().numerals, numerals);
        EXPECT_EQ(s.page().boxes.size(), size_t(symbols.size()));
    }
    // A refusal names the token, keeps the chords read last and shows no box.
    const QStringList before = s.page().symbols;
    EXPECT_FALSE(s.enterText("| Dm7 | H7 |"));
    EXPECT_TRUE(s.page().lblProgressionError.contains("\"H7\""));
    EXPECT_EQ(s.page().symbols, before);
    EXPECT_TRUE(p.boxes().shown.empty());
    // A key without open shapes is offered the capo that gives them, while no capo is on.
    selectRootTab(p->context(), 1);
    ASSERT_TRUE(s.enterText("I IV V I"));
    selectRootTab(p->context(), 6);
    s.rootChanged();
    EXPECT_TRUE(s.page().lblCapo.startsWith("With a capo at fret "))
        << s.page().symbols.join(' ').toStdString();
}

TEST_F(ProgressionPageTest, TheNeckAndTheLightsShowTheChordClickedAndTheKeysChords) {
    ASSERT_TRUE(s.enterText("| C | Am | F | G7 |"));
    for (int chord : {2, 0, 3}) {
        SCOPED_TRACE(chord);
        s.showChord(chord);
        Places shown;
        for (const Mark& m : p.markers())
            if (m.fret > 0)
                shown.emplace(m.fret, m.string);
        EXPECT_EQ(shown, chosenPlaces(s, chord, true));
        EXPECT_EQ(litPlaces(p), chosenPlaces(s, chord));
    }
    // The key's buttons: triads, then sevenths with the secondary dominants after them.
    EXPECT_EQ(s.page().keyChords.size(), 7u);
    EXPECT_EQ(s.page().keyChords[6].numeral, QStringLiteral("vii°"));
    s.setSevenths(true);
    s.setSecondaryDominants(true);
    ASSERT_EQ(s.page().keyChords.size(), 12u);
    EXPECT_EQ(s.page().keyChords[4].symbol, QStringLiteral("G7"));
    EXPECT_EQ(s.page().keyChords[7].numeral, QStringLiteral("V7/ii"));
    s.showKeyChord(4);
    EXPECT_EQ(s.page().current, -1);
    EXPECT_FALSE(litPlaces(p).empty());
    // A region no grip of these chords lies in leaves them empty and says so.
    s.setStyle(VoicingStyle::Shell);
    s.setRegion(std::pair(0, 1));
    EXPECT_TRUE(s.page().lblVoicing.contains("no grip"));
    s.setRegion(std::nullopt);
    EXPECT_FALSE(s.page().lblVoicing.contains("no grip"));
}

TEST_F(ProgressionPageTest, PlayLoopsThroughTheProgramsOutputAndTheNeckFollows) {
    ASSERT_TRUE(s.enterText("| C | G |"));
    p->metronomeSettings().tempo = 120;
    // With the metronome running the loop joins it on the first beat of its next bar.
    p->metronome().setRunning(true);
    p.clock().advance(0.7);
    p->metronome().service();
    const size_t before = p.port().sent.size();
    s.play();
    std::vector<int> told;
    const auto changed = s.changed;
    s.changed = [&] {
        told.push_back(s.page().current);
    };
    for (double end = p.clock().now() + 6.5; p.clock().now() < end;) {
        const double wait = s.player().service();
        ASSERT_GE(wait, 0.0);
        p.clock().advance(wait + 0.001);
        if (s.page().current == 1) {
            EXPECT_EQ(litPlaces(p), chosenPlaces(s, 1)); // the neck shows the chord that sounds
        }
    }
    double first = -1;
    for (size_t i = before; i < p.port().sent.size(); ++i) {
        const auto& m = p.port().sent[i];
        if (m.source == QueueSource::Loop && (statusOf(m.word) & 0xF0) == 0x90) {
            first = m.time;
            break;
        }
    }
    // Beat 0 of the metronome fell at 0; its bars begin at beats 1, 5, ..: 0.5 s, 2.5 s.
    EXPECT_NEAR(first, p->metronome().beatZeroTime() + 2.5, 1e-9);
    EXPECT_EQ(told, (std::vector<int>{0, 1, 0}));
    s.stop();
    EXPECT_FALSE(s.page().playing);
    s.changed = changed;
}

// The tempo slider moved while a loop plays along with the metronome: both change on the same
// beat, and the loop's bars still begin on the metronome's first beats.
TEST_F(ProgressionPageTest, TheLoopAndTheMetronomeChangeTempoTogether) {
    ASSERT_TRUE(s.enterText("| C | G | Am | F |"));
    Metronome& metronome = p->metronome();
    p->metronomeSettings().tempo = 120;
    metronome.setRunning(true);
    auto run = [&](double seconds) {
        for (const double end = p.clock().now() + seconds; p.clock().now() < end;) {
            const double wait = std::min(s.player().service(), metronome.service());
            p.clock().advance(std::clamp(wait, 0.0005, 0.01));
        }
    };
    run(0.7);
    s.play();
    run(3.03);
    const double changed = p.clock().now();
    for (int bpm : {110, 100, 90}) { // a short drag of the slider
        metronome.setTempo(bpm);
        run(0.01);
    }
    EXPECT_EQ(s.player().loop().tempo, 90);
    run(9.0);
    s.stop();

    std::vector<double> clicks, downbeats, loopNotes;
    for (const auto& m : p.port().sent) {
        if ((statusOf(m.word) & 0xF0) != 0x90)
            continue;
        if (m.source == QueueSource::Loop)
            loopNotes.push_back(m.time);
        else if (m.source == QueueSource::Metronome && m.time > changed + 1.0) {
            clicks.push_back(m.time);
            if (data1Of(m.word) == p->metronomeSettings().sound1)
                downbeats.push_back(m.time);
        }
    }
    ASSERT_GE(downbeats.size(), 2u);
    for (size_t i = 1; i < clicks.size(); ++i)
        EXPECT_NEAR(clicks[i] - clicks[i - 1], 60.0 / 90, 0.001);
    auto loopPlaysAt = [&](double t) {
        return std::any_of(loopNotes.begin(), loopNotes.end(),
                           [&](double n) { return std::abs(n - t) < 1e-6; });
    };
    for (double t : downbeats)
        EXPECT_TRUE(loopPlaysAt(t)) << "no chord on the bar's first beat at " << t;
}

} // namespace
} // namespace chordalis
