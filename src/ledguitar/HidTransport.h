#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace chordalis {

// A HID device as the system lists it, before it is opened.
struct HidDeviceInfo {
    QString path; // the system's name for the device node, unique while it is attached
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    QString product;
};

// What reading an input report gave.
struct HidInput {
    enum Status {
        Report,   // a report: data holds it, id byte first (0 for a device without ids)
        NoChange, // the device sent nothing new: the last report still holds
        Failed,   // the device is gone or broken
    };
    Status status = Failed;
    QByteArray data;
};

// An opened device. Every report passes with its id byte first, 0 for a device that numbers
// none. Calls never block for long: reads return what the device has already sent.
class HidConnection {
public:
    virtual ~HidConnection() = default;
    // The report descriptor, or an empty array with the reason in error.
    virtual QByteArray descriptor(QString* error) = 0;
    // The latest input report with this id (dataLength bytes after the id byte).
    virtual HidInput readInput(uint8_t reportId, int dataLength) = 0;
    // Sends an output report; false when it could not be sent.
    virtual bool writeOutput(const QByteArray& report) = 0;
};

struct HidOpenResult {
    std::unique_ptr<HidConnection> connection; // null when the device could not be opened
    bool permissionDenied = false;             // it exists, but this user may not open it
    QString error;
};

// Where HID devices come from: the system's (through hidapi) or a simulated guitar.
class HidTransport {
public:
    virtual ~HidTransport() = default;
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    virtual HidOpenResult open(const HidDeviceInfo& device) = 0;
    // Asks to be told, on the event loop, whenever devices may have come or gone. False when the
    // transport cannot tell: the caller then lists the devices once a second.
    virtual bool watch(std::function<void()> changed) = 0;
    virtual void unwatch() = 0;
};

// No devices at all: for a program without a guitar output (tests, the companion tool).
class NoHidTransport final : public HidTransport {
public:
    std::vector<HidDeviceInfo> enumerate() override { return {}; }
    HidOpenResult open(const HidDeviceInfo&) override { return {nullptr, false, {}}; }
    bool watch(std::function<void()>) override { return true; } // nothing ever changes
    void unwatch() override {}
};

} // namespace chordalis
