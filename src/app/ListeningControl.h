#pragma once

#include "app/ListenInputs.h"
#include "library/Voicings.h"
#include "listening/ChordCheck.h"
#include "listening/ListeningSession.h"
#include "listening/Tuner.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace chordalis {

class Program;

// Listening while the user asks for it, for the window. Sound is analysed by a session on a
// thread of its own, a MIDI instrument's held notes come from the input's thread; either reaches
// this object's thread (the window's) through queued calls, so the window never waits for it.
// Each pitch frame becomes the tuner's reading on the program's instrument; each strum's notes
// (or the notes held) are lit on the neck and named as the chord finder names a selection; while
// a grip is to be checked, each strum is checked against it string by string and the verdicts
// marked on the neck. An input that fails stops listening, the neck goes dark and the notice hook
// is told why.
class ListeningControl : public QObject {
public:
    ListeningControl(Program& program, ListenInputs& inputs);
    ~ListeningControl() override;

    // Starts listening on the chosen source and device (empty: the source's default), the tuner
    // against choice.a4 Hz (430..450, clamped). The reason, for the user, when the input cannot be
    // opened; listening then stays off.
    std::optional<QString> start(const ListenSettings& choice);
    // Stops: the input is closed and the notes heard are no longer lit. Safe when stopped.
    void stop();
    bool isListening() const;
    // Listening to a MIDI instrument: no pitch, the notes held exactly.
    bool isMidi() const { return m_midi != nullptr; }

    // The reference pitch in force for the tuner, Hz; a change reads the last pitch again.
    double a4() const { return m_a4; }
    void setA4(double hz);

    // The last pitch heard, read against the program's instrument (string 0: nothing heard).
    const TunerReading& tuner() const { return m_tuner; }
    // The MIDI notes of the last strum or held, lowest first, and their name.
    const std::vector<int>& heard() const { return m_heard; }
    const HeardChord& heardChord() const { return m_chord; }
    // The last strum checked against the grip, string by string; empty when none was.
    const std::vector<StringVerdict>& verdicts() const { return m_verdicts; }

    // Asked at each strum for the grip to check it against (frets per string as Voicing keeps
    // them); nothing: the strum is not checked. The window answers on the chords and triads pages.
    void setGripHook(std::function<std::optional<Voicing>()> hook) { m_grip = std::move(hook); }
    // Called on this object's thread after the reading, the notes heard or the check change.
    void setChangedHook(std::function<void()> hook) { m_changed = std::move(hook); }
    // Called with the reason when a failing input has stopped listening.
    void setNoticeHook(std::function<void(const QString&)> hook) { m_notice = std::move(hook); }

    // Looks at the input now (a timer does every 200 ms while listening): stops and tells the
    // notice hook when it has failed. Returns whether it had.
    bool checkFault();
    // Waits until every block delivered so far is analysed, then takes what it reported (tests,
    // the benchmark).
    void settle();

private:
    void takeFrames(const std::vector<PitchFrame>& frames);
    void takeEvents(const std::vector<NoteEvent>& events);
    void takeHeld(const std::vector<int>& held);
    void showNotes(std::vector<int> notes);
    void check(const NoteEvent& event);

    Program& m_program;
    ListenInputs& m_inputs;
    std::unique_ptr<ListeningSession> m_session; // while listening to sound
    MidiInput* m_midi = nullptr;                 // while listening to an instrument
    std::optional<NoteFinder> m_finder;          // reads a strum again for a check
    QTimer m_faultTimer;
    double m_a4 = DefaultA4;
    double m_lastHz = 0.0;
    TunerReading m_tuner;
    std::vector<int> m_heard;
    HeardChord m_chord;
    std::vector<StringVerdict> m_verdicts;
    std::function<std::optional<Voicing>()> m_grip;
    std::function<void()> m_changed;
    std::function<void(const QString&)> m_notice;
};

} // namespace chordalis
