#pragma once

#include "ledguitar/HidTransport.h"
#include "ledguitar/ReportDescriptor.h"

#include <QTimer>
#include <functional>
#include <stdexcept>
#include <vector>

namespace chordalis {

// A request the HID layer cannot serve: no current device, or no open device of that number.
// The device classes catch it and report it.
class HidError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The HID layer: it lists the system's HID devices, opens those with the ids it looks for, reads
// each one's report descriptor into reports and variables, keeps a current device, and reads and
// writes reports. Each opened device gets a handle, its reports and variables get indexes; the
// indexes stay valid when the device goes (its transfers then fail), so that what was bound to
// it can be released by handle. Values written to a report's variables go out with its next
// write; values read come from its last read.
class HidAgent {
public:
    explicit HidAgent(HidTransport& transport);
    HidAgent(const HidAgent&) = delete;
    HidAgent& operator=(const HidAgent&) = delete;
    ~HidAgent();

    // Only devices with these ids are opened; 0 takes any.
    uint16_t vidToMatch = 0;
    uint16_t pidToMatch = 0;

    // A device was opened and its descriptor read (or found unreadable: it then has no variables).
    std::function<void(int handle)> onOpened;
    // A device was closed: unplugged, or a read or write failed.
    std::function<void(int handle)> onClosed;
    // A device with the ids could not be opened, or its reports cannot be read; told at every
    // try, so the listener decides how often to say so.
    std::function<void(const HidDeviceInfo& device, const QString& why, bool permissionDenied)>
        onFailed;

    // Lists the devices now and from then on follows their arrival and removal (through the
    // transport, or by listing them once a second).
    void start();
    // Stops following and closes every device without telling.
    void stop();

    // Devices open, in the order they were opened.
    int deviceCount() const { return int(m_devices.size()); }
    // Makes the open device 0..deviceCount()-1 the current one; HidError for another number.
    void selectDevice(int index);
    // The current device's ids and name, and its handle; HidError without a current device.
    const HidDeviceInfo& deviceInfo() const;
    int handle() const;

    // The index of the current device's variable with the usage page, usage and report type, or
    // -1; HidError without a current device.
    int findVariable(int usagePage, int usage, HidReportType type) const;
    // The index of the report that holds the variable; -1 for no such variable.
    int reportIndex(int variable) const;
    // The variable's bits as its report holds them; 0 for no such variable, whose writes are
    // dropped.
    int32_t unscaledValue(int variable) const;
    void setUnscaledValue(int variable, int32_t value);

    // Reads the input report / writes the output report of that index; false for another kind or
    // index, a device gone, or a failed transfer, which closes the device.
    bool readReport(int report);
    bool writeReport(int report);

private:
    struct Device {
        int handle = 0;
        HidDeviceInfo info;
        std::unique_ptr<HidConnection> connection;
    };
    struct Report {
        int handle = 0;
        HidReport report;
        QByteArray buffer; // id byte first
    };
    struct Variable {
        int handle = 0;
        HidField field;
        int report = -1;
    };

    void refresh();
    void list();
    void open(const HidDeviceInfo& info);
    void describe(const Device& device);
    Device* deviceByHandle(int handle);
    const Device& current() const;
    const Variable* variable(int index) const;
    // The report of that index and type while its device is open, else null.
    Report* openReport(int index, HidReportType type);
    void close(int handle);

    HidTransport& m_transport;
    QTimer m_listTimer;
    bool m_started = false;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
    std::vector<Device> m_devices; // open, in the order they were opened
    std::vector<Report> m_reports; // of every device opened, open or not
    std::vector<Variable> m_variables;
    int m_nextHandle = 1;
    int m_currentDevice = 0; // handle, 0: none
};

} // namespace chordalis
