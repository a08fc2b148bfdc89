#include "app/ListeningControl.h"

#include "app/Program.h"
#include "listening/backends/QtAudioInput.h"

#include <QCoreApplication>

namespace chordalis {

std::unique_ptr<AudioInput> makeDesktopAudioInput() {
    return std::make_unique<QtAudioInput>();
}

ListeningControl::ListeningControl(Program& program, AudioInput& input)
    : m_program(program),
      m_session(input, {[this](const std::vector<PitchFrame>& frames) {
                            // On the session's thread: only handed on.
                            QMetaObject::invokeMethod(
                                this, [this, frames] { takeFrames(frames); }, Qt::QueuedConnection);
                        },
                        [this](const std::vector<NoteEvent>& events) {
                            QMetaObject::invokeMethod(
                                this, [this, events] { takeEvents(events); }, Qt::QueuedConnection);
                        }}) {
    m_faultTimer.setInterval(200);
    connect(&m_faultTimer, &QTimer::timeout, this, [this] { checkFault(); });
}

ListeningControl::~ListeningControl() {
    m_session.stop();
}

std::optional<QString> ListeningControl::start(const QString& device, double a4) {
    stop();
    m_a4 = std::clamp(a4, LowestA4, HighestA4);
    if (auto refused = m_session.start(device, m_a4))
        return refused;
    m_faultTimer.start();
    return std::nullopt;
}

void ListeningControl::stop() {
    m_faultTimer.stop();
    // The session may have stopped itself on a fault: what it heard goes dark all the same.
    m_session.stop();
    // What the session reported before it stopped is dropped with the rest.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    const bool shown = m_tuner.string > 0 || !m_heard.empty();
    m_tuner = {};
    m_heard.clear();
    if (!shown)
        return;
    m_program.showHeard({});
    if (m_changed)
        m_changed();
}

bool ListeningControl::checkFault() {
    const std::optional<QString> fault = m_session.checkFault();
    if (!fault)
        return false;
    stop();
    if (m_notice)
        m_notice(*fault);
    return true;
}

void ListeningControl::settle() {
    m_session.drain();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void ListeningControl::takeFrames(const std::vector<PitchFrame>& frames) {
    if (frames.empty() || !m_session.isListening())
        return;
    m_tuner = readTuner(m_program.state().tuning(), frames.back().pitch.f0, m_a4);
    if (m_changed)
        m_changed();
}

void ListeningControl::takeEvents(const std::vector<NoteEvent>& events) {
    if (events.empty() || !m_session.isListening())
        return;
    m_heard = events.back().notes.above(DefaultShare);
    m_program.showHeard(m_heard);
    if (m_changed)
        m_changed();
}

} // namespace chordalis
