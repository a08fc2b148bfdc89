#pragma once

#include "sound/Clock.h"
#include "sound/MidiOut.h"

#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace chordalis {

// Watches the open output for the faults it reports, says each loss once, and opens the output
// again by itself once it is back (a JACK server started again, a device plugged in again):
//   "Sound has stopped: The JACK server has stopped. It comes back by itself when the output
//    is there again."
//   "Sound is back: the built-in synthesizer through JACK at 48000 Hz."
// An output whose sample rate changed is opened again at once, which follows the new rate. While
// the output is lost, a Play says why it is silent (silentPlay). The notices go to the hook,
// never to a box that would stop the user.
class OutputWatch {
public:
    // Opens the output the settings choose (after closing it) and sends the chosen instrument;
    // the error when it cannot be opened.
    using Reopen = std::function<std::optional<QString>()>;

    OutputWatch(MidiOut& out, const Clock& clock, Reopen reopen);

    // Where the notices go: the window's status bar, the companion tool's standard error.
    void setNoticeHook(std::function<void(const QString&)> hook) { m_notice = std::move(hook); }

    // Looks at the output every LookEvery seconds while it plays, and while it is lost tries to
    // open it again every RetryEvery seconds.
    void start();
    void stop();

    // One look: the fault of an open output is said and the output closed; a lost one is tried
    // again when its time has come. Returns the seconds until the next look. The timer calls it;
    // tests call it on a virtual clock.
    double service();

    bool isLost() const { return m_lost; }
    // Said when a Play finds the output lost; nothing when it is not.
    void silentPlay();
    // Says a notice about the sound through the hook.
    void notice(const QString& text) const;

    static constexpr double LookEvery = 0.5;
    static constexpr double RetryEvery = 2.0;

private:
    void lose(const QString& reason);

    MidiOut& m_out;
    const Clock& m_clock;
    Reopen m_reopen;
    std::function<void(const QString&)> m_notice;
    QTimer m_timer;
    bool m_lost = false;
    QString m_reason;         // why it was lost
    double m_nextRetry = 0.0; // on the clock
};

} // namespace chordalis
