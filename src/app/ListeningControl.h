#pragma once

#include "listening/AudioInput.h"
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

// The desktop's audio input (its sound system's capture devices), for a window that listens.
std::unique_ptr<AudioInput> makeDesktopAudioInput();

// Listening while the user asks for it, for the window: the session analyses on a thread of its
// own, and what it hears comes to this object's thread (the window's) through queued calls, so
// that the window never waits for it. Each pitch frame becomes the tuner's reading on the
// program's instrument; each strum's notes are lit on the neck. An input that fails stops
// listening, the neck goes dark and the notice hook is told why.
class ListeningControl : public QObject {
public:
    ListeningControl(Program& program, AudioInput& input);
    ~ListeningControl() override;

    // Starts listening on the device (empty: the default) against A4 = a4 Hz (430..450, clamped
    // by the engine). The reason, for the user, when the input cannot be opened; listening then
    // stays off.
    std::optional<QString> start(const QString& device, double a4);
    // Stops: the input is closed and the notes heard are no longer lit. Safe when stopped.
    void stop();
    bool isListening() const { return m_session.isListening(); }
    // The reference pitch in force for the tuner, Hz.
    double a4() const { return m_a4; }

    // The last pitch heard, read against the program's instrument (string 0: nothing heard).
    const TunerReading& tuner() const { return m_tuner; }
    // The MIDI notes of the last strum, lowest first.
    const std::vector<int>& heard() const { return m_heard; }

    // Called on this object's thread after the reading or the notes heard change.
    void setChangedHook(std::function<void()> hook) { m_changed = std::move(hook); }
    // Called with the reason when a failing input has stopped listening.
    void setNoticeHook(std::function<void(const QString&)> hook) { m_notice = std::move(hook); }

    // Looks at the input now (a timer does every 200 ms while listening): stops and tells the
    // notice hook when it has failed. Returns whether it had.
    bool checkFault();
    // Waits until every block delivered so far is analysed, then takes what it reported (tests).
    void settle();

private:
    void takeFrames(const std::vector<PitchFrame>& frames);
    void takeEvents(const std::vector<NoteEvent>& events);

    Program& m_program;
    ListeningSession m_session;
    QTimer m_faultTimer;
    double m_a4 = DefaultA4;
    TunerReading m_tuner;
    std::vector<int> m_heard;
    std::function<void()> m_changed;
    std::function<void(const QString&)> m_notice;
};

} // namespace chordalis
