#pragma once

#include "fretboard/LedSender.h"
#include "ledguitar/ErrorReport.h"
#include "ledguitar/Fretlight.h"
#include "ledguitar/HidAgent.h"
#include "ledguitar/LedPattern.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace chordalis {

// The udev rule that lets the logged-in user open the guitar; installed with the program.
inline constexpr const char* LedGuitarRuleName = "70-chordalis-ledguitar.rules";

// The shared state the guitar output reads and sets.
struct LedGuitarSettings {
    bool& ledConnected;        // set while a device with the guitar's ids is open
    const bool& leftHanded;    // mirrors the strings of each frame
    const int& ledOptionLeft;  // the action 1..5 of the left switch
    const int& ledOptionRight; // and of the right one
    const Instrument& neck;    // the guitar lights a six-string neck only
};

// The LED guitar output and its foot pedal. Every display hands its LED frame here; while a
// guitar is connected and its lights are on, the frame goes out as three output reports, one per
// block of eight frets. A 20-millisecond poll reads the pedal: a press asks for the switch's
// action once, however long it is held, and the poll then waits for the release (or for the
// guitar to go away) before it takes another press.
class LedGuitar : public QObject, public LedSender {
    Q_OBJECT

public:
    // Frames are also handed on to `also` (the program's other LED output, or a recorder).
    LedGuitar(HidTransport& transport, LedSender& also, LedGuitarSettings settings);
    ~LedGuitar() override;

    // Finds a guitar now and follows arrivals and removals from then on.
    void start();
    // Stops following the devices and lets them go, without any further report.
    void stop();

    // The display's frame: remembered as a pattern, and written when connected with lights on.
    void sendFrame(const LedFrame& frame) override;

    // A device with the guitar's ids is open.
    bool connected() const { return m_settings.ledConnected; }
    // Whether the neck the displays draw has the guitar's six strings; on any other neck the
    // guitar's lights stay dark.
    bool neckFits() const { return m_settings.neck.strings() == LedStrings; }
    bool lightsOn() const { return m_lightsOn; }
    void setLightsOn(bool on);
    // The pattern of the last frame handed over, as the guitar would light it.
    const LedPattern& lastPattern() const { return m_pattern; }

    // One tick of the pedal poll (the timer calls it every 20 ms while connected).
    void poll();
    bool isPolling() const { return m_timer.isActive(); }
    bool waitingForRelease() const { return m_waitingForRelease; }

    static constexpr int PollIntervalMs = 20;

    // Where the device classes report the failures they catch (by default nowhere). Takes
    // effect for a device object made afterwards.
    void setErrorReport(ErrorReport& errors) { m_errors = &errors; }

    // The guitar's device object, null before the first arrival.
    TFretlight* device() const { return m_device.get(); }
    HidAgent& agent() { return m_agent; }

Q_SIGNALS:
    void connectionChanged(bool connected);
    void patternChanged();
    void lightsChanged(bool on);
    // A switch was pressed: 1 the left, 2 the right, told before its action is asked for. A
    // window that gives the switches a meaning of its own (practice) takes this.
    void switchPressed(int which);
    // A switch was pressed: run pedal action 1..5. Delivered before the poll goes on.
    void actionRequested(int action);
    // Something the user should be told, once a run: a guitar that cannot be opened.
    void notice(const QString& text);

private:
    void deviceOpened();
    void deviceClosed(int handle);
    void deviceFailed(const HidDeviceInfo& device, const QString& why, bool permissionDenied);
    // The pedal's value: 0 released (or not read), 1 the left switch, 2 the right one.
    int pedal();

    HidAgent m_agent;
    LedSender& m_also;
    LedGuitarSettings m_settings;
    IgnoredErrors m_ignoredErrors;
    ErrorReport* m_errors = &m_ignoredErrors;
    std::unique_ptr<TFretlight> m_device;
    bool m_lightsOn = false;
    bool m_waitingForRelease = false;
    bool m_failureTold = false;
    LedPattern m_pattern;
    QTimer m_timer;
};

} // namespace chordalis
