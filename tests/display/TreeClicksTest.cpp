#include "modes/TreeClicks.h"

#include "HeadlessProgram.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

struct Click {
    TreeId tree;
    const char* key;
    int AppState::*field;
    int expected;
};

// A node stands for the item it was made for, whatever its key says; a folder, or a key the
// tree does not hold, selects nothing.
TEST(TreeClicksTest, NodesSelectTheItemsTheyStandFor) {
    test::HeadlessProgram program;
    chooseItem(program->context(), TreeId::Chords, 0); // the voicings of C major
    chooseItem(program->context(), TreeId::CSChords, 4);
    const Click clicks[] = {
        {TreeId::Voicings, "99Voicing", &AppState::selectedVoicing, 99},
        {TreeId::Voicings, "2Voicing", &AppState::selectedVoicing, 2},
        {TreeId::Chords, "12 Chord - All", &AppState::selectedChord, 12},
        {TreeId::Chords, "3 Chord", &AppState::selectedChord, 3},
        {TreeId::Chords, "0 Group", &AppState::selectedChord, -1},
        {TreeId::Chords, "All Group", &AppState::selectedChord, -1},
        {TreeId::Scales, "7 Scale - All", &AppState::selectedScale, 7},
        {TreeId::Scales, "2 Group", &AppState::selectedScale, -1},
        {TreeId::Arpeggios, "5 Arpeggio", &AppState::selectedArpeggio, 5},
        {TreeId::Arpeggios, "5 Chord", &AppState::selectedArpeggio, -1}, // not a node of it
        {TreeId::Triads, "11ID", &AppState::selectedTriad, 11},
        {TreeId::Triads, "-1Diminished", &AppState::selectedTriad, -1},
        {TreeId::CSChords, "1 Chord", &AppState::selectedCSChord, 1},
        {TreeId::CSChords, "1 Group", &AppState::selectedCSChord, -1},
        {TreeId::CSScales, "6 Scale", &AppState::selectedCSScale, 6},
        {TreeId::CSScales, "Recommended Group", &AppState::selectedCSScale, -1},
    };
    for (const Click& c : clicks) {
        if (c.tree == TreeId::CSScales)
            chooseItem(program->context(), TreeId::CSChords, 4);
        program->context().state.*c.field = 42;
        nodeClicked(program->context(), c.tree, QLatin1String(c.key));
        EXPECT_EQ(program->state().*c.field, c.expected) << c.key;
        EXPECT_EQ(treeModel(program->pages(), c.tree).selectedKey, QLatin1String(c.key));
    }
    // The string group is kept as a value; a key the list does not hold keeps it.
    nodeClicked(program->context(), TreeId::StringGroup, QStringLiteral("2ID"));
    nodeClicked(program->context(), TreeId::StringGroup, QStringLiteral("7ID"));
    EXPECT_EQ(program->state().triadGroup, 2);
    EXPECT_FALSE(chooseItem(program->context(), TreeId::Scales, 9999));
}

} // namespace
} // namespace chordalis
