#include "ledguitar/HidAgent.h"

#include <QSet>
#include <algorithm>

namespace chordalis {

namespace {

constexpr int ListIntervalMs = 1000; // without the transport's notices

// The field's bits as a whole number, sign-extended when its logical range goes below zero.
int64_t logicalOf(const HidField& f, uint32_t raw) {
    if (f.logicalMinimum < 0 && f.bitSize < 32 && (raw & (1u << (f.bitSize - 1))))
        return int64_t(raw) - (int64_t(1) << f.bitSize);
    return f.logicalMinimum < 0 ? int64_t(int32_t(raw)) : int64_t(raw);
}

bool hasPhysicalRange(const HidField& f) {
    return f.physicalMinimum != 0 || f.physicalMaximum != 0;
}

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
    for (auto& d : m_devices) {
        if (d->connection)
            close(*d, false);
    }
}

bool HidAgent::passesSearch(const HidDeviceInfo& info) const {
    return (!searchOnVid || info.vendorId == vidToMatch) &&
           (!searchOnPid || info.productId == pidToMatch);
}

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
        if (!paths.contains(info.path) && passesSearch(info)) {
            paths.insert(info.path);
            listed.push_back(std::move(info));
        }
    }
    // Gone first, so that a device unplugged and plugged again is closed before it reopens.
    std::vector<int> gone;
    QSet<QString> open;
    for (const auto& d : m_devices) {
        if (!d->connection)
            continue;
        if (paths.contains(d->info.path))
            open.insert(d->info.path);
        else
            gone.push_back(d->handle);
    }
    for (int handle : gone) {
        if (Device* d = deviceByHandle(handle); d && d->connection)
            close(*d, true);
    }
    for (const HidDeviceInfo& info : listed) {
        if (!m_started) // stopped meanwhile (the program ended while a listener waited)
            return;
        if (open.contains(info.path))
            continue;
        HidOpenResult result = m_transport.open(info);
        if (!result.connection) {
            if (onFailed)
                onFailed(info, result.error, result.permissionDenied);
            continue;
        }
        auto device = std::make_unique<Device>();
        device->handle = m_nextHandle++;
        device->info = info;
        device->connection = std::move(result.connection);
        const int handle = device->handle;
        m_devices.push_back(std::move(device));
        m_openOrder.push_back(handle);
        if (onOpened)
            onOpened(handle, info.product);
    }
}

void HidAgent::readDescriptors() {
    for (size_t i = 0; i < m_devices.size(); ++i) {
        Device& d = *m_devices[i];
        if (!d.connection || d.described)
            continue;
        d.described = true;
        QString why;
        const QByteArray bytes = d.connection->descriptor(&why);
        std::optional<ReportDescriptor> parsed;
        if (!bytes.isEmpty())
            parsed = parseReportDescriptor(bytes, &why);
        if (!parsed) {
            if (onFailed)
                onFailed(d.info, QStringLiteral("its report descriptor cannot be read: ") + why,
                         false);
            continue;
        }
        const int firstReport = int(m_reports.size());
        for (const HidReport& r : parsed->reports) {
            Report report{d.handle, r, parsed->numbered, QByteArray(1 + r.byteLength(), '\0')};
            report.buffer[0] = char(r.reportId);
            m_reports.push_back(std::move(report));
        }
        for (const HidField& f : parsed->fields) {
            int index = firstReport;
            while (index < int(m_reports.size()) &&
                   (m_reports[size_t(index)].report.type != f.type ||
                    m_reports[size_t(index)].report.reportId != f.reportId))
                ++index;
            m_variables.push_back({d.handle, f, index, {}});
        }
    }
}

// --- devices ---------------------------------------------------------------------------------

HidAgent::Device* HidAgent::deviceByHandle(int handle) const {
    for (const auto& d : m_devices) {
        if (d->handle == handle)
            return d.get();
    }
    return nullptr;
}

HidAgent::Device& HidAgent::current() const {
    Device* d = deviceByHandle(m_currentDevice);
    if (!d || !d->connection)
        throw HidError("no current device");
    return *d;
}

void HidAgent::selectDevice(int index) {
    if (index < 0 || index >= deviceCount())
        throw HidError("no open device of that number");
    m_currentDevice = m_openOrder[size_t(index)];
}

int HidAgent::vendorId() const {
    return current().info.vendorId;
}

int HidAgent::productId() const {
    return current().info.productId;
}

QString HidAgent::productName() const {
    return current().info.product;
}

int HidAgent::handle() const {
    return current().handle;
}

void HidAgent::close(Device& device, bool tell) {
    device.connection.reset();
    m_openOrder.erase(std::remove(m_openOrder.begin(), m_openOrder.end(), device.handle),
                      m_openOrder.end());
    if (tell && onClosed)
        onClosed(deviceCount(), device.info.product, device.handle);
}

void HidAgent::failed(Device& device) {
    // A device that fails a transfer is taken for gone; if it is still there, the next listing
    // opens it again as a new device.
    if (device.connection)
        close(device, true);
}

// --- variables -------------------------------------------------------------------------------

int HidAgent::findVariable(int usagePage, int usage, HidReportType type, bool includeArrays) const {
    const int device = current().handle;
    for (size_t i = 0; i < m_variables.size(); ++i) {
        const Variable& v = m_variables[i];
        if (v.handle == device && v.field.usagePage == usagePage && v.field.usage == usage &&
            v.field.type == type && (includeArrays || !v.field.isArray()))
            return int(i);
    }
    return -1;
}

const HidAgent::Variable& HidAgent::variable(int index) const {
    if (index < 0 || index >= int(m_variables.size()))
        throw HidError("no variable of that number");
    return m_variables[size_t(index)];
}

const HidAgent::Variable& HidAgent::currentVariable() const {
    return variable(m_currentVariable);
}

void HidAgent::selectVariable(int index) {
    variable(index);
    m_currentVariable = index;
}

int HidAgent::reportIndex(int index) const {
    return variable(index).report;
}

bool HidAgent::isButton(int index) const {
    const HidField& f = variable(index).field;
    return f.isArray() || f.bitSize == 1;
}

void HidAgent::setVariableName(int index, const QString& name) {
    variable(index);
    m_variables[size_t(index)].name = name;
}

QString HidAgent::variableName(int index) const {
    return variable(index).name;
}

bool HidAgent::absoluteNotRelative() const {
    return !(currentVariable().field.flags & HidItemFlag::Relative);
}
bool HidAgent::arrayNotVariable() const {
    return currentVariable().field.isArray();
}
bool HidAgent::bitsNotBuffer() const {
    return !(currentVariable().field.flags & HidItemFlag::BufferedBytes);
}
bool HidAgent::hasNullState() const {
    return currentVariable().field.flags & HidItemFlag::NullState;
}
bool HidAgent::linear() const {
    return !(currentVariable().field.flags & HidItemFlag::NonLinear);
}
bool HidAgent::noPrefState() const {
    return currentVariable().field.flags & HidItemFlag::NoPreferred;
}
bool HidAgent::noWrap() const {
    return !(currentVariable().field.flags & HidItemFlag::Wrap);
}
bool HidAgent::isVolatile() const {
    return currentVariable().field.flags & HidItemFlag::Volatile;
}
int32_t HidAgent::logicalMaximum() const {
    return currentVariable().field.logicalMaximum;
}
int32_t HidAgent::logicalMinimum() const {
    return currentVariable().field.logicalMinimum;
}
int32_t HidAgent::physicalMaximum() const {
    return currentVariable().field.physicalMaximum;
}
int32_t HidAgent::physicalMinimum() const {
    return currentVariable().field.physicalMinimum;
}
int HidAgent::sizeInBits() const {
    return currentVariable().field.bitSize;
}

QString HidAgent::stringDescriptor() const {
    const Variable& v = currentVariable();
    const Device* d = deviceByHandle(v.handle);
    if (v.field.stringIndex == 0 || !d || !d->connection)
        return {};
    return d->connection->indexedString(v.field.stringIndex);
}

// --- values ----------------------------------------------------------------------------------

int32_t HidAgent::unscaledValue(int index) const {
    const Variable& v = variable(index);
    const QByteArray& data = m_reports.at(size_t(v.report)).buffer;
    const HidField& f = v.field;
    const int base = 8; // after the id byte
    if (f.isArray()) {
        const int64_t wanted = int64_t(f.logicalMinimum) + f.arrayIndex;
        for (int slot = 0; slot < f.arraySlots; ++slot) {
            if (logicalOf(f, extractBits(data, base + f.bitOffset + slot * f.bitSize, f.bitSize)) ==
                wanted)
                return 1;
        }
        return 0;
    }
    return int32_t(extractBits(data, base + f.bitOffset, f.bitSize));
}

void HidAgent::setUnscaledValue(int index, int32_t value) {
    const Variable& v = variable(index);
    if (v.field.isArray())
        throw HidError("a usage of an array cannot be written");
    insertBits(report(v.report).buffer, 8 + v.field.bitOffset, v.field.bitSize, uint32_t(value));
}

int32_t HidAgent::scaledValue(int index) const {
    const HidField& f = variable(index).field;
    const int64_t logical =
        f.isArray() ? unscaledValue(index) : logicalOf(f, uint32_t(unscaledValue(index)));
    if (f.isArray() || !hasPhysicalRange(f))
        return int32_t(logical);
    const int64_t span = int64_t(f.logicalMaximum) - f.logicalMinimum;
    if (span <= 0)
        throw HidError("the field has no logical range to scale");
    return int32_t(f.physicalMinimum + (logical - f.logicalMinimum) *
                                           (int64_t(f.physicalMaximum) - f.physicalMinimum) / span);
}

void HidAgent::setScaledValue(int index, int32_t value) {
    const HidField& f = variable(index).field;
    int64_t logical = value;
    if (hasPhysicalRange(f)) {
        const int64_t span = int64_t(f.physicalMaximum) - f.physicalMinimum;
        if (span == 0)
            throw HidError("the field has no physical range to scale");
        logical = f.logicalMinimum + (int64_t(value) - f.physicalMinimum) *
                                         (int64_t(f.logicalMaximum) - f.logicalMinimum) / span;
    }
    if (logical < std::min<int64_t>(f.logicalMinimum, f.logicalMaximum) ||
        logical > std::max<int64_t>(f.logicalMinimum, f.logicalMaximum))
        throw HidError("the value lies outside the field's range");
    setUnscaledValue(index, int32_t(logical));
}

// --- reports ---------------------------------------------------------------------------------

HidAgent::Report& HidAgent::report(int index) {
    if (index < 0 || index >= int(m_reports.size()))
        throw HidError("no report of that number");
    return m_reports[size_t(index)];
}

void HidAgent::setCurrentReport(int index) {
    report(index);
    m_currentReport = index;
}

bool HidAgent::readReport() {
    Report& r = report(m_currentReport);
    Device* d = deviceByHandle(r.handle);
    if (!d || !d->connection)
        return false;
    if (r.report.type == HidReportType::Feature) {
        QByteArray data(r.buffer.size(), '\0');
        data[0] = char(r.report.reportId);
        if (!d->connection->getFeature(data)) {
            failed(*d);
            return false;
        }
        data.resize(r.buffer.size(), '\0');
        r.buffer = data;
        return true;
    }
    if (r.report.type != HidReportType::Input)
        return false;
    const HidInput input =
        d->connection->readInput(uint8_t(r.report.reportId), r.report.byteLength());
    if (input.status == HidInput::Failed) {
        failed(*d);
        return false;
    }
    if (input.status == HidInput::Report) {
        QByteArray data = input.data;
        data.resize(r.buffer.size(), '\0'); // a short report leaves the rest 0
        data[0] = char(r.report.reportId);
        r.buffer = data;
    }
    return true;
}

bool HidAgent::writeReport() {
    Report& r = report(m_currentReport);
    Device* d = deviceByHandle(r.handle);
    if (!d || !d->connection || r.report.type == HidReportType::Input)
        return false;
    const bool sent = r.report.type == HidReportType::Output ? d->connection->writeOutput(r.buffer)
                                                             : d->connection->sendFeature(r.buffer);
    if (!sent)
        failed(*d);
    return sent;
}

} // namespace chordalis
