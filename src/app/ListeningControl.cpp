#include "app/ListeningControl.h"

#include "app/Program.h"

#include <QCoreApplication>

namespace chordalis {

ListeningControl::ListeningControl(Program& program, ListenInputs& inputs)
    : m_program(program), m_inputs(inputs) {
    m_faultTimer.setInterval(200);
    connect(&m_faultTimer, &QTimer::timeout, this, [this] { checkFault(); });
}

ListeningControl::~ListeningControl() {
    if (m_midi)
        m_midi->close();
    m_session.reset();
}

bool ListeningControl::isListening() const {
    return m_midi || (m_session && m_session->isListening());
}

std::optional<QString> ListeningControl::start(const ListenSettings& choice) {
    stop();
    m_a4 = std::clamp(choice.a4, LowestA4, HighestA4);
    const QString device = m_inputs.resolve(choice);
    if (MidiInput* midi = m_inputs.midi(choice.source)) {
        if (auto refused = midi->open(device, [this](const std::vector<int>& held) {
                // On the input's thread: only handed on.
                QMetaObject::invokeMethod(
                    this, [this, held] { takeHeld(held); }, Qt::QueuedConnection);
            }))
            return refused;
        m_midi = midi;
    } else if (AudioInput* audio = m_inputs.audio(choice.source)) {
        m_session = std::make_unique<ListeningSession>(
            *audio, ListeningSession::Observer{
                        [this](const std::vector<PitchFrame>& frames) {
                            // On the session's thread: only handed on.
                            QMetaObject::invokeMethod(
                                this, [this, frames] { takeFrames(frames); }, Qt::QueuedConnection);
                        },
                        [this](const std::vector<NoteEvent>& events) {
                            QMetaObject::invokeMethod(
                                this, [this, events] { takeEvents(events); }, Qt::QueuedConnection);
                        }});
        if (auto refused = m_session->start(device, m_a4)) {
            m_session.reset();
            return refused;
        }
        const double rate = audio->sampleRate();
        m_finder.emplace(rate, Listener::noteWindow(rate), m_a4);
    } else {
        return QStringLiteral("This input cannot be listened to here.");
    }
    m_faultTimer.start();
    return std::nullopt;
}

void ListeningControl::stop() {
    m_faultTimer.stop();
    // The input may have failed and stopped itself: what it heard goes dark all the same.
    if (m_midi)
        m_midi->close();
    m_midi = nullptr;
    m_session.reset();
    m_finder.reset();
    // What the input reported before it stopped is dropped with the rest.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    const bool shown = m_tuner.string > 0 || !m_heard.empty() || !m_verdicts.empty();
    m_tuner = {};
    m_lastHz = 0.0;
    m_heard.clear();
    m_chord = {};
    m_verdicts.clear();
    if (!shown)
        return;
    m_program.showHeard({});
    m_program.showChecked({});
    if (m_changed)
        m_changed();
}

void ListeningControl::setA4(double hz) {
    m_a4 = std::clamp(hz, LowestA4, HighestA4);
    if (m_lastHz <= 0.0)
        return;
    m_tuner = readTuner(m_program.state().tuning(), m_lastHz, m_a4);
    if (m_changed)
        m_changed();
}

bool ListeningControl::checkFault() {
    std::optional<QString> fault;
    if (m_midi)
        fault = m_midi->fault();
    else if (m_session)
        fault = m_session->checkFault();
    if (!fault)
        return false;
    stop();
    if (m_notice)
        m_notice(*fault);
    return true;
}

void ListeningControl::settle() {
    if (m_session)
        m_session->drain();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void ListeningControl::takeFrames(const std::vector<PitchFrame>& frames) {
    if (frames.empty() || !isListening())
        return;
    m_lastHz = frames.back().pitch.f0;
    m_tuner = readTuner(m_program.state().tuning(), m_lastHz, m_a4);
    if (m_changed)
        m_changed();
}

void ListeningControl::takeEvents(const std::vector<NoteEvent>& events) {
    if (events.empty() || !isListening())
        return;
    check(events.back());
    showNotes(events.back().notes.above(DefaultShare));
}

void ListeningControl::takeHeld(const std::vector<int>& held) {
    if (m_midi)
        showNotes(held);
}

void ListeningControl::showNotes(std::vector<int> notes) {
    m_heard = std::move(notes);
    m_chord = nameHeardNotes(m_program.context().ini, m_program.state().chords, m_heard);
    m_program.showHeard(m_heard);
    if (m_changed)
        m_changed();
}

void ListeningControl::check(const NoteEvent& event) {
    const std::optional<Voicing> grip = m_grip ? m_grip() : std::nullopt;
    if (!grip || !m_finder) {
        m_verdicts.clear();
        return;
    }
    m_verdicts = checkStrum(m_program.state().instrument, grip->frets, *m_finder, event.sound);
    std::vector<CheckedString> marks;
    for (const StringVerdict& v : m_verdicts)
        marks.push_back({v.string, v.check == StringCheck::Right     ? CheckMark::Right
                                   : v.check == StringCheck::Missing ? CheckMark::Missing
                                                                     : CheckMark::Wrong});
    m_program.showChecked(std::move(marks));
}

} // namespace chordalis
