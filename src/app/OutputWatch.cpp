#include "app/OutputWatch.h"

#include <cmath>

namespace chordalis {

OutputWatch::OutputWatch(MidiOut& out, const Clock& clock, Reopen reopen)
    : m_out(out), m_clock(clock), m_reopen(std::move(reopen)) {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout,
                     [this] { m_timer.start(int(std::ceil(service() * 1000.0))); });
}

void OutputWatch::start() {
    m_timer.start(int(LookEvery * 1000.0));
}

void OutputWatch::stop() {
    m_timer.stop();
}

void OutputWatch::notice(const QString& text) const {
    if (m_notice)
        m_notice(text);
}

void OutputWatch::lose(const QString& reason) {
    m_lost = true;
    m_reason = reason;
    m_out.close(); // its note-offs go where they still can; nothing waits for a dead output
    m_nextRetry = m_clock.now() + RetryEvery;
    notice(QStringLiteral("Sound has stopped: %1 It comes back by itself when the output is there "
                          "again.")
               .arg(reason));
}

double OutputWatch::service() {
    if (m_lost) {
        if (m_out.isOpen()) {
            // Opened meanwhile by the user's own choice of output.
            m_lost = false;
            return LookEvery;
        }
        if (m_clock.now() < m_nextRetry)
            return m_nextRetry - m_clock.now();
        if (m_reopen()) {
            m_nextRetry = m_clock.now() + RetryEvery; // still not there: said once, tried again
            return RetryEvery;
        }
        m_lost = false;
        notice(QStringLiteral("Sound is back: %1.").arg(m_out.outputName()));
        return LookEvery;
    }
    if (!m_out.isOpen())
        return LookEvery; // never opened, or closed on purpose: nothing to watch
    const std::optional<OutputFault> fault = m_out.fault();
    if (!fault)
        return LookEvery;
    if (fault->changed) {
        // The output plays on, differently: opened again, the synthesizer follows it.
        if (const auto error = m_reopen()) {
            lose(*error);
            return RetryEvery;
        }
        notice(QStringLiteral("%1 Sound follows it: %2.").arg(fault->reason, m_out.outputName()));
        return LookEvery;
    }
    lose(fault->reason);
    return RetryEvery;
}

void OutputWatch::silentPlay() {
    if (m_lost)
        notice(QStringLiteral("Nothing sounds: %1 It comes back by itself when the output is "
                              "there again.")
                   .arg(m_reason));
}

} // namespace chordalis
