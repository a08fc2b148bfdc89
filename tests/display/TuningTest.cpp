#include "HeadlessProgram.h"
#include "app/TuningForm.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

using test::HeadlessProgram;

constexpr int MajorScale = 0; // 1;2;3;4;5;6;7 in the shipped library

class TuningTest : public ::testing::Test {
protected:
    TuningTest() { form.build(p->state); }

    QStringList names() {
        QStringList out;
        for (int k = 0; k < 6; ++k)
            out << form.noteName(p->state, k);
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
    const struct {
        int preset;
        const char* text;
        const char* names; // strings 1..6
        int spelling;
    } cases[] = {
        {1, " Standard Tuning ", "E B G D A E", 0},
        {2, " Eb Dropped Standard Tuning ", "Eb Bb Gb Db Ab Eb", 0},
        {3, " D Dropped Standard Tuning ", "D A F C G D", 1},
        {4, " Dropped D", "E B G D A D", 1},
        {5, " Open G (Slack Key) ", "D B G D G D", 1},
        {6, " Open E ", "E B G# E B E", 1},
        {7, " Open D ", "D A F# D A D", 1},
        {8, " Open C ", "E C G C G C", 1},
        {9, " Crossnote D (open D minor) ", "D A F D A D", 1},
        {10, " Crossnote E (open E minor) ", "E B G E B E", 1},
        {11, " D Modal ", "D A G D A D", 1},
        {12, " G Modal (sawmill) ", "D C G D G D", 1},
    };
    const QStringList texts = TuningForm::presetTexts();
    ASSERT_EQ(texts.size(), 13);
    EXPECT_EQ(texts[0], QStringLiteral(" Custom "));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(texts[c.preset], QLatin1String(c.text));
        form.presetClicked(p->state, c.preset);
        EXPECT_EQ(form.cboPresets, c.preset);
        EXPECT_EQ(p->state.tuningSpelling, c.spelling);
        EXPECT_EQ(names().join(u' '), QLatin1String(c.names));
        for (size_t k = 0; k < 6; ++k) {
            EXPECT_GE(form.udNote[k], LowestOpenNote[k]);
            EXPECT_LE(form.udNote[k], HighestOpenNote[k]);
        }
    }
    // " Custom " keeps the notes and spells with flats.
    form.presetClicked(p->state, 0);
    EXPECT_EQ(p->state.tuningSpelling, 0);
    EXPECT_EQ(names().join(u' '), QStringLiteral("D C G D G D"));
}

TEST_F(TuningTest, OkStoresThePresetAndRedrawsTheNeck) {
    modeDispatch(p->context(), Mode::Chords);
    form.presetClicked(p->state, 6); // Open E
    EXPECT_EQ(form.udNote, (std::array<int, 6>{64, 59, 56, 52, 47, 40}));
    EXPECT_TRUE(isStandardTuning(p->state.tuning)); // nothing stored before OK
    form.ok(*p);
    EXPECT_EQ(p->state.tuning, (Tuning{6, 64, 59, 56, 52, 47, 40}));
    EXPECT_TRUE(p->pages.lblNonStandardVisible);
    modeDispatch(p->context(), Mode::Scales);
    EXPECT_FALSE(p->pages.lblNonStandardVisible);

    form.presetClicked(p->state, 2); // Eb
    form.ok(*p);
    EXPECT_EQ(openNameColumn().join(u' '), QStringLiteral("Eb Bb Gb Db Ab Eb"));
}

TEST_F(TuningTest, SteppingAStringMakesACustomTuningAndBackToStandardByHand) {
    form.presetClicked(p->state, 7); // Open D spells with sharps
    form.presetClicked(p->state, 1);
    form.noteStepped(p->state, 5, 41); // string 6 up from E
    EXPECT_EQ(form.cboPresets, 0);
    EXPECT_EQ(p->state.tuningSpelling, 0);
    EXPECT_EQ(form.noteName(p->state, 5), QStringLiteral("F"));
    form.ok(*p);
    EXPECT_EQ(p->state.tuning[0], 0);
    EXPECT_EQ(p->state.tuning[6], 41);

    // The spinners stop at the string's limits.
    form.noteStepped(p->state, 5, 30);
    EXPECT_EQ(form.udNote[5], 36);
    form.noteStepped(p->state, 0, 99);
    EXPECT_EQ(form.udNote[0], 67);

    form.udNote = {64, 59, 55, 50, 45, 40};
    form.ok(*p);
    EXPECT_EQ(p->state.tuning, StandardTuning);
    EXPECT_EQ(form.cboPresets, StandardPreset);
}

TEST_F(TuningTest, AStoredCustomTuningOpensUnderCustom) {
    p->state.tuning = {0, 62, 59, 55, 50, 45, 40};
    p->state.tuningSpelling = 1;
    TuningForm fresh;
    fresh.build(p->state);
    EXPECT_EQ(fresh.cboPresets, 0);
    EXPECT_EQ(fresh.udNote, (std::array<int, 6>{62, 59, 55, 50, 45, 40}));
    // A sharp-spelled store is named as the list's entry spells it.
    EXPECT_EQ(p->state.tuningSpelling, 0);
}

// The G major scale drawn under Open G and Dropped D: every marker names the note its string and
// fret sound under that tuning, and every fret 0..15 that sounds a scale note has one.
TEST_F(TuningTest, ScalesFollowTheOpenStrings) {
    constexpr std::array<int, 7> Steps = {0, 2, 4, 5, 7, 9, 11};
    for (const int preset : {5, 4}) {
        SCOPED_TRACE(preset);
        form.presetClicked(p->state, preset);
        form.ok(*p);
        rootChange(p->context(), *rootTabIndex(QStringLiteral("G")));
        modeDispatch(p->context(), Mode::Scales);
        p.clickItem(TreeId::Scales, MajorScale, "Scale");
        const Tuning& t = p->state.tuning;
        std::set<int> scale;
        for (int step : Steps)
            scale.insert((7 + step) % 12);
        std::set<std::pair<int, int>> drawn;
        for (const Mark& m : p.markers()) {
            EXPECT_EQ(pitchClassOf(m.label), (t[size_t(m.string)] + m.fret) % 12)
                << m.string << "/" << m.fret;
            drawn.insert({m.string, m.fret});
        }
        for (int s = 1; s <= 6; ++s)
            for (int f = 0; f <= 15; ++f)
                EXPECT_EQ(drawn.count({s, f}), scale.count((t[size_t(s)] + f) % 12))
                    << s << "/" << f;
    }
    // Dropped D: the low D string has the root G at fret 5 and the open D as a scale note.
    ASSERT_EQ(p.markersAt(5, 6).size(), 1u);
    EXPECT_EQ(p.markersAt(5, 6)[0].colour, p->state.colourRoot);
    EXPECT_EQ(p.markersAt(0, 6)[0].label, QStringLiteral("D"));
}

} // namespace
} // namespace chordalis
