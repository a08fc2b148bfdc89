#include "ledguitar/SimulatedGuitar.h"

#include "ledguitar/Fretlight.h"
#include "ledguitar/ReportDescriptor.h"

namespace chordalis {

struct SimulatedGuitar::State {
    HidDeviceInfo info;
    QByteArray descriptor;
    std::optional<ReportDescriptor> parsed;
    bool plugged = true;
    int generation = 0; // each plugging makes a new device: older connections are dead
    int pedal = 0;
    bool refuse = false;
    int writesLeft = -1;
    bool failReads = false;
    std::vector<QByteArray> reports;
    int inputReads = 0;
    std::function<void()> changed;
    std::vector<HidDeviceInfo> others;

    const HidField* field(HidReportType type, int usage) const {
        if (!parsed)
            return nullptr;
        for (const HidField& f : parsed->fields) {
            if (f.type == type && f.usagePage == FretlightUsagePage && f.usage == usage)
                return &f;
        }
        return nullptr;
    }
};

namespace {

// The guitar, opened: it answers with its pedal and records what it is sent, while it stays the
// device that was opened (plugged in, not plugged again since).
class SimulatedConnection final : public HidConnection {
public:
    explicit SimulatedConnection(std::shared_ptr<SimulatedGuitar::State> state)
        : m_state(std::move(state)), m_generation(m_state->generation) {}

    QByteArray descriptor(QString* error) override {
        if (alive())
            return m_state->descriptor;
        if (error)
            *error = QStringLiteral("the device is gone");
        return {};
    }

    HidInput readInput(uint8_t reportId, int dataLength) override {
        if (!alive() || m_state->failReads)
            return {HidInput::Failed, {}};
        ++m_state->inputReads;
        QByteArray data(1 + dataLength, '\0');
        data[0] = char(reportId);
        if (const HidField* f = m_state->field(HidReportType::Input, 1);
            f && f->reportId == reportId)
            insertBits(data, 8 + f->bitOffset, f->bitSize, uint32_t(m_state->pedal));
        return {HidInput::Report, data};
    }

    bool writeOutput(const QByteArray& report) override {
        if (!alive())
            return false;
        m_state->reports.push_back(report);
        if (m_state->writesLeft > 0 && --m_state->writesLeft == 0) {
            m_state->plugged = false; // gone after this report
            m_state->writesLeft = -1;
        }
        return true;
    }

private:
    bool alive() const { return m_state->plugged && m_state->generation == m_generation; }

    std::shared_ptr<SimulatedGuitar::State> m_state;
    int m_generation;
};

} // namespace

QByteArray SimulatedGuitar::guitarDescriptor() {
    static const unsigned char Bytes[] = {
        0x06, 0x00, 0xFF, // Usage Page (vendor 0xFF00)
        0x09, 0x01,       // Usage (1)
        0xA1, 0x01,       // Collection (Application)
        0x15, 0x00,       //   Logical Minimum (0)
        0x26, 0xFF, 0x00, //   Logical Maximum (255)
        0x75, 0x08,       //   Report Size (8)
        0x95, 0x01,       //   Report Count (1)
        0x09, 0x01,       //   Usage (1): FootIN
        0x81, 0x02,       //   Input (Data, Variable, Absolute)
        0x95, 0x07,       //   Report Count (7)
        0x81, 0x03,       //   Input (Constant): padding
        0x95, 0x01,       //   Report Count (1)
        0x09, 0x02,       //   Usage (2): CMD1
        0x91, 0x02,       //   Output (Data, Variable, Absolute)
        0x95, 0x08,       //   Report Count (8)
        0x19, 0x03,       //   Usage Minimum (3): Data1
        0x29, 0x0A,       //   Usage Maximum (10): Data8
        0x91, 0x02,       //   Output (Data, Variable, Absolute)
        0xC0,             // End Collection
    };
    return QByteArray(reinterpret_cast<const char*>(Bytes), sizeof Bytes);
}

SimulatedGuitar::SimulatedGuitar(const QString& productName, const QByteArray& descriptor)
    : m_state(std::make_shared<State>()) {
    m_state->info.path = QLatin1String(Path);
    m_state->info.vendorId = FretlightVendorId;
    m_state->info.productId = FretlightProductId;
    m_state->info.product =
        productName.isNull() ? QLatin1String(FretlightProductName) : productName;
    m_state->descriptor = descriptor;
    m_state->parsed = parseReportDescriptor(descriptor);
}

SimulatedGuitar::~SimulatedGuitar() = default;

void SimulatedGuitar::plug() {
    if (m_state->plugged)
        return;
    m_state->plugged = true;
    ++m_state->generation;
    if (m_state->changed)
        m_state->changed();
}

void SimulatedGuitar::unplug() {
    if (!m_state->plugged)
        return;
    m_state->plugged = false;
    if (m_state->changed)
        m_state->changed();
}

void SimulatedGuitar::pressPedal(int value) {
    m_state->pedal = value;
}

void SimulatedGuitar::refuseOpen(bool refuse) {
    m_state->refuse = refuse;
}

void SimulatedGuitar::vanishAfterWrites(int n) {
    m_state->writesLeft = n;
}

void SimulatedGuitar::failReads(bool fail) {
    m_state->failReads = fail;
}

void SimulatedGuitar::addDevice(const HidDeviceInfo& info) {
    m_state->others.push_back(info);
}

const std::vector<QByteArray>& SimulatedGuitar::outputReports() const {
    return m_state->reports;
}

void SimulatedGuitar::clearOutputReports() {
    m_state->reports.clear();
}

std::vector<std::array<int, 9>> SimulatedGuitar::ledReports() const {
    std::vector<std::array<int, 9>> result;
    for (const QByteArray& report : m_state->reports) {
        std::array<int, 9> values{};
        for (int i = 0; i < 9; ++i) {
            const HidField* f = m_state->field(HidReportType::Output, 2 + i); // CMD1, Data1..8
            if (f && !report.isEmpty() && f->reportId == uint8_t(report[0]))
                values[size_t(i)] = int(extractBits(report, 8 + f->bitOffset, f->bitSize));
        }
        result.push_back(values);
    }
    return result;
}

int SimulatedGuitar::inputReads() const {
    return m_state->inputReads;
}

std::vector<HidDeviceInfo> SimulatedGuitar::enumerate() {
    std::vector<HidDeviceInfo> devices = m_state->others;
    if (m_state->plugged)
        devices.push_back(m_state->info);
    return devices;
}

HidOpenResult SimulatedGuitar::open(const HidDeviceInfo& device) {
    if (device.path != m_state->info.path || !m_state->plugged)
        return {nullptr, false, QStringLiteral("no such device")};
    if (m_state->refuse)
        return {nullptr, true, QStringLiteral("Permission denied")};
    return {std::make_unique<SimulatedConnection>(m_state), false, {}};
}

bool SimulatedGuitar::watch(std::function<void()> changed) {
    m_state->changed = std::move(changed);
    return true;
}

void SimulatedGuitar::unwatch() {
    m_state->changed = nullptr;
}

} // namespace chordalis
