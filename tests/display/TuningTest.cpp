#include "HeadlessProgram.h"
#include "app/TuningForm.h"
#include "modes/Modes.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::HeadlessProgram;

class TuningTest : public ::testing::Test {
protected:
    TuningTest() { form.build(*p); }

    QStringList names() {
        QStringList out;
        for (int k = 0; k < form.strings(); ++k)
            out << form.noteName(*p, k);
        return out;
    }

    HeadlessProgram p;
    TuningForm form;
};

TEST_F(TuningTest, PresetsGiveTheirNotesNamesAndSpelling) {
    EXPECT_EQ(names().join(u' '), QStringLiteral("E4 B3 G3 D3 A2 E2"));
    // preset, names of strings 1..6, spelling
    const std::tuple<int, const char*, int> cases[] = {
        {2, "Eb4 Bb3 Gb3 Db3 Ab2 Eb2", 0}, {6, "E4 B3 G#3 E3 B2 E2", 1},
        {14, "C4 G3 Eb3 Bb2 F2 C2", 0},  // C standard
        {15, "B3 F#3 D3 A2 E2 B1", 1},   // B standard
        {16, "C#4 G#3 E3 B2 F#2 B1", 1}, // Drop B
    };
    for (const auto& [preset, openNames, spelling] : cases) {
        form.presetClicked(*p, preset);
        EXPECT_EQ(p->context().state.tuningSpelling, spelling) << preset;
        EXPECT_EQ(names().join(u' '), QLatin1String(openNames));
    }
    for (int preset = 1; preset <= LastTuningPreset; ++preset) {
        form.presetClicked(*p, preset);
        for (int k = 0; k < 6; ++k) {
            EXPECT_GE(form.udNote[size_t(k)], form.limits(k).low) << preset;
            EXPECT_LE(form.udNote[size_t(k)], form.limits(k).high) << preset;
        }
    }
    // " Custom " keeps the notes and spells with flats.
    form.presetClicked(*p, 0);
    EXPECT_EQ(p->context().state.tuningSpelling, 0);
    EXPECT_EQ(names().join(u' '), QStringLiteral("Db4 Ab3 E3 B2 Gb2 B1"));
}

TEST_F(TuningTest, OkStoresThePresetAndRedrawsTheNeck) {
    modeDispatch(p->context(), Mode::Chords);
    form.presetClicked(*p, 6);                          // Open E
    EXPECT_TRUE(isStandardTuning(p->state().tuning())); // nothing stored before OK
    form.ok(*p);
    EXPECT_EQ(p->state().tuning(), (Tuning{6, {64, 59, 56, 52, 47, 40}}));
    EXPECT_TRUE(p->context().pages.lblNonStandardVisible);
    modeDispatch(p->context(), Mode::Scales);
    EXPECT_FALSE(p->context().pages.lblNonStandardVisible);
}

TEST_F(TuningTest, SteppingAStringMakesACustomTuningAndBackToStandardByHand) {
    form.presetClicked(*p, 7); // Open D spells with sharps
    form.presetClicked(*p, 1);
    form.noteStepped(*p, 5, 41); // string 6 a semitone up from E2
    EXPECT_EQ(form.cboPresets, 0);
    EXPECT_EQ(p->context().state.tuningSpelling, 0);
    EXPECT_EQ(form.noteName(*p, 5), QStringLiteral("F2"));
    form.noteStepped(*p, 0, 63); // string 1 a semitone down from E4
    EXPECT_EQ(form.noteName(*p, 0), QStringLiteral("Eb4"));
    form.noteStepped(*p, 0, 64);
    form.ok(*p);
    EXPECT_EQ(p->state().tuning().preset, 0);
    EXPECT_EQ(p->state().tuning().openNote(6), 41);

    // A1 .. G2 for string 6; another row changes nothing.
    form.noteStepped(*p, 5, 30);
    EXPECT_EQ(form.udNote[5], 33);
    form.noteStepped(*p, 0, 99);
    EXPECT_EQ(form.udNote[0], 67);
    form.noteStepped(*p, 6, 40);
    EXPECT_EQ(form.strings(), 6);

    form.udNote = {64, 59, 55, 50, 45, 40};
    form.ok(*p);
    EXPECT_EQ(p->state().tuning(), Tuning{});
    EXPECT_EQ(form.cboPresets, StandardPreset);
}

TEST_F(TuningTest, AStoredCustomTuningOpensUnderCustom) {
    p->context().state.instrument.tuning = {0, {62, 59, 55, 50, 45, 40}};
    p->context().state.tuningSpelling = 1;
    form.build(*p);
    EXPECT_EQ(form.cboPresets, 0);
    EXPECT_EQ(form.udNote, (std::vector<int>{62, 59, 55, 50, 45, 40}));
    // A sharp-spelled store is named as the list's entry spells it.
    EXPECT_EQ(p->context().state.tuningSpelling, 0);
}

// A six-string preset makes the neck a six-string guitar again, keeping its frets.
TEST_F(TuningTest, EveryNeckHasARowPerStringAndPresetsMakeASixStringGuitar) {
    setInstrument(p->context(), {{CustomPreset, {64, 59, 55, 50, 45, 40, 35}}, 24});
    EXPECT_TRUE(form.isStale(*p));
    form.build(*p);
    EXPECT_EQ(form.cboPresets, CustomPreset);
    EXPECT_EQ(names().join(u' '), QStringLiteral("E4 B3 G3 D3 A2 E2 B1"));
    form.noteStepped(*p, 6, 33); // string 7 down to A1: drop A
    form.ok(*p);
    EXPECT_EQ(p->state().instrument,
              (Instrument{{CustomPreset, {64, 59, 55, 50, 45, 40, 33}}, 24}));

    // Ten strings, each anywhere in C0..C8.
    setInstrument(p->context(), {{CustomPreset, std::vector<int>(10, 40)}, 15});
    form.build(*p);
    EXPECT_EQ(form.strings(), 10);
    form.noteStepped(*p, 9, 5);
    EXPECT_EQ(form.udNote[9], LowestAnyOpenNote);

    setInstrument(p->context(), {{CustomPreset, {43, 38, 33, 28}}, 20});
    form.build(*p);
    EXPECT_EQ(names().join(u' '), QStringLiteral("G2 D2 A1 E1"));
    form.presetClicked(*p, 4);
    EXPECT_EQ(form.strings(), 6);
    form.ok(*p);
    EXPECT_EQ(p->state().instrument, (Instrument{presetTuning(4), 20}));
    EXPECT_EQ(p.signs(OpenNameColumn).size(), 6u);
}

// A re-entrant neck is crossed on purpose: taken as it is, and said.
TEST_F(TuningTest, UnisonAndCrossedStringsAreNamed) {
    EXPECT_TRUE(form.remark(*p).isEmpty());
    form.noteStepped(*p, 1, 55); // string 2 down to G3, as string 3
    EXPECT_EQ(form.remark(*p), QStringLiteral("Strings 2 and 3 are both G3."));
    form.noteStepped(*p, 1, 53); // string 2 down to F3, below string 3 tuned up to A3
    form.noteStepped(*p, 2, 57);
    EXPECT_EQ(form.remark(*p), QStringLiteral("String 3 (A3) sounds above string 2 (F3): a "
                                              "re-entrant tuning, any string may sound the "
                                              "lowest note."));
    form.ok(*p);
    EXPECT_EQ(p->state().tuning().notes, (std::vector<int>{64, 53, 57, 50, 45, 40}));
}

} // namespace
} // namespace chordalis
