#pragma once

#include "listening/AudioInput.h"
#include "listening/Listener.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace chordalis {

// Listening while the user asks for it: opens the input, hands its blocks to a thread of its own
// that runs the Listener, and reports what it hears to the observer on that thread (a window
// posts it on to its own). The input's thread only copies a block; the analysis never runs on it
// nor on the thread that started the session.
class ListeningSession {
public:
    struct Observer {
        std::function<void(const std::vector<PitchFrame>&)> frames;
        std::function<void(const std::vector<NoteEvent>&)> events;
    };

    ListeningSession(AudioInput& input, Observer observer);
    ~ListeningSession();
    ListeningSession(const ListeningSession&) = delete;
    ListeningSession& operator=(const ListeningSession&) = delete;

    // Starts listening on the device (empty: the default) against A4 = a4 Hz; the reason, for
    // the user, when the input cannot be opened (listening then stays off).
    std::optional<QString> start(const QString& device, double a4);
    // Stops: the input is closed, what it delivered is analysed, the thread ends. Safe twice.
    void stop();
    bool isListening() const { return m_thread.joinable(); }
    // Looked at from the starting thread (a timer): when the input has failed, listening stops
    // and the reason is returned, once.
    std::optional<QString> checkFault();
    // Waits until every block delivered so far is analysed and reported (tests, the benchmark).
    void drain();

private:
    void run(double rate, double a4);

    AudioInput& m_input;
    Observer m_observer;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::vector<float> m_waiting; // delivered, not yet analysed
    bool m_busy = false;
    bool m_stopping = false;
};

} // namespace chordalis
