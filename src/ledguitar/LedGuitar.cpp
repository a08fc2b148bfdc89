#include "ledguitar/LedGuitar.h"

namespace chordalis {

LedGuitar::LedGuitar(HidTransport& transport, LedSender& also, LedGuitarSettings settings)
    : m_agent(transport), m_also(also), m_settings(settings) {
    // Only devices with the guitar's ids are opened: on this system every other HID device
    // would refuse this user anyway, and the guitar is then told from them by its name.
    m_agent.vidToMatch = FretlightVendorId;
    m_agent.pidToMatch = FretlightProductId;
    m_agent.onOpened = [this](int) {
        deviceOpened();
    };
    m_agent.onClosed = [this](int handle) {
        deviceClosed(handle);
    };
    m_agent.onFailed = [this](const HidDeviceInfo& device, const QString& why, bool denied) {
        deviceFailed(device, why, denied);
    };
    m_timer.setInterval(PollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &LedGuitar::poll);
}

LedGuitar::~LedGuitar() {
    stop();
}

void LedGuitar::start() {
    m_agent.start();
}

void LedGuitar::stop() {
    m_timer.stop();
    m_waitingForRelease = false;
    m_agent.stop();
}

// --- devices ---------------------------------------------------------------------------------

void LedGuitar::deviceOpened() {
    // The device object is made at the first arrival. It binds then, and again at a later
    // arrival while nothing of it is bound: after a device of the guitar's ids that was not the
    // guitar, or after the guitar was unplugged and its variables released.
    if (!m_device)
        m_device = std::make_unique<TFretlight>(*m_errors);
    if (m_device->IsAllUnbound())
        m_device->BindVars(m_agent);
    m_settings.ledConnected = true;
    m_waitingForRelease = false;
    m_timer.start();
    Q_EMIT connectionChanged(true);
}

void LedGuitar::deviceClosed(int handle) {
    if (m_device)
        m_device->HidClosed(handle);
    m_settings.ledConnected = false;
    m_timer.stop();
    m_waitingForRelease = false;
    Q_EMIT connectionChanged(false);
}

void LedGuitar::deviceFailed(const HidDeviceInfo& device, const QString& why,
                             bool permissionDenied) {
    if (m_failureTold)
        return;
    m_failureTold = true;
    const QString found = QStringLiteral("The LED guitar was found at %1, ").arg(device.path);
    if (permissionDenied) {
        Q_EMIT notice(found +
                      QStringLiteral("but this user may not open it.\n"
                                     "Install the udev rule %1 (see the README), then unplug the "
                                     "guitar and plug it in again.")
                          .arg(QLatin1String(LedGuitarRuleName)));
    } else {
        Q_EMIT notice(found + QStringLiteral("but it cannot be used: %1").arg(why));
    }
}

// --- the lights ------------------------------------------------------------------------------

void LedGuitar::setLightsOn(bool on) {
    if (m_lightsOn == on)
        return;
    m_lightsOn = on;
    Q_EMIT lightsChanged(on);
}

void LedGuitar::sendFrame(const LedFrame& frame) {
    m_pattern = neckFits() ? packLedFrame(frame, m_settings.leftHanded) : LedPattern{};
    Q_EMIT patternChanged();
    m_also.sendFrame(frame);
    if (!m_settings.ledConnected || !m_lightsOn || !m_device)
        return;
    for (int b = 1; b <= LedBlocks; ++b) {
        m_device->CMD1().setUnScaledValue(b);
        for (int n = 1; n <= 8; ++n)
            m_device->Data(n).setUnScaledValue(m_pattern.blocks[size_t(b - 1)][size_t(n - 1)]);
        // A guitar that is gone, or not bound, takes no more blocks.
        if (!m_device->WriteOutputRptB())
            return;
    }
}

// --- the pedal -------------------------------------------------------------------------------

int LedGuitar::pedal() {
    return m_device && m_device->ReadInputRptA() ? m_device->FootIN().UnScaledValue() : 0;
}

void LedGuitar::poll() {
    const int value = pedal();
    if (m_waitingForRelease) {
        // Released, or the guitar went away or failed to answer: the next press counts again.
        if (value == 0)
            m_waitingForRelease = false;
        return;
    }
    if (value == 0)
        return;
    // No tick while the action runs (a playback lets events through).
    m_timer.stop();
    if (value == 1 || value == 2)
        Q_EMIT switchPressed(value);
    const int action = value == 1   ? m_settings.ledOptionLeft
                       : value == 2 ? m_settings.ledOptionRight
                                    : 0;
    if (action >= 1 && action <= 5)
        Q_EMIT actionRequested(action);
    if (m_settings.ledConnected) {
        m_waitingForRelease = true;
        m_timer.start();
    }
}

} // namespace chordalis
