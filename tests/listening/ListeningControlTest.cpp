#include "app/ListeningControl.h"

#include "../display/HeadlessProgram.h"
#include "TestSounds.h"
#include "listening/ClipInput.h"
#include "modes/Commands.h"

#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace chordalis {
namespace {

struct DesktopOnly {
    explicit DesktopOnly(std::optional<AudioClip> clip)
        : input(new ClipInput(std::move(clip))),
          inputs(std::unique_ptr<AudioInput>(input), nullptr, nullptr, nullptr) {}
    ClipInput* input; // owned by inputs
    ListenInputs inputs;
};

// A MIDI instrument that keeps the interface's promise: the notes come on a thread of their own,
// never after close(); a port that goes lets its notes go and is the input's fault.
class FakeMidiInput : public MidiInput {
public:
    QStringList portNames() const override { return {QStringLiteral("Guitar")}; }
    std::optional<QString> open(const QString& port, Sink sink) override {
        close();
        if (!portNames().contains(port))
            return QStringLiteral("The MIDI port \"%1\" is not there.").arg(port);
        m_sink = std::move(sink);
        return std::nullopt;
    }
    void close() override {
        m_sink = nullptr;
        m_fault.reset();
    }
    bool isOpen() const override { return bool(m_sink); }
    std::optional<QString> fault() const override { return m_fault; }
    void hold(const std::vector<int>& notes) {
        if (m_sink)
            std::thread([&] { m_sink(notes); }).join();
    }
    void vanish() {
        hold({});
        m_fault = QStringLiteral("The MIDI port \"Guitar\" has gone.");
    }

private:
    Sink m_sink;
    std::optional<QString> m_fault;
};

std::set<int> markerPitches(const test::HeadlessProgram& program) {
    std::set<int> pitches; // open strings are signs, and are not lit
    for (const Mark& m : program.markers())
        pitches.insert(m.pitch);
    return pitches;
}

std::set<int> litPitches(Program& program) {
    std::set<int> lit;
    const std::vector<bool> sounding = program.fretboard().soundingMarks();
    const auto& marks = program.fretboard().marks();
    for (size_t i = 0; i < marks.size(); ++i)
        if (sounding[i])
            lit.insert(marks[i].pitch);
    return lit;
}

// The shown grip strummed whole, then with one string muted; the next display forgets the check.
TEST(ListeningControl, ChecksTheStrummedGripAndStopsWhenTheInputGoes) {
    test::HeadlessProgram program;
    program.clickItem(TreeId::Chords, 0);
    const Voicing grip = *program->state().selectedVoicingEntry();
    const Strum strum = voicingStrum(grip, program->state().tuning());
    ASSERT_GE(strum.size(), 4u);

    DesktopOnly none(std::nullopt);
    ListeningControl deaf(*program, none.inputs);
    EXPECT_TRUE(deaf.start({}));
    EXPECT_TRUE(deaf.start({ListenSource::Jack, {}, DefaultA4})) << "a source the machine lacks";
    EXPECT_FALSE(deaf.isListening());

    AudioClip clip;
    std::vector<double> whole, muted;
    std::set<int> shown;
    const int mutedString = strum[1].string; // the second lowest played string
    for (const auto& note : strum) {
        shown.insert(note.note);
        whole.push_back(noteFrequency(note.note));
        if (note.string != mutedString)
            muted.push_back(noteFrequency(note.note));
    }
    testsounds::addStrum(clip, whole, 0.3, 0.8, 0.012, 7);
    testsounds::addStrum(clip, muted, 1.3, 0.8, 0.012, 8);
    testsounds::addNoise(clip, 30.0, 7);
    DesktopOnly desktop(clip);
    ListeningControl control(*program, desktop.inputs);
    control.setGripHook([&]() -> std::optional<Voicing> { return grip; });
    std::vector<QString> notices;
    control.setNoticeHook([&](const QString& text) { notices.push_back(text); });
    ASSERT_FALSE(control.start({ListenSource::Desktop, {}, 500.0}));
    EXPECT_EQ(control.a4(), HighestA4);
    ASSERT_FALSE(control.start({}));

    desktop.input->deliver(int(1.2 * clip.sampleRate / 256));
    control.settle();
    EXPECT_EQ(std::set<int>(control.heard().begin(), control.heard().end()), shown);
    EXPECT_EQ(litPitches(*program), markerPitches(program));
    EXPECT_GT(control.tuner().string, 0);
    EXPECT_FALSE(control.heardChord().text.isEmpty());
    EXPECT_EQ(control.heardChord().text,
              nameHeardNotes(program->context().ini, program->state().chords,
                             std::vector<int>(shown.begin(), shown.end()))
                  .text);
    ASSERT_EQ(control.verdicts().size(), size_t(program->state().tuning().strings()));
    for (const CheckedString& c : program->fretboard().picture().checked)
        EXPECT_EQ(c.check, CheckMark::Right) << c.string;
    EXPECT_TRUE(checkSentence(control.verdicts()).startsWith(QLatin1String("All ")));

    desktop.input->deliver(1 << 20);
    control.settle();
    const auto& checked = program->fretboard().picture().checked;
    for (const CheckedString& c : checked)
        EXPECT_EQ(c.check, c.string == mutedString ? CheckMark::Missing : CheckMark::Right)
            << c.string;
    EXPECT_TRUE(checkSentence(control.verdicts())
                    .startsWith(QStringLiteral("String %1 missing;").arg(mutedString)))
        << qPrintable(checkSentence(control.verdicts()));
    program.clickItem(TreeId::Chords, 1);
    EXPECT_TRUE(program->fretboard().picture().checked.empty()) << "a new grip, a new check";

    EXPECT_FALSE(control.checkFault());
    desktop.input->vanish();
    EXPECT_TRUE(control.checkFault());
    EXPECT_FALSE(control.isListening());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_FALSE(notices.front().isEmpty());
    EXPECT_FALSE(program->fretboard().isAnythingSounding());
    EXPECT_TRUE(control.heard().empty());
}

// Each change in place of the last; its port going stops listening with a notice.
TEST(ListeningControl, LightsExactlyTheNotesAMidiInstrumentHolds) {
    test::HeadlessProgram program;
    program.clickItem(TreeId::Chords, 0);
    auto* guitar = new FakeMidiInput;
    ListenInputs inputs(nullptr, nullptr, std::unique_ptr<MidiInput>(guitar), nullptr);
    ListeningControl control(*program, inputs);
    std::vector<QString> notices;
    control.setNoticeHook([&](const QString& text) { notices.push_back(text); });
    EXPECT_TRUE(control.start({ListenSource::JackMidi, QStringLiteral("Keyboard"), DefaultA4}));
    EXPECT_TRUE(control.start({ListenSource::AlsaMidi, {}, DefaultA4}));
    ASSERT_FALSE(control.start({ListenSource::JackMidi, QStringLiteral("Guitar"), DefaultA4}));
    EXPECT_TRUE(control.isMidi());

    const std::set<int> shown = markerPitches(program);
    const std::vector<int> held(shown.begin(), std::next(shown.begin(), 3));
    guitar->hold(held);
    control.settle();
    EXPECT_EQ(control.heard(), held);
    EXPECT_EQ(litPitches(*program), std::set<int>(held.begin(), held.end()));
    EXPECT_EQ(control.heardChord().notes.count(QLatin1Char(' ')), 2);
    guitar->hold({held.front()});
    control.settle();
    EXPECT_EQ(litPitches(*program), std::set<int>{held.front()});
    EXPECT_EQ(control.tuner().string, 0) << "an instrument's notes have no pitch to tune";

    guitar->vanish();
    control.settle();
    EXPECT_TRUE(control.checkFault());
    EXPECT_FALSE(control.isListening());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices.front().contains(QLatin1String("Guitar")));
    EXPECT_TRUE(litPitches(*program).empty());
}

} // namespace
} // namespace chordalis
