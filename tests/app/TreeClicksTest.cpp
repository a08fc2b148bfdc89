#include "modes/TreeClicks.h"

#include "../Fakes.h"
#include "app/Program.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

struct Click {
    TreeId tree;
    const char* key;
    int AppState::*field;
    int expected;
};

class TreeClicksTest : public ::testing::Test {
protected:
    test::RecordingMessageBoxes boxes;
    Program program{QStringLiteral(CHORDALIS_SHIPPED_DATA), boxes, test::FakeDevices().devices,
                    true};
};

TEST_F(TreeClicksTest, NodeKeysBecomeSelections) {
    const Click clicks[] = {
        {TreeId::Chords, "12 Chord - All", &AppState::selectedChord, 12},
        {TreeId::Chords, "3 Chord", &AppState::selectedChord, 3},
        {TreeId::Chords, "0 Group", &AppState::selectedChord, -1},
        {TreeId::Chords, "All Group", &AppState::selectedChord, -1},
        {TreeId::Voicings, "99Voicing", &AppState::selectedVoicing, 99},
        {TreeId::Voicings, "4Voicing", &AppState::selectedVoicing, 4},
        {TreeId::Scales, "7 Scale - All", &AppState::selectedScale, 7},
        {TreeId::Scales, "2 Group", &AppState::selectedScale, -1},
        {TreeId::Arpeggios, "5 Arpeggio", &AppState::selectedArpeggio, 5},
        {TreeId::Arpeggios, "5 Chord", &AppState::selectedArpeggio, -1}, // wrong item word
        {TreeId::Triads, "11ID", &AppState::selectedTriad, 11},
        {TreeId::Triads, "-1Diminished", &AppState::selectedTriad, -1},
        {TreeId::CSChords, "1 Chord", &AppState::selectedCSChord, 1},
        {TreeId::CSChords, "1 Group", &AppState::selectedCSChord, -1},
        {TreeId::CSScales, "6 Scale", &AppState::selectedCSScale, 6},
        {TreeId::CSScales, "All Group", &AppState::selectedCSScale, -1},
    };
    for (const Click& c : clicks) {
        program.state.*c.field = 42;
        nodeClicked(program.context(), c.tree, QLatin1String(c.key));
        EXPECT_EQ(program.state.*c.field, c.expected) << c.key;
        EXPECT_EQ(treeModel(program.pages, c.tree).selectedKey, QLatin1String(c.key));
    }
}

} // namespace
} // namespace chordalis
