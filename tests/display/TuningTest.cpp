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
        for (int k = 0; k < 6; ++k)
            out << form.noteName(*p, k);
        return out;
    }
    QStringList openNameColumn() const {
        QStringList out;
        for (const Mark& m : p.signs(OpenNameColumn))
            out << m.label.chopped(1); // the black picture's key ends in "2"
        return out;
    }

    HeadlessProgram p;
    TuningForm form;
};

TEST_F(TuningTest, PresetsGiveTheirNotesNamesAndSpelling) {
    // A few presets whose names need each spelling; every preset within the strings' limits.
    const struct {
        int preset;
        const char* names; // strings 1..6
        int spelling;
    } cases[] = {
        {2, "Eb Bb Gb Db Ab Eb", 0},
        {6, "E B G# E B E", 1},
        {12, "D C G D G D", 1},
    };
    for (const auto& c : cases) {
        form.presetClicked(*p, c.preset);
        EXPECT_EQ(form.cboPresets, c.preset);
        EXPECT_EQ(p->context().state.tuningSpelling, c.spelling) << c.preset;
        EXPECT_EQ(names().join(u' '), QLatin1String(c.names));
    }
    for (int preset = 1; preset <= 12; ++preset) {
        form.presetClicked(*p, preset);
        for (size_t k = 0; k < 6; ++k) {
            EXPECT_GE(form.udNote[k], LowestOpenNote[k]) << preset;
            EXPECT_LE(form.udNote[k], HighestOpenNote[k]) << preset;
        }
    }
    // " Custom " keeps the notes and spells with flats.
    form.presetClicked(*p, 0);
    EXPECT_EQ(p->context().state.tuningSpelling, 0);
    EXPECT_EQ(names().join(u' '), QStringLiteral("D C G D G D"));
}

TEST_F(TuningTest, OkStoresThePresetAndRedrawsTheNeck) {
    modeDispatch(p->context(), Mode::Chords);
    form.presetClicked(*p, 6); // Open E
    EXPECT_EQ(form.udNote, (std::array<int, 6>{64, 59, 56, 52, 47, 40}));
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
    form.noteStepped(*p, 5, 41); // string 6 up from E
    EXPECT_EQ(form.cboPresets, 0);
    EXPECT_EQ(p->context().state.tuningSpelling, 0);
    EXPECT_EQ(form.noteName(*p, 5), QStringLiteral("F"));
    form.ok(*p);
    EXPECT_EQ(p->state().tuning().preset, 0);
    EXPECT_EQ(p->state().tuning().openNote(6), 41);

    // The spinners stop at the string's limits.
    form.noteStepped(*p, 5, 30);
    EXPECT_EQ(form.udNote[5], 36);
    form.noteStepped(*p, 0, 99);
    EXPECT_EQ(form.udNote[0], 67);

    form.udNote = {64, 59, 55, 50, 45, 40};
    form.ok(*p);
    EXPECT_EQ(p->state().tuning(), Tuning{});
    EXPECT_EQ(form.cboPresets, StandardPreset);
}

TEST_F(TuningTest, AStoredCustomTuningOpensUnderCustom) {
    p->context().state.instrument.tuning = {0, {62, 59, 55, 50, 45, 40}};
    p->context().state.tuningSpelling = 1;
    TuningForm fresh;
    fresh.build(*p);
    EXPECT_EQ(fresh.cboPresets, 0);
    EXPECT_EQ(fresh.udNote, (std::array<int, 6>{62, 59, 55, 50, 45, 40}));
    // A sharp-spelled store is named as the list's entry spells it.
    EXPECT_EQ(p->context().state.tuningSpelling, 0);
}

// The dialog tunes a six-string guitar: on another neck it opens at standard tuning, and OK
// makes the neck a six-string guitar again, keeping its frets.
TEST_F(TuningTest, OnAnotherNeckTheDialogOffersTheSixStringGuitar) {
    setInstrument(p->context(), {{CustomPreset, {43, 38, 33, 28}}, 20});
    TuningForm fresh;
    fresh.build(*p);
    EXPECT_EQ(fresh.cboPresets, StandardPreset);
    fresh.presetClicked(*p, 4);
    fresh.ok(*p);
    EXPECT_EQ(p->state().instrument, (Instrument{presetTuning(4), 20}));
    EXPECT_EQ(openNameColumn().size(), 6);
}

} // namespace
} // namespace chordalis
