// Random user actions, with what must always hold checked after each. CHORDALIS_MONKEY_SEED=<n>
// replays a run, CHORDALIS_MONKEY_ACTIONS=<n> sets its length.

#include "HeadlessProgram.h"
#include "app/SkinChooser.h"
#include "modes/Commands.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "modes/TreeClicks.h"
#include "modes/TreeModel.h"
#include "theory/Spelling.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace chordalis::test {
namespace {

unsigned long envNumber(const char* name, unsigned long fallback) {
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const unsigned long n = text.toULong(&ok);
    return ok ? n : fallback;
}

class Monkey {
public:
    explicit Monkey(unsigned long seed) : m_rng(seed) {
        // The shipped neck pictures for the skin dialog, and one that is damaged.
        const QDir skins(QStringLiteral(CHORDALIS_SHIPPED_DATA "/fretboards"));
        for (const QString& name : skins.entryList({QStringLiteral("*.gif")}, QDir::Files)) {
            QFile f(skins.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                m_program.writeDataFile("fretboards/" + name, f.readAll());
        }
        m_program.writeDataFile(QStringLiteral("fretboards/cut.gif"), "GIF89a\x10\x00");
    }

    // One random action; a short name of it for the failure message.
    QString act() {
        Program& p = *m_program;
        ModeContext& c = p.context();
        m_allowedBox.clear();
        m_boxesBefore = m_program.boxes().shown.size();
        m_warningsBefore = p.warnings().messages().size();
        switch (pick(15)) {
        case 0:
            rootChange(c, pick(19)); // 0 and 18 are no tab
            return "root";
        case 1: {
            const Mode mode = Mode(pick(ModeCount));
            p.context().pages.mode = mode;
            modeDispatch(c, mode);
            return "mode";
        }
        case 2:
        case 3: {
            const TreeId tree = TreeId(pick(8));
            const auto& nodes = treeModel(p.context().pages, tree).nodes();
            if (nodes.empty())
                return "tree (empty)";
            nodeClicked(c, tree, nodes[size_t(pick(int(nodes.size())))].key);
            return "tree";
        }
        case 4: {
            const Mode mode = p.context().pages.mode;
            if (PositionList* list = positionList(p.context().pages, mode);
                list && !list->entries.empty())
                positionChosen(c, mode, pick(int(list->entries.size())));
            return "position";
        }
        case 5:
            positionOptionClicked(c, p.context().pages.mode, pick(2));
            return "position option";
        case 6: {
            const auto button = pick(2) ? Qt::LeftButton : Qt::RightButton;
            finderClicked(c, button, QPointF(pick(800) - 20, pick(220) - 20));
            return "finder click";
        }
        case 7:
            // A preset of the guitar most of the time, now and then a neck of another size.
            if (pick(4) == 0) {
                Instrument neck;
                neck.tuning.preset = CustomPreset;
                neck.tuning.notes.resize(size_t(MinStrings + pick(MaxStrings - MinStrings + 1)));
                for (int& note : neck.tuning.notes)
                    note = LowestAnyOpenNote + pick(HighestAnyOpenNote - LowestAnyOpenNote + 1);
                neck.frets = MinFrets + pick(MaxFrets - MinFrets + 1);
                setInstrument(c, neck);
                return "neck";
            }
            setInstrument(c, {presetTuning(1 + pick(12))});
            return "tuning";
        case 8:
            p.context().state.colourRoot = int(m_rng() & 0xFFFFFF);
            p.context().state.colourChord = int(m_rng() & 0xFFFFFF);
            redrawCurrentMode(c);
            return "colours";
        case 9:
            setLeftHanded(c, pick(2) == 1);
            return "hand";
        case 10:
        case 11: {
            const Mode mode = p.context().pages.mode;
            m_allowedBox = playRefusal(p.context().state, mode);
            p.playCommand(mode);
            m_program.clock().advance(pick(100) / 10.0);
            if (pick(3) == 0) { // Options > All Notes Off while it may still sound
                p.player().allNotesOff();
                return "play and stop";
            }
            return "play";
        }
        case 12: {
            const Mode mode = p.context().pages.mode;
            m_allowedBox = infoRefusal(p.context().state, mode);
            const size_t before = m_program.boxes().shown.size();
            if (p.infoCommand(mode)) {
                p.info().play();
                m_program.clock().advance(pick(50) / 10.0);
            } else if (m_program.boxes().shown.size() > before) {
                m_allowedBox = m_program.boxes().shown.back().text; // a missing text is said
            }
            p.info().close();
            return "info";
        }
        case 13: {
            // The skin dialog: a listed picture chosen and taken, or nothing chosen.
            SkinChooser chooser;
            if (chooser.open(p, m_program.boxes())) {
                chooser.click(p, pick(int(chooser.File1.size()) + 1) - 1);
                chooser.ok(p);
            }
            return "skin";
        }
        default:
            p.context().state.mainWindowActive = true;
            m_allowedBox = playRefusal(p.context().state, p.context().pages.mode);
            p.pedalAction(pick(6));
            return "pedal";
        }
    }

    // What must hold after every action; empty when all does.
    QString broken() {
        Program& p = *m_program;
        const AppState& s = p.context().state;
        const MainPages& pages = p.pages();
        if (pages.rootTab < 1 || pages.rootTab > 17)
            return "the root tab is out of range";
        if (s.currentRoot != RootTabs[size_t(pages.rootTab - 1)].root)
            return "the root does not agree with its tab";
        // A shown chord or scale is spelled from the chosen root.
        const auto startsOnRoot = [&](const QString& notes) {
            const QString first = notes.section(u' ', 0, 0, QString::SectionSkipEmpty);
            return first.isEmpty() || pitchClassOf(first) == s.currentRoot;
        };
        if (pages.mode == Mode::Chords && !startsOnRoot(pages.chords.lblChordNotes))
            return "the chord's notes do not start on the root: " + pages.chords.lblChordNotes;
        if (pages.mode == Mode::Scales && !startsOnRoot(pages.scales.lblScaleNotes))
            return "the scale's notes do not start on the root: " + pages.scales.lblScaleNotes;
        const QStringList frame = frameText(p.fretboard().ledFrame());
        const int strings = s.instrument.strings();
        for (const NeckPlace& place : p.fretboard().ledFrame())
            if (place.fret < 0 || place.fret > s.maxFret() || place.string < 1 ||
                place.string > strings)
                return "the LED frame holds " + ledPlaceText(place);
        if (p.fretboard().geometry().strings() != strings ||
            p.fretboard().geometry().frets() != s.maxFret())
            return QStringLiteral("the neck is not drawn with the instrument's strings and frets");
        if (pages.mode == Mode::ChordFinder && int(s.finderSelection.size()) != strings)
            return QStringLiteral("the finder has no value for every string");
        for (const Mark& m : p.fretboard().marks()) {
            if (m.string < 1 || m.string > strings || m.fret < -3 || m.fret > s.maxFret())
                return QStringLiteral("a mark off the neck at %1~%2").arg(m.fret).arg(m.string);
            // With the lights switched off by the pedal, the frame is dark on purpose.
            if (p.guitar().lightsOn() && m.pitch >= 0 &&
                !frame.contains(QStringLiteral("%1~%2").arg(m.fret).arg(m.string)))
                return QStringLiteral("the marker %1~%2 is not lit").arg(m.fret).arg(m.string);
        }
        // Every note that started has stopped, or an All Notes Off came after it.
        const auto& log = m_program.port().sent;
        if (log.size() < m_seen) { // queued messages were taken back: count afresh
            m_seen = 0;
            m_sounding.clear();
        }
        for (; m_seen < log.size(); ++m_seen) {
            const auto& sent = log[m_seen];
            const int status = int(sent.word & 0xF0), channel = int(sent.word & 0x0F);
            const int note = int((sent.word >> 8) & 0x7F), velocity = int((sent.word >> 16) & 0x7F);
            if (status == 0x90 && velocity > 0)
                ++m_sounding[{channel, note}];
            else if ((status == 0x80 || status == 0x90) && m_sounding[{channel, note}] > 0)
                --m_sounding[{channel, note}];
            else if (status == 0xB0 && (note == 123 || note == 120))
                std::erase_if(m_sounding, [&](const auto& e) { return e.first.first == channel; });
        }
        for (const auto& [key, count] : m_sounding)
            if (count > 0)
                return QStringLiteral("note %1 on channel %2 is left sounding")
                    .arg(key.second)
                    .arg(key.first + 1);
        // The lights show the marks and nothing else; an open string is marked by its "0" sign.
        const auto marked = [&](const Mark& m, const QString& entry) {
            if (!m.isMarker())
                return (m.sign == SignKind::Open || m.sign == SignKind::OpenRoot) &&
                       entry == QStringLiteral("0~%1").arg(m.string);
            return m.pitch >= 0 && entry == QStringLiteral("%1~%2").arg(m.fret).arg(m.string);
        };
        if (p.guitar().lightsOn())
            for (const QString& entry : frame)
                if (std::none_of(p.context().fretboard.marks().begin(),
                                 p.context().fretboard.marks().end(),
                                 [&](const Mark& m) { return marked(m, entry); }))
                    return "the LED frame lights " + entry + ", which is not marked";
        if (p.warnings().messages().size() != m_warningsBefore)
            return "an unexpected warning: " + p.warnings().messages().constLast();
        const auto& shown = m_program.boxes().shown;
        for (size_t i = m_boxesBefore; i < shown.size(); ++i)
            if (shown[i].text != m_allowedBox)
                return "an unexpected message: " + shown[i].text;
        return {};
    }

    HeadlessProgram& program() { return m_program; }

private:
    int pick(int n) { return int(m_rng() % unsigned(n)); }

    std::mt19937 m_rng;
    HeadlessProgram m_program;
    QString m_allowedBox;
    size_t m_boxesBefore = 0;
    qsizetype m_warningsBefore = 0;
    size_t m_seen = 0; // messages of the port counted so far
    std::map<std::pair<int, int>, int> m_sounding;
};

TEST(Monkey, RandomActionsKeepTheDisplaysTheLightsAndTheSoundConsistent) {
    const unsigned long seed =
        envNumber("CHORDALIS_MONKEY_SEED", QRandomGenerator::global()->generate());
    const unsigned long actions = envNumber("CHORDALIS_MONKEY_ACTIONS", 20000);
    std::printf("monkey seed %lu (CHORDALIS_MONKEY_SEED=%lu replays it), %lu actions\n", seed, seed,
                actions);
    Monkey monkey(seed);
    for (unsigned long i = 0; i < actions; ++i) {
        const QString action = monkey.act();
        const QString fault = monkey.broken();
        ASSERT_TRUE(fault.isEmpty()) << "seed " << seed << ", action " << i << " ("
                                     << qPrintable(action) << "): " << qPrintable(fault);
    }
    // The run did reach the sound and the lights.
    EXPECT_FALSE(monkey.program().port().sent.empty());
    EXPECT_FALSE(monkey.program().led().frames.empty());
}

TEST(Faults, TheMidiOutputFailingInTheMiddleOfAPlaybackEndsItQuietly) {
    HeadlessProgram p;
    Program& program = *p;
    p.show(Mode::Scales, "C", TreeId::Scales, 0);
    // Fed note by note, the device goes away after a few notes: nothing is left waiting.
    p.port().ownClock = false;
    int waits = 0;
    p.clock().duringWait = [&] {
        if (++waits == 3)
            p.port().close();
    };
    const size_t before = p.port().sent.size();
    program.playCommand(Mode::Scales);
    const size_t lost = p.port().sent.size();
    EXPECT_GT(lost, before);
    EXPECT_FALSE(p.port().isOpen());
    EXPECT_TRUE(p.boxes().shown.empty());
    // Opened again, the next playback sounds whole: each note that starts also stops.
    p.clock().duringWait = nullptr;
    ASSERT_TRUE(program.openSound());
    program.playCommand(Mode::Scales);
    int on = 0, off = 0;
    for (size_t i = lost; i < p.port().sent.size(); ++i) {
        const std::uint32_t w = p.port().sent[i].word;
        const bool isOn = (w & 0xF0) == 0x90 && ((w >> 16) & 0x7F) > 0;
        on += isOn;
        off += !isOn && ((w & 0xF0) == 0x80 || (w & 0xF0) == 0x90);
    }
    EXPECT_GT(on, 0);
    EXPECT_EQ(on, off);
}

} // namespace
} // namespace chordalis::test
