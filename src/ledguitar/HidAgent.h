#pragma once

#include "ledguitar/HidTransport.h"
#include "ledguitar/ReportDescriptor.h"

#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace chordalis {

// A request the HID layer cannot serve: no current device, an index out of range, a value that
// does not fit. The device classes catch it and report it.
class HidError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The HID layer: it lists the system's HID devices, opens those that pass its search settings,
// keeps a current device, variable and report, and reads and writes reports. Each opened device
// gets a handle, its reports and variables get indexes; all stay valid when the device goes, so
// that what was bound to it can be released by handle. Values written to a report's variables
// go out with its next write; values read come from its last read.
class HidAgent {
public:
    explicit HidAgent(HidTransport& transport);
    HidAgent(const HidAgent&) = delete;
    HidAgent& operator=(const HidAgent&) = delete;
    ~HidAgent();

    // Search settings: with a flag set, only devices with that id are opened.
    bool searchOnVid = false;
    bool searchOnPid = false;
    uint16_t vidToMatch = 0;
    uint16_t pidToMatch = 0;

    // A device was opened: its handle and product name.
    std::function<void(int handle, const QString& name)> onOpened;
    // A device was closed (unplugged, or a read or write failed): how many stay open, its name
    // and handle.
    std::function<void(int stillOpen, const QString& name, int handle)> onClosed;
    // A device that passes the search could not be opened, or its reports cannot be read; told
    // at every try, so the listener decides how often to say so.
    std::function<void(const HidDeviceInfo& device, const QString& why, bool permissionDenied)>
        onFailed;

    // Lists the devices now and from then on follows their arrival and removal (through the
    // transport, or by listing them once a second).
    void start();
    // Stops following and closes every device without telling.
    void stop();
    // Lists the devices: those gone are closed, new ones opened.
    void refresh();

    // Reads the reports and variables of the devices opened since the last call.
    void readDescriptors();

    // Devices opened and still open, in the order they were opened.
    int deviceCount() const { return int(m_openOrder.size()); }
    // Makes the open device 0..deviceCount()-1 the current one.
    void selectDevice(int index);
    int vendorId() const;
    int productId() const;
    QString productName() const;
    // The current device's handle.
    int handle() const;

    // The index of the current device's variable with the usage page, usage and report type, or
    // -1. Fields of arrays are found only when includeArrays is set.
    int findVariable(int usagePage, int usage, HidReportType type, bool includeArrays) const;
    int variableCount() const { return int(m_variables.size()); }
    void selectVariable(int variable);
    int reportIndex(int variable) const;
    // A one-bit field, or one usage of an array (on or off).
    bool isButton(int variable) const;
    void setVariableName(int variable, const QString& name);
    QString variableName(int variable) const;

    // Attributes of the current variable.
    bool absoluteNotRelative() const;
    bool arrayNotVariable() const;
    bool bitsNotBuffer() const;
    bool hasNullState() const;
    bool linear() const;
    bool noPrefState() const;
    bool noWrap() const;
    bool isVolatile() const;
    int32_t logicalMaximum() const;
    int32_t logicalMinimum() const;
    int32_t physicalMaximum() const;
    int32_t physicalMinimum() const;
    int sizeInBits() const;
    QString stringDescriptor() const;

    // The value as the report holds it: the field's bits (for an array usage, 1 when one of
    // the slots names it).
    int32_t unscaledValue(int variable) const;
    void setUnscaledValue(int variable, int32_t value);
    // The value in physical units (the logical value when the device gives no physical range).
    int32_t scaledValue(int variable) const;
    void setScaledValue(int variable, int32_t value);

    void setCurrentReport(int report);
    int currentReport() const { return m_currentReport; }
    // Reads / writes the current report; false when it cannot be (wrong direction, device gone,
    // transfer failed). A failed transfer closes the device.
    bool readReport();
    bool writeReport();

private:
    struct Device {
        int handle = 0;
        HidDeviceInfo info;
        std::unique_ptr<HidConnection> connection; // null once closed
        bool described = false;
    };
    struct Report {
        int handle = 0;
        HidReport report;
        bool numbered = false;
        QByteArray buffer; // id byte first
    };
    struct Variable {
        int handle = 0;
        HidField field;
        int report = -1;
        QString name;
    };

    void list();
    bool passesSearch(const HidDeviceInfo& info) const;
    Device* deviceByHandle(int handle) const;
    Device& current() const;
    const Variable& variable(int index) const;
    const Variable& currentVariable() const;
    Report& report(int index);
    void close(Device& device, bool tell);
    void failed(Device& device);

    HidTransport& m_transport;
    QTimer m_listTimer;
    bool m_started = false;
    bool m_refreshing = false;
    bool m_refreshAgain = false;
    std::vector<std::unique_ptr<Device>> m_devices; // every device opened, open or not
    std::vector<int> m_openOrder;                   // handles
    std::vector<Report> m_reports;
    std::vector<Variable> m_variables;
    int m_nextHandle = 1;
    int m_currentDevice = 0; // handle, 0: none
    int m_currentVariable = -1;
    int m_currentReport = -1;
};

} // namespace chordalis
