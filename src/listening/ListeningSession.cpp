#include "listening/ListeningSession.h"

namespace chordalis {

ListeningSession::ListeningSession(AudioInput& input, Observer observer)
    : m_input(input), m_observer(std::move(observer)) {}

ListeningSession::~ListeningSession() {
    stop();
}

std::optional<QString> ListeningSession::start(const QString& device, double a4) {
    stop();
    const auto refusal = m_input.open(device, [this](std::span<const float> block) {
        {
            const std::lock_guard lock(m_mutex);
            m_waiting.insert(m_waiting.end(), block.begin(), block.end());
        }
        m_wake.notify_one();
    });
    if (refusal)
        return refusal;
    const double rate = m_input.sampleRate();
    if (!(rate >= LowestListenRate && rate <= HighestListenRate)) {
        m_input.close();
        return QStringLiteral("The audio input runs at %1 Hz; listening needs %2 to %3.")
            .arg(rate)
            .arg(LowestListenRate)
            .arg(HighestListenRate);
    }
    m_stopping = false;
    m_thread = std::thread([this, rate, a4] { run(rate, a4); });
    return std::nullopt;
}

void ListeningSession::run(double rate, double a4) {
    Listener listener(rate, a4);
    std::vector<float> block;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_busy = false;
            m_idle.notify_all();
            m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_waiting.empty() && m_stopping)
                return;
            block.swap(m_waiting);
            m_waiting.clear();
            m_busy = true;
        }
        listener.push(block);
        block.clear();
        const auto frames = listener.takeFrames();
        const auto events = listener.takeEvents();
        if (!frames.empty() && m_observer.frames)
            m_observer.frames(frames);
        if (!events.empty() && m_observer.events)
            m_observer.events(events);
    }
}

void ListeningSession::stop() {
    m_input.close(); // no block arrives after this
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
    m_waiting.clear();
}

std::optional<QString> ListeningSession::checkFault() {
    if (!isListening())
        return std::nullopt;
    auto fault = m_input.fault();
    if (fault)
        stop();
    return fault;
}

void ListeningSession::drain() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_thread.joinable() || (!m_busy && m_waiting.empty()); });
}

} // namespace chordalis
