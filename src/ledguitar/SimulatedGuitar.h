#pragma once

#include "ledguitar/HidTransport.h"

#include <array>
#include <memory>
#include <vector>

namespace chordalis {

// A simulated LED guitar on a simulated USB bus, for machines without the instrument: it lists
// a device with the guitar's ids and name, describes the pedal input (FootIN) and the LED output
// (CMD1, Data1..Data8) on the vendor page, records every output report and lets its pedal be
// pressed and released. It fails the way the real one can: it can be unplugged, vanish in the
// middle of a frame, refuse to be opened, or stop answering.
class SimulatedGuitar final : public HidTransport {
public:
    // The guitar's descriptor: an 8-byte input report (FootIN, then padding) and a 9-byte output
    // report (CMD1, Data1..Data8), without report ids.
    static QByteArray guitarDescriptor();
    static constexpr const char* Path = "simulated:guitar";

    // A guitar of the given name and descriptor, plugged in.
    explicit SimulatedGuitar(const QString& productName = {},
                             const QByteArray& descriptor = guitarDescriptor());
    ~SimulatedGuitar() override;

    // Attaches and detaches the guitar; a watcher is told at once.
    void plug();
    void unplug();

    // The pedal: 1 the left switch, 2 the right one, 0 released.
    void pressPedal(int value);
    void releasePedal() { pressPedal(0); }

    // Opening fails for want of permission.
    void refuseOpen(bool refuse);
    // After n more output reports the guitar is gone (unplugged without a word: the watcher
    // hears nothing, the next transfer fails). -1: never.
    void vanishAfterWrites(int n);
    // Every input read fails, as on a broken connection.
    void failReads(bool fail);

    // Another device listed beside the guitar (a keyboard, a game pad); it cannot be opened.
    void addDevice(const HidDeviceInfo& info);

    // Every output report written, id byte first, in order.
    const std::vector<QByteArray>& outputReports() const;
    void clearOutputReports();
    // The LED reports among them as [CMD1, Data1, ..., Data8], read through the descriptor.
    std::vector<std::array<int, 9>> ledReports() const;
    int inputReads() const;

    std::vector<HidDeviceInfo> enumerate() override;
    HidOpenResult open(const HidDeviceInfo& device) override;
    bool watch(std::function<void()> changed) override;
    void unwatch() override;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace chordalis
