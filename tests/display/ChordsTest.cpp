#include "modes/Chords.h"

#include "HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "modes/TreeClicks.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace chordalis {
namespace {

using test::HeadlessProgram;

// The keys of open chord n and of movable shape n.
QByteArray openChord(int n, int root, const char* fret, const char* finger, const char* memo) {
    const QByteArray k = QByteArray::number(n);
    return k + "rootnote=" + QByteArray::number(root) + "\n" + k + "quality=0\n" + k +
           "fret=" + fret + "\n" + k + "finger=" + finger + "\n" + k + "memo=" + memo + "\n";
}
QByteArray shape(int n, const char* fret, const char* finger, int group, int root,
                 const char* memo) {
    const QByteArray k = QByteArray::number(n);
    return k + "fret=" + fret + "\n" + k + "finger=" + finger + "\n" + k +
           "group=" + QByteArray::number(group) + "\n" + k + "root=" + QByteArray::number(root) +
           "\n" + k + "memo=" + memo + "\n";
}

// maj: open C, A, D and three shapes; 6: none; maj7: forty, more than the list holds.
QByteArray voicings() {
    QByteArray ini = "[openchords]\nnumvoicings=3\n" +
                     openChord(0, 0, "xx0302000100", "x32010", "Open C chord") +
                     openChord(1, 9, "xx0002020200", "x01230", "Open A chord") +
                     openChord(2, 2, "xxxx00020302", "xx0132", "Open D chord") +
                     "[0]\nnumVoicings=3\n" +
                     shape(0, "00xx02010000", "1x3211", 1, 6, "E-shape barre") +
                     shape(1, "xx0002-101xx", "x2413x", 0, 5, "stretch") +
                     shape(2, "xxxx00020302", "xx1243", 0, 4, "D-shape") + "[2]\nnumVoicings=40\n";
    for (int j = 0; j < 40; ++j)
        ini += shape(j, "00xx02010000", "", 0, 6, "");
    return ini;
}

int tab(const char* caption) {
    return *rootTabIndex(QLatin1String(caption));
}

// The frets of a grip, 6th string first, as a guitarist writes them: "x-3-2-0-1-0".
QString tab(const Voicing& v) {
    QStringList out;
    for (int string = 6; string >= 1; --string)
        out << (v.fret(string) ? QString::number(*v.fret(string)) : QStringLiteral("x"));
    return out.join(u'-');
}

QStringList nodeTexts(const TreeModel& tree) {
    QStringList out;
    for (const TreeNode& n : tree.nodes())
        out << n.text;
    return out;
}

// Texts one a line, as a failure prints them.
std::string lines(const QStringList& texts) {
    return texts.join(u'\n').toStdString();
}

class ChordsTest : public ::testing::Test {
protected:
    void show(const char* root, int chord) { p.show(Mode::Chords, root, TreeId::Chords, chord); }
    const ChordsPage& page() { return p->context().pages.chords; }

    HeadlessProgram p{voicings()};
};

TEST_F(ChordsTest, MovableShapesAreTransposedAboveTheNut) {
    show("C", 0);
    // The library's grips first; the engine's further grips in a folder below them.
    EXPECT_EQ(lines(nodeTexts(page().tvwVoicings).mid(0, 5)),
              lines({"Open Chord", "8th Position, Root 6th", "2nd Position, Root 5th",
                     "10th Position, Root 4th", "More Voicings"}));
    const auto& nodes = page().tvwVoicings.nodes();
    for (size_t k = 5; k < nodes.size(); ++k)
        EXPECT_EQ(nodes[k].parentKey, QStringLiteral("More Voicings")) << qPrintable(nodes[k].text);
    EXPECT_EQ(tab(p->state().voicings[1]), "8-x-10-9-8-8");
    EXPECT_EQ(page().tvwVoicings.find("99Voicing")->icon, "voicingO");

    // At E the root string is open, so the shape moves up to frets 12..14, never to the nut.
    rootChange(p->context(), tab("E"));
    EXPECT_EQ(tab(p->state().voicings[0]), "12-x-14-13-12-12");
    EXPECT_EQ(page().tvwVoicings.nodes()[0].text.toStdString(), "12th Position, Root 6th");

    // A stored -1 below a root on the open A string lands at fret 11.
    rootChange(p->context(), tab("A"));
    EXPECT_EQ(tab(p->state().voicings[2]), "x-12-14-11-13-x");
    EXPECT_EQ(page().tvwVoicings.nodes()[2].text.toStdString(), "11th Position, Root 5th");
}

TEST_F(ChordsTest, OpenChordShowsOpenAndMutedStringsWithTheRootInRed) {
    show("C", 0);
    ASSERT_EQ(p->context().state.selectedVoicing, 99);
    EXPECT_EQ(p.signText(IndicatorColumn), "6fingerX 3finger0 1finger0"); // open E is no root
    EXPECT_EQ(p.signText(NoteNameColumn), "5C2 4E2 3G2 2C2 1E2");
    const auto rootOnA = p.markersAt(3, 5);
    ASSERT_EQ(rootOnA.size(), 1u);
    EXPECT_EQ(rootOnA[0].colour, p->context().state.colourRoot);
    EXPECT_EQ(rootOnA[0].label, QStringLiteral("finger3"));
    EXPECT_EQ(p.markersAt(2, 4)[0].colour, p->context().state.colourChord);
    EXPECT_EQ(test::frameText(p->context().fretboard.ledFrame()),
              QStringList({"3~5", "2~4", "0~3", "1~2", "0~1"}));
    EXPECT_EQ(p.led().frames.back(), p->context().fretboard.ledFrame());
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes: Open C chord"));

    rootChange(p->context(), tab("A"));
    EXPECT_EQ(p.signText(IndicatorColumn), "6fingerX 5finger0red 1finger0");
}

TEST_F(ChordsTest, ChordWithoutLibraryGripsListsTheEnginesAndOneNoHandHoldsLeavesNothing) {
    const AppState& s = p->context().state;
    show("C", 1); // C6: the library has no grip, the engine does
    EXPECT_EQ(page().lblChordName, QStringLiteral("Chord: C6"));
    ASSERT_FALSE(s.voicings.empty());
    EXPECT_TRUE(std::all_of(s.voicings.begin(), s.voicings.end(),
                            [](const Voicing& v) { return v.generated; }));
    EXPECT_EQ(s.selectedVoicing, FirstGeneratedVoicing);
    EXPECT_FALSE(p.markers().empty());

    setInstrument(p->context(), {{CustomPreset, {40, 40, 40, 40}}});
    show("C", 2);
    EXPECT_TRUE(page().tvwVoicings.isEmpty());
    EXPECT_EQ(s.selectedVoicing, -1);
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes:"));
    EXPECT_TRUE(p.markers().empty());
    EXPECT_TRUE(p->context().fretboard.ledFrame().empty());
    EXPECT_TRUE(p->context().pages.lblNonStandardVisible);
    EXPECT_EQ(playRefusal(s, Mode::Chords),
              QStringLiteral("Chord playback is not supported for non-standard tunings."));
}

TEST_F(ChordsTest, VoicingsBeyondTheListAreLeftOutWithAWarning) {
    show("C", 2);
    const auto& listed = p->context().state.voicings;
    EXPECT_EQ(
        std::count_if(listed.begin(), listed.end(), [](const Voicing& v) { return !v.generated; }),
        MaxListedVoicings);
    ASSERT_EQ(p->warnings().messages().size(), 1);
    EXPECT_TRUE(p->warnings().messages()[0].startsWith("voicing.ini [2] numVoicings"));
}

// A caption key names the grip in place of its root string.
TEST(ChordVoicings, ShapesOffTheNeckOrWithUnknownFingersAreLeftOutWithAWarning) {
    HeadlessProgram p{
        "[openchords]\nnumvoicings=1\n" +
        openChord(0, 0, "xx-902000100", "x32010", "negative fret") + "[0]\nnumVoicings=8\n" +
        shape(0, "9999999999", "111111", 0, 6, "") + shape(1, "009999999999", "111111", 0, 6, "") +
        shape(2, "00xx02010000", "1x3217", 0, 6, "finger 7") +
        shape(3, "00xx02010000", "113211", 0, 6, "fingered, not played") +
        shape(4, "00xx02010000", "1x3211", 1, 6, "E-shape barre") +
        shape(5, "xxxx01020002", "xx2314", 1, 2, "3 b7 1 5") + "5caption=Drop 2, 1st Inversion\n" +
        shape(6, "xx-100-100xx", "x1324x", 1, 6, "3 b7 9 5") + "6caption=Rootless\n" +
        shape(7, "xxxx00020302", "xx1243", 0, 4, "D-shape") + "7caption=\n"};
    p.show(Mode::Chords, "C", TreeId::Chords, 0);
    EXPECT_EQ(lines(nodeTexts(p->context().pages.chords.tvwVoicings).mid(0, 5)),
              lines({"8th Position, Root 6th", "10th Position, Root 4th", "7th Position, Rootless",
                     "1st Position, Drop 2, 1st Inversion", "More Voicings"}));
    EXPECT_EQ(tab(p->state().voicings[2]), "x-7-8-7-8-x");
    const QStringList said = p->warnings().messages();
    EXPECT_EQ(said.size(), 5) << qPrintable(said.join('\n'));
    for (const char* part : {"[openchords] 0: fret \"-9\"", "[0] 0: fret \"9999999999\"",
                             "[0] 1: the shape reaches past fret 24", "[0] 2: finger \"7\"",
                             "[0] 3: string 5 is silent"})
        EXPECT_TRUE(said.filter(QLatin1String(part)).size() == 1) << part;
    for (const QString& led : test::frameText(p->context().fretboard.ledFrame()))
        EXPECT_FALSE(led.startsWith(u'-')) << qPrintable(led);
}

TEST_F(ChordsTest, EveryTuningAndCapoGetsGripsThatSoundTheChord) {
    const AppState& s = p->context().state;
    // Dropped D: the engine's grips only.
    setInstrument(p->context(), {presetTuning(4)});
    show("C", 0);
    ASSERT_GE(s.voicings.size(), 6u);
    for (const Voicing& v : s.voicings)
        EXPECT_TRUE(v.generated) << qPrintable(v.caption);
    EXPECT_FALSE(p.markers().empty());
    EXPECT_FALSE(p->context().pages.lblNonStandardVisible);
    EXPECT_TRUE(playRefusal(s, Mode::Chords).isEmpty());

    // Eb standard: the library's open C shape sounds B.
    setInstrument(p->context(), {presetTuning(2)});
    show("B", 0);
    EXPECT_EQ(s.voicings.front().caption, QStringLiteral("Open Chord"));
    EXPECT_EQ(tab(s.voicings[0]), "x-3-2-0-1-0");

    // A neck of 12 frets lists no grip that reaches past it: C's C-shape at x-15-14-12-13-12 goes.
    Instrument twelve;
    twelve.frets = 12;
    setInstrument(p->context(), twelve);
    show("C", 0);
    ASSERT_GE(s.voicings.size(), 6u);
    for (const Voicing& v : s.voicings)
        for (int string = 1; string <= 6; ++string)
            EXPECT_LE(v.fret(string).value_or(0), 12) << qPrintable(v.caption);

    // A capo at the 2nd fret: D is the C shape moved up, named by both.
    setInstrument(p->context(), {presetTuning(1)});
    p->context().state.capo = Capo{2};
    show("D", 0);
    EXPECT_EQ(s.voicings.front().caption, QStringLiteral("Open Chord (Cmaj shape)"));
    EXPECT_EQ(tab(s.voicings[0]), "x-5-4-2-3-2");
    for (const Voicing& v : s.voicings)
        for (int string = 1; string <= 6; ++string)
            EXPECT_GE(v.fret(string).value_or(2), 2) << qPrintable(v.caption);
}

// What a guitarist reads off a grip's frets.
struct Hand {
    int bass = 0;          // the lowest sounding string
    bool rootBass = false; // it sounds the root
    bool open = false;     // a string sounds open
    bool full = false;     // every string from the bass up sounds
    int low = 99, high = 0;
};

Hand handOf(const Voicing& v, int root) {
    Hand h;
    for (int string = 6; string >= 1; --string) {
        const auto fret = v.fret(string);
        if (!fret) {
            h.full = false;
            continue;
        }
        if (!h.bass) {
            h.bass = string;
            h.full = true;
            h.rootBass = (Tuning{}.openNote(string) + *fret) % 12 == root;
        }
        h.open = h.open || *fret == 0;
        if (*fret > 0) {
            h.low = std::min(h.low, *fret);
            h.high = std::max(h.high, *fret);
        }
    }
    return h;
}

const std::set<int> EverydayChords{0, 1, 2, 3, 4, 5, 6, 7, 10, 13, 14}; // maj..9, sus4, dim7, m7b5

// The grip a guitarist reaches for first: the open chord, else a root-6 or root-5 grip in one
// position, full barres first, the lowest of them.
const Voicing* firstGripWanted(const AppState& s) {
    const Voicing* best = nullptr;
    Hand bestHand;
    for (const Voicing& v : s.voicings) {
        if (v.number == OpenChordVoicing)
            return &v;
        const Hand h = handOf(v, s.currentRoot);
        if (v.generated || !h.rootBass || h.bass < 5 || h.open || h.high - h.low > 2)
            continue;
        if (!best || std::tuple(!h.full, h.low, -h.bass) <
                         std::tuple(!bestHand.full, bestHand.low, -bestHand.bass)) {
            best = &v;
            bestHand = h;
        }
    }
    return best;
}

// Root position before the inversions, each string up the neck; a barre's icon is the red one.
TEST(ShippedVoicings, FirstGripOrderAndCaptionsOnEveryRoot) {
    HeadlessProgram p;
    const AppState& s = p->context().state;
    const TreeModel& tree = p->context().pages.chords.tvwVoicings;
    for (int chord = 0; chord < s.chords.count; ++chord) {
        for (int t = 1; t <= int(RootTabs.size()); ++t) {
            rootChange(p->context(), t);
            p.clickItem(TreeId::Chords, chord);
            const QString name =
                noteName(s.currentRoot, s.rootSpelling) + s.chords.entries[size_t(chord)].name;
            if (EverydayChords.count(chord)) {
                ASSERT_FALSE(s.voicings.empty()) << qPrintable(name);
                EXPECT_EQ(s.selectedVoicing, s.voicings.front().number) << qPrintable(name);
                const Voicing* wanted = firstGripWanted(s);
                ASSERT_TRUE(wanted) << qPrintable(name);
                EXPECT_EQ(tab(s.voicings.front()), tab(*wanted)) << qPrintable(name);
            }
            std::map<std::pair<bool, int>, int> reached; // (inversion, bass) -> position
            bool inversions = false;
            for (std::size_t k = 1; k < s.voicings.size(); ++k) {
                const Voicing& v = s.voicings[k];
                if (v.generated || v.number == OpenChordVoicing)
                    continue;
                const Hand h = handOf(v, s.currentRoot);
                EXPECT_FALSE(inversions && h.rootBass) << qPrintable(name + ' ' + v.caption);
                inversions = inversions || !h.rootBass;
                int& at = reached[{!h.rootBass, h.bass}];
                EXPECT_GE(h.low, at) << qPrintable(name + ' ' + v.caption);
                at = h.low;
            }
            std::set<QString> captions; // each grip's once
            for (const TreeNode& n : tree.nodes())
                EXPECT_TRUE(n.item < 0 || captions.insert(n.text).second)
                    << qPrintable(name + ' ' + n.text);
        }
    }
    // Cmaj7's two root-5th grips at the 3rd fret that are no drop voicing: told apart by frets.
    p.show(Mode::Chords, "C", TreeId::Chords, 3);
    EXPECT_EQ(tree.find("6Voicing")->text.toStdString(), "3rd Position, Root 5th (x-3-5-4-5-3)");
    EXPECT_EQ(tree.find("9Voicing")->text.toStdString(), "3rd Position, Root 5th (x-3-x-4-5-x)");
    p.clickItem(TreeId::Chords, 0);
    EXPECT_EQ(tree.find(QStringLiteral("1Voicing"))->icon, QStringLiteral("voicingB"));
    EXPECT_EQ(tree.find(QStringLiteral("4Voicing"))->icon, QStringLiteral("voicing"));
    EXPECT_TRUE(tree.find(QStringLiteral("1Voicing"))->toolTip.contains(QLatin1String("red")));
    // A voicing number chooses the same grip whatever its place: 5 is C's A-shape barre.
    ASSERT_TRUE(chooseItem(p->context(), TreeId::Voicings, 5));
    EXPECT_EQ(tab(*s.selectedVoicingEntry()), QStringLiteral("x-3-5-5-5-3"));
}

// Unless the user chose another grip of the list, which then stays.
TEST(ShippedVoicings, ARootChangeKeepsTheOpenChord) {
    HeadlessProgram p;
    const AppState& s = p->context().state;
    p.show(Mode::Chords, "C", TreeId::Chords, 1); // Cm: no open chord
    EXPECT_NE(s.selectedVoicing, OpenChordVoicing);
    rootChange(p->context(), tab("A"));
    EXPECT_EQ(s.selectedVoicing, OpenChordVoicing);

    // C7 to G7 a tab at a time: every root with an open chord shows it.
    p.show(Mode::Chords, "C", TreeId::Chords, 2);
    EXPECT_EQ(s.selectedVoicing, OpenChordVoicing);
    while (p->context().pages.rootTab != tab("G")) {
        stepRootTab(p->context(), 1);
        const bool open = std::any_of(s.voicings.begin(), s.voicings.end(), [](const Voicing& v) {
            return v.number == OpenChordVoicing;
        });
        EXPECT_EQ(s.selectedVoicing == OpenChordVoicing, open) << p->context().pages.rootTab;
    }
    EXPECT_EQ(s.selectedVoicing, OpenChordVoicing);

    // A grip the user chose stays, on a root with an open chord too.
    nodeClicked(p->context(), TreeId::Voicings, voicingKey(7));
    stepRootTab(p->context(), 1);
    stepRootTab(p->context(), 3); // A#7
    EXPECT_EQ(s.selectedVoicing, 7);
    EXPECT_EQ(p->context().pages.chords.tvwVoicings.selectedKey, voicingKey(7));
    // Choosing the list's first grip again lets the open chord follow the root.
    nodeClicked(p->context(), TreeId::Voicings, voicingKey(s.voicings.front().number));
    rootChange(p->context(), tab("E"));
    EXPECT_EQ(s.selectedVoicing, OpenChordVoicing);
    // A click in the chords tree starts at the list's first grip again.
    nodeClicked(p->context(), TreeId::Voicings, voicingKey(7));
    p.clickItem(TreeId::Chords, 2);
    EXPECT_EQ(s.selectedVoicing, OpenChordVoicing);
}

const ChordBox* boxOf(const std::vector<ChordBox>& boxes, const QString& frets) {
    for (const ChordBox& box : boxes) {
        if (box.fretsText() == frets)
            return &box;
    }
    ADD_FAILURE() << "no box " << frets.toStdString();
    return nullptr;
}

QString signText(const ChordBox& box) { // strings 6 to 1: - fretted, x, o, R open root
    QString out;
    for (int string = box.strings; string >= 1; --string)
        out += QStringLiteral("-oRx")[int(box.signs[size_t(string - 1)])];
    return out;
}

TEST(ChordBoxes, KnownGripsLayOutAsPlayersDrawThemOnEveryNeck) {
    HeadlessProgram p;
    const auto& boxes = p->context().pages.chords.boxes;
    p.show(Mode::Chords, "C", TreeId::Chords, 0);
    ASSERT_EQ(boxes.size(), p->context().state.voicings.size());
    const ChordBox* c = boxOf(boxes, "x32010");
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->showsNut());
    EXPECT_EQ(c->rows, 4);
    EXPECT_EQ(signText(*c), "x--o-o");
    EXPECT_TRUE(c->barres.empty());
    QStringList dots;
    for (const BoxDot& d : c->dots)
        dots << QStringLiteral("%1:%2/%3%4%5")
                    .arg(d.string)
                    .arg(d.fret)
                    .arg(d.finger)
                    .arg(d.note, d.root ? "R" : "");
    EXPECT_EQ(dots, QStringList({"2:1/1CR", "4:2/2E", "5:3/3CR"}));

    rootChange(p->context(), tab("D")); // the A shape at the 5th fret: a barre and a base fret
    const ChordBox* d = boxOf(boxes, "x57775");
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->showsNut());
    EXPECT_EQ(d->firstFret, 5);
    EXPECT_EQ(d->row(7), 2);
    EXPECT_EQ(signText(*d), "x-----");
    ASSERT_FALSE(d->barres.empty());
    const auto& barre = d->barres.front();
    EXPECT_EQ(std::tuple(barre.fret, barre.finger, barre.high, barre.low), std::tuple(5, 1, 1, 5));
    EXPECT_EQ(boxOf(boxes, "xx0232")->signs[3], BoxSign::OpenRoot); // open D, the root

    rootChange(p->context(), tab("F")); // the E shape at the nut: a barre across all six
    const ChordBox* f = boxOf(boxes, "133211");
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->showsNut());
    ASSERT_FALSE(f->barres.empty());
    EXPECT_EQ(std::pair(f->barres.front().high, f->barres.front().low), std::pair(1, 6));

    // The low string on the hand's side; the text does not mirror.
    const ChordBox right = boxes.front();
    EXPECT_EQ(std::pair(right.column(6), right.column(1)), std::pair(0, 5));
    setLeftHanded(p->context(), true);
    EXPECT_EQ(std::pair(boxes.front().column(6), boxes.front().column(1)), std::pair(5, 0));
    EXPECT_EQ(boxes.front().fretsText(), right.fretsText());

    setInstrument(p->context(), {{CustomPreset, {69, 64, 60, 67}}, 15}); // a ukulele
    for (const ChordBox& box : boxes)
        EXPECT_EQ(box.strings, 4);

    setInstrument(p->context(), {});
    p.show(Mode::Triads, "C", TreeId::Triads, 0);
    const auto& triads = p->context().pages.triads.boxes;
    ASSERT_EQ(triads.size(), 4u);
    EXPECT_EQ(triads[0].caption, QStringLiteral("Strings 6-5-4"));
    EXPECT_EQ(triads[0].fretsText(), "875xxx");
    EXPECT_TRUE(chooseItem(p->context(), TreeId::StringGroup, triads[2].number));
    EXPECT_EQ(p->context().state.triadGroup, 2);
    EXPECT_EQ(p->context().pages.triads.boxes.size(), 4u);
}

// A finger on two strings is no barre where a string between them is open, silent or lower.
TEST(ChordBoxes, OnlyAFlatFingerIsABarre) {
    auto strings = [](std::initializer_list<std::pair<int, int>> fretsAndFingers) {
        std::vector<BoxString> out; // string 1 first; fret -1 silent
        for (auto [fret, finger] : fretsAndFingers)
            out.push_back(
                {fret < 0 ? std::nullopt : std::optional<int>(fret), finger, false, {}, {}});
        return out;
    };
    EXPECT_EQ(layoutChordBox(strings({{3, 1}, {0, 0}, {3, 1}})).barres.size(), 0u);
    EXPECT_EQ(layoutChordBox(strings({{3, 1}, {-1, 0}, {3, 1}})).barres.size(), 0u);
    EXPECT_EQ(layoutChordBox(strings({{3, 1}, {4, 2}, {3, 1}})).barres.size(), 1u);
    const ChordBox high = layoutChordBox(strings({{8, 1}, {10, 3}, {12, 4}, {-1, 0}}));
    EXPECT_EQ(std::pair(high.firstFret, high.rows), std::pair(8, 5));
    EXPECT_EQ(high.fretsText(), "x(12)(10)8");
    // The capo lies on the top line; one outside the box is not drawn.
    const ChordBox capo = layoutChordBox(strings({{4, 2}, {5, 3}, {4, 1}, {2, 0}}), Capo{2});
    EXPECT_EQ(capo.firstFret, 3);
    EXPECT_FALSE(capo.showsNut());
    EXPECT_EQ(capo.capoLine(), 0);
    EXPECT_EQ(capo.signs[3], BoxSign::Open);
    EXPECT_EQ(layoutChordBox(strings({{9, 1}, {10, 2}, {11, 3}}), Capo{2}).capoLine(), -1);
}

// The library's grips above the engine's; a bass no grip sounds keeps the list and says so.
TEST(ChordSearch, ASlashChordPutsTheGripsWithItsBassFirst) {
    HeadlessProgram p;
    const AppState& s = p->context().state;
    auto lowest = [&](const Voicing& v) {
        const Strum notes = voicingStrum(v, s.tuning());
        return std::min_element(notes.begin(), notes.end(),
                                [](auto& a, auto& b) { return a.note < b.note; })
                   ->note %
               12;
    };
    ASSERT_EQ(p->showFound(p->search().find(u"C/E").front()), QString());
    EXPECT_EQ(p->context().pages.mode, Mode::Chords);
    ASSERT_GT(s.voicings.size(), 2u);
    EXPECT_EQ(lowest(s.voicings.front()), 4);
    EXPECT_EQ(s.selectedVoicing, s.voicings.front().number);
    EXPECT_EQ(p->context().pages.chords.tvwVoicings.selectedKey,
              voicingKey(s.voicings.front().number));
    bool bassRun = true; // the grips with E lowest, then the rest, within each part
    for (size_t k = 1; k < s.voicings.size(); ++k) {
        const Voicing& before = s.voicings[k - 1];
        const Voicing& v = s.voicings[k];
        EXPECT_FALSE(before.generated && !v.generated) << k;
        if (before.generated == v.generated && lowest(v) == 4) {
            EXPECT_EQ(lowest(before), 4) << k;
        }
        bassRun = bassRun && lowest(v) == 4;
    }
    EXPECT_FALSE(bassRun);

    p->showFound(p->search().find(u"C").front()); // the note page, then back to the chord
    ASSERT_TRUE(p->showFound(p->search().find(u"Cmaj").front()).isEmpty());
    const auto usual = s.voicings;
    const QString said = p->showFound(p->search().find(u"C/C#").front());
    EXPECT_EQ(said, "No grip of C Major has C# in the bass; the usual list is shown.");
    ASSERT_EQ(s.voicings.size(), usual.size());
    for (size_t k = 0; k < usual.size(); ++k)
        EXPECT_EQ(s.voicings[k].number, usual[k].number);
}

// Whatever its key says; a folder, or a key the tree does not hold, selects nothing.
TEST(TreeClicksTest, NodesSelectTheItemsTheyStandFor) {
    test::HeadlessProgram program;
    chooseItem(program->context(), TreeId::Chords, 0); // the voicings of C major
    chooseItem(program->context(), TreeId::CSChords, 4);
    // The tree, the key clicked, the item it selects.
    const std::tuple<TreeId, const char*, int AppState::*, int> clicks[] = {
        {TreeId::Voicings, "99Voicing", &AppState::selectedVoicing, 99},
        {TreeId::Voicings, "2Voicing", &AppState::selectedVoicing, 2},
        {TreeId::Chords, "12 Chord - All", &AppState::selectedChord, 12},
        {TreeId::Chords, "3 Chord", &AppState::selectedChord, 3},
        {TreeId::Chords, "All Group", &AppState::selectedChord, -1},
        {TreeId::Scales, "7 Scale - All", &AppState::selectedScale, 7},
        {TreeId::Scales, "2 Group", &AppState::selectedScale, -1},
        {TreeId::Arpeggios, "5 Arpeggio", &AppState::selectedArpeggio, 5},
        {TreeId::Arpeggios, "5 Chord", &AppState::selectedArpeggio, -1}, // not a node of it
        {TreeId::Triads, "11ID", &AppState::selectedTriad, 11},
        {TreeId::Triads, "-1Diminished", &AppState::selectedTriad, -1},
        {TreeId::CSChords, "1 Chord", &AppState::selectedCSChord, 1},
        {TreeId::CSScales, "6 Scale", &AppState::selectedCSScale, 6},
        {TreeId::CSScales, "Recommended Group", &AppState::selectedCSScale, -1},
    };
    for (const auto& [tree, key, field, expected] : clicks) {
        if (tree == TreeId::CSScales)
            chooseItem(program->context(), TreeId::CSChords, 4);
        program->context().state.*field = 42;
        nodeClicked(program->context(), tree, QLatin1String(key));
        EXPECT_EQ(program->state().*field, expected) << key;
        EXPECT_EQ(treeModel(program->pages(), tree).selectedKey, QLatin1String(key));
    }
    // The string group is kept as a value; a key the list does not hold keeps it.
    nodeClicked(program->context(), TreeId::StringGroup, QStringLiteral("2ID"));
    nodeClicked(program->context(), TreeId::StringGroup, QStringLiteral("7ID"));
    EXPECT_EQ(program->state().triadGroup, 2);
    EXPECT_FALSE(chooseItem(program->context(), TreeId::Scales, 9999));
}

} // namespace
} // namespace chordalis
