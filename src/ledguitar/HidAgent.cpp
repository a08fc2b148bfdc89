#include "ledguitar/HidAgent.h"

#include <QSet>
#include <algorithm>

namespace chordalis {

namespace {

constexpr int ListIntervalMs = 1000; // without the transport's notices
constexpr int IdBits = 8;            // the report id byte before a report's data

} // namespace

HidAgent::HidAgent(HidTransport& transport) : m_transport(transport) {
    m_listTimer.setInterval(ListIntervalMs);
    QObject::connect(&m_listTimer, &QTimer::timeout, [this] { refresh(); });
}

HidAgent::~HidAgent() {
    stop();
}

void HidAgent::start() {
    if (m_started)
        return;
    m_started = true;
    if (!m_transport.watch([this] { refresh(); }))
        m_listTimer.start();
    refresh();
}

void HidAgent::stop() {
    if (m_started) {
        m_transport.unwatch();
        m_listTimer.stop();
        m_started = false;
    }
    m_devices.clear();
}

// --- devices ---------------------------------------------------------------------------------

void HidAgent::refresh() {
    // A listener may wait in an event loop (a message box); a listing asked for meanwhile runs
    // when this one is done, never inside it.
    if (m_refreshing) {
        m_refreshAgain = true;
        return;
    }
    m_refreshing = true;
    do {
        m_refreshAgain = false;
        list();
    } while (m_refreshAgain);
    m_refreshing = false;
}

void HidAgent::list() {
    std::vector<HidDeviceInfo> listed;
    QSet<QString> paths;
    for (HidDeviceInfo& info : m_transport.enumerate()) {
        // A device with several top-level collections is listed once for each.
        if ((!vidToMatch || info.vendorId == vidToMatch) &&
            (!pidToMatch || info.productId == pidToMatch) && !paths.contains(info.path)) {
            paths.insert(info.path);
            listed.push_back(std::move(info));
        }
    }
    // Gone first, so that a device unplugged and plugged again is closed before it reopens.
    std::vector<int> gone;
    QSet<QString> open;
    for (const Device& d : m_devices) {
        if (paths.contains(d.info.path))
            open.insert(d.info.path);
        else
            gone.push_back(d.handle);
    }
    for (int handle : gone)
        close(handle);
    for (const HidDeviceInfo& info : listed) {
        if (!m_started) // stopped meanwhile (the program ended while a listener waited)
            return;
        if (!open.contains(info.path))
            this->open(info);
    }
}

void HidAgent::open(const HidDeviceInfo& info) {
    HidOpenResult result = m_transport.open(info);
    if (!result.connection) {
        if (onFailed)
            onFailed(info, result.error, result.permissionDenied);
        return;
    }
    Device device{m_nextHandle++, info, std::move(result.connection)};
    describe(device);
    if (!m_started) // stopped while a listener was told of the descriptor
        return;
    m_devices.push_back(std::move(device));
    if (onOpened)
        onOpened(m_devices.back().handle);
}

void HidAgent::describe(const Device& device) {
    QString why;
    const QByteArray bytes = device.connection->descriptor(&why);
    std::optional<ReportDescriptor> parsed;
    if (!bytes.isEmpty())
        parsed = parseReportDescriptor(bytes, &why);
    if (!parsed) {
        if (onFailed)
            onFailed(device.info, QStringLiteral("its report descriptor cannot be read: ") + why,
                     false);
        return;
    }
    const int firstReport = int(m_reports.size());
    for (const HidReport& r : parsed->reports) {
        QByteArray buffer(1 + r.byteLength(), '\0');
        buffer[0] = char(r.reportId);
        m_reports.push_back({device.handle, r, buffer});
    }
    for (const HidField& f : parsed->fields) {
        const auto report = int(parsed->report(f.type, f.reportId) - parsed->reports.data());
        m_variables.push_back({device.handle, f, firstReport + report});
    }
}

HidAgent::Device* HidAgent::deviceByHandle(int handle) {
    const auto d = std::find_if(m_devices.begin(), m_devices.end(),
                                [handle](const Device& d) { return d.handle == handle; });
    return d == m_devices.end() ? nullptr : &*d;
}

const HidAgent::Device& HidAgent::current() const {
    for (const Device& d : m_devices) {
        if (d.handle == m_currentDevice)
            return d;
    }
    throw HidError("no current device");
}

void HidAgent::selectDevice(int index) {
    if (index < 0 || index >= deviceCount())
        throw HidError("no open device of that number");
    m_currentDevice = m_devices[size_t(index)].handle;
}

const HidDeviceInfo& HidAgent::deviceInfo() const {
    return current().info;
}

int HidAgent::handle() const {
    return current().handle;
}

void HidAgent::close(int handle) {
    if (Device* d = deviceByHandle(handle)) {
        m_devices.erase(m_devices.begin() + (d - m_devices.data()));
        if (onClosed)
            onClosed(handle);
    }
}

// --- variables and reports -------------------------------------------------------------------

int HidAgent::findVariable(int usagePage, int usage, HidReportType type) const {
    const int device = current().handle;
    for (size_t i = 0; i < m_variables.size(); ++i) {
        const Variable& v = m_variables[i];
        if (v.handle == device && v.field.usagePage == usagePage && v.field.usage == usage &&
            v.field.type == type)
            return int(i);
    }
    return -1;
}

const HidAgent::Variable* HidAgent::variable(int index) const {
    return index >= 0 && index < int(m_variables.size()) ? &m_variables[size_t(index)] : nullptr;
}

int HidAgent::reportIndex(int index) const {
    const Variable* v = variable(index);
    return v ? v->report : -1;
}

int32_t HidAgent::unscaledValue(int index) const {
    const Variable* v = variable(index);
    return v ? int32_t(extractBits(m_reports[size_t(v->report)].buffer, IdBits + v->field.bitOffset,
                                   v->field.bitSize))
             : 0;
}

void HidAgent::setUnscaledValue(int index, int32_t value) {
    if (const Variable* v = variable(index))
        insertBits(m_reports[size_t(v->report)].buffer, IdBits + v->field.bitOffset,
                   v->field.bitSize, uint32_t(value));
}

HidAgent::Report* HidAgent::openReport(int index, HidReportType type) {
    if (index < 0 || index >= int(m_reports.size()))
        return nullptr;
    Report& r = m_reports[size_t(index)];
    return r.report.type == type && deviceByHandle(r.handle) ? &r : nullptr;
}

bool HidAgent::readReport(int index) {
    Report* r = openReport(index, HidReportType::Input);
    if (!r)
        return false;
    const HidInput input = deviceByHandle(r->handle)->connection->readInput(
        uint8_t(r->report.reportId), r->report.byteLength());
    if (input.status == HidInput::Failed) {
        close(r->handle);
        return false;
    }
    if (input.status == HidInput::Report) {
        QByteArray data = input.data;
        data.resize(r->buffer.size(), '\0'); // a short report leaves the rest 0
        data[0] = char(r->report.reportId);
        r->buffer = data;
    }
    return true;
}

bool HidAgent::writeReport(int index) {
    Report* r = openReport(index, HidReportType::Output);
    if (!r)
        return false;
    if (deviceByHandle(r->handle)->connection->writeOutput(r->buffer))
        return true;
    // A device that fails a transfer is taken for gone; if it is still there, the next listing
    // opens it again as a new device.
    close(r->handle);
    return false;
}

} // namespace chordalis
