#include "progressions/Keys.h"

#include "../ShippedLibrary.h"
#include "theory/RootTabs.h"

#include <gtest/gtest.h>

using namespace chordalis;

namespace {

Key keyOf(const char* root, KeyMode mode = KeyMode::Major) {
    return makeKey(rootTabIndex(QLatin1String(root)).value_or(0), mode,
                   test::shippedLibrary().chords);
}

QStringList borrowedTriads(const Key& key) {
    QStringList out;
    for (const KeyChord& k : key.borrowed)
        if (k.notes.size() == 3)
            out << k.numeral + u'=' + k.symbol;
    return out;
}

// One text of each chord: its numeral or its symbol.
QStringList texts(const std::array<KeyChord, 7>& chords, QString KeyChord::*text) {
    QStringList out;
    for (const KeyChord& c : chords)
        out << c.*text;
    return out;
}

QStringList split(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

// Worked out by hand from the scales, as a theory book lists them.
struct HandKey {
    const char* root;
    KeyMode mode;
    const char* triadNumerals;
    const char* triads;
    const char* seventhNumerals;
    const char* sevenths;
};

const HandKey HandKeys[] = {
    {"C", KeyMode::Major, "I ii iii IV V vi vii°", "C Dm Em F G Am Bdim",
     "Imaj7 ii7 iii7 IVmaj7 V7 vi7 viiø7", "Cmaj7 Dm7 Em7 Fmaj7 G7 Am7 Bm7b5"},
    {"A", KeyMode::NaturalMinor, "i ii° bIII iv v bVI bVII", "Am Bdim C Dm Em F G",
     "i7 iiø7 bIIImaj7 iv7 v7 bVImaj7 bVII7", "Am7 Bm7b5 Cmaj7 Dm7 Em7 Fmaj7 G7"},
    {"C", KeyMode::MelodicMinor, "i ii bIII+ IV V vi° vii°", "Cm Dm Ebaug F G Adim Bdim",
     "i(maj7) ii7 bIII+maj7 IV7 V7 viø7 viiø7", "Cm(maj7) Dm7 Ebmaj7#5 F7 G7 Am7b5 Bm7b5"},
    {"D#", KeyMode::HarmonicMinor, "i ii° bIII+ iv V bVI vii°", "D#m E#dim F#aug G#m A# B Cxdim",
     "i(maj7) iiø7 bIII+maj7 iv7 V7 bVImaj7 vii°7",
     "D#m(maj7) E#m7b5 F#maj7#5 G#m7 A#7 Bmaj7 Cxdim7"},
    {"F", KeyMode::Lydian, "I II iii #iv° V vi vii", "F G Am Bdim C Dm Em",
     "Imaj7 II7 iii7 #ivø7 Vmaj7 vi7 vii7", "Fmaj7 G7 Am7 Bm7b5 Cmaj7 Dm7 Em7"},
    {"B", KeyMode::Locrian, "i° bII biii iv bV bVI bvii", "Bdim C Dm Em F G Am",
     "iø7 bIImaj7 biii7 iv7 bVmaj7 bVI7 bvii7", "Bm7b5 Cmaj7 Dm7 Em7 Fmaj7 G7 Am7"},
};

} // namespace

TEST(Keys, NumeralsAndSymbolsMatchTheTablesWorkedOutByHand) {
    for (const HandKey& h : HandKeys) {
        SCOPED_TRACE(std::string(h.root) + " " + keyModeWord(h.mode));
        const Key key = keyOf(h.root, h.mode);
        EXPECT_EQ(texts(key.triads, &KeyChord::numeral), split(h.triadNumerals));
        EXPECT_EQ(texts(key.triads, &KeyChord::symbol), split(h.triads));
        EXPECT_EQ(texts(key.sevenths, &KeyChord::numeral), split(h.seventhNumerals));
        EXPECT_EQ(texts(key.sevenths, &KeyChord::symbol), split(h.sevenths));
    }
}

TEST(Keys, SecondaryDominantsAndBorrowedChordsInCMajorAndAMinor) {
    const Key c = keyOf("C");
    QStringList numerals, notes;
    for (const KeyChord& k : c.secondaryDominants) {
        numerals << k.numeral;
        notes << k.notes.join(u' ');
        EXPECT_EQ(k.function, HarmonicFunction::Dominant);
    }
    EXPECT_EQ(numerals, split("V7/ii V7/iii V7/IV V7/V V7/vi"));
    EXPECT_EQ(notes, (QStringList{"A C# E G", "B D# F# A", "C E G Bb", "D F# A C", "E G# B D"}));

    EXPECT_EQ(borrowedTriads(c), split("i=Cm ii°=Ddim bIII=Eb iv=Fm v=Gm bVI=Ab bVII=Bb"));

    // The Picardy third, IV, V and the rest.
    const Key a = keyOf("A", KeyMode::NaturalMinor);
    EXPECT_EQ(borrowedTriads(a), split("I=A ii=Bm iii=C#m IV=D V=E vi=F#m vii°=G#dim"));
    QStringList targets;
    for (const KeyChord& k : a.secondaryDominants)
        targets << k.numeral;
    EXPECT_EQ(targets, split("V7/bIII V7/iv V7/v V7/bVI V7/bVII"));
}

// By rule: letters a third apart, a numeral's case from its 3rd, its accidental from major's.
TEST(Keys, EveryRootAndModeKeepsTheRulesOfSpellingAndNumerals) {
    const ChordLibrary& library = test::shippedLibrary().chords;
    static const std::array<int, 7> Major = {0, 2, 4, 5, 7, 9, 11};
    for (int tab = 1; tab <= int(RootTabs.size()); ++tab) {
        for (int m = 0; m < KeyModeCount; ++m) {
            const KeyMode mode = KeyMode(m);
            SCOPED_TRACE(std::string(RootTabs[size_t(tab - 1)].caption) + " " + keyModeWord(mode));
            const Key key = makeKey(tab, mode, library);
            EXPECT_EQ(key.root.pitchClass, RootTabs[size_t(tab - 1)].root);
            for (int d = 0; d < 7; ++d)
                EXPECT_EQ(key.scale[size_t(d)].letter, (key.root.letter + d) % 7);
            for (const auto* chords : {&key.triads, &key.sevenths}) {
                for (int d = 1; d <= 7; ++d) {
                    const KeyChord& c = (*chords)[size_t(d - 1)];
                    ASSERT_GE(c.item, 0) << c.symbol.toStdString();
                    const auto& entry = library.entries[size_t(c.item)];
                    const QStringList tokens = entry.formula.split(u';');
                    ASSERT_EQ(tokens.size(), c.notes.size());
                    for (qsizetype k = 0; k < c.notes.size(); ++k) {
                        const auto note = SpelledNote::of(c.notes[k]);
                        ASSERT_TRUE(note);
                        EXPECT_EQ(note->letter, (c.root.letter + 2 * k) % 7);
                        EXPECT_EQ(note->pitchClass,
                                  key.scale[size_t((d - 1 + 2 * k) % 7)].pitchClass);
                    }
                    const int third =
                        (SpelledNote::of(c.notes[1])->pitchClass - c.root.pitchClass + 12) % 12;
                    QString plain = c.numeral;
                    plain.remove(u'b').remove(u'#');
                    EXPECT_EQ(plain.front().isUpper(), third == 4) << c.numeral.toStdString();
                    const int off = c.root.pitchClass - key.root.pitchClass - Major[size_t(d - 1)];
                    const int shift = (off % 12 + 18) % 12 - 6;
                    const QString sign = shift < 0 ? QString(-shift, u'b') : QString(shift, u'#');
                    EXPECT_TRUE(c.numeral.startsWith(sign + plain.front()))
                        << c.numeral.toStdString();
                    const HarmonicFunction expected =
                        d == 2 || d == 4   ? HarmonicFunction::Subdominant
                        : d == 5 || d == 7 ? HarmonicFunction::Dominant
                                           : HarmonicFunction::Tonic;
                    EXPECT_EQ(c.function, expected);
                }
            }
            for (const KeyChord& c : key.secondaryDominants) {
                ASSERT_EQ(c.notes.size(), 4);
                EXPECT_EQ(SpelledNote::of(c.notes[0])->letter,
                          (key.triads[size_t(c.degree - 1)].root.letter + 4) % 7);
                EXPECT_GE(c.item, 0);
            }
        }
    }
}

TEST(Keys, ModeWordsAndNoteNamesReadBackAndRefuseTheRest) {
    for (int m = 0; m < KeyModeCount; ++m)
        EXPECT_EQ(keyModeOf(QString::fromLatin1(keyModeWord(KeyMode(m)))), KeyMode(m));
    EXPECT_EQ(keyModeOf(u"Harmonic Minor"), KeyMode::HarmonicMinor);
    EXPECT_EQ(keyModeOf(u"natural_minor"), KeyMode::NaturalMinor);
    EXPECT_FALSE(keyModeOf(u"majorish"));
    EXPECT_FALSE(keyModeOf(u""));
    EXPECT_FALSE(SpelledNote::of(u"H"));
    EXPECT_FALSE(SpelledNote::of(u"c"));
    EXPECT_FALSE(SpelledNote::of(u"C#7"));
    EXPECT_EQ(SpelledNote::of(u"Ebb")->name(), QStringLiteral("Ebb"));
    EXPECT_EQ(SpelledNote::of(u"Cx")->pitchClass, 2);
    EXPECT_EQ(makeKey(0, KeyMode::Major, ChordLibrary{}).triads[0].symbol, QStringLiteral("C"));
    EXPECT_EQ(makeKey(99, KeyMode::Major, ChordLibrary{}).triads[0].item, -1);
}
