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
    bool refuseForPermission = true;
    int writesLeft = -1;
    bool failReads = false;
    std::vector<QByteArray> reports;
    int inputReads = 0;
    std::function<void()> changed;
    struct Other {
        HidDeviceInfo info;
        QByteArray descriptor;
    };
    std::vector<Other> others;

    const HidField* field(HidReportType type, int usage) const {
        if (!parsed)
            return nullptr;
        for (const HidField& f : parsed->fields) {
            if (f.type == type && f.usagePage == FretlightUsagePage && f.usage == usage &&
                !f.isArray())
                return &f;
        }
        return nullptr;
    }
};

namespace {

// A device of the simulated bus. The guitar answers with its pedal; any other device reads as
// all zeros and takes what is written.
class SimulatedConnection final : public HidConnection {
public:
    SimulatedConnection(std::shared_ptr<SimulatedGuitar::State> state, bool guitar,
                        QByteArray descriptor)
        : m_state(std::move(state)), m_guitar(guitar), m_generation(m_state->generation),
          m_descriptor(std::move(descriptor)) {}

    QByteArray descriptor(QString* error) override {
        if (!alive()) {
            if (error)
                *error = QStringLiteral("the device is gone");
            return {};
        }
        return m_descriptor;
    }

    HidInput readInput(uint8_t reportId, int dataLength) override {
        if (!alive() || (m_guitar && m_state->failReads)) {
            m_error = QStringLiteral("the device does not answer");
            return {HidInput::Failed, {}};
        }
        QByteArray data(1 + dataLength, '\0');
        data[0] = char(reportId);
        if (m_guitar) {
            ++m_state->inputReads;
            if (const HidField* f = m_state->field(HidReportType::Input, 1);
                f && f->reportId == reportId)
                insertBits(data, 8 + f->bitOffset, f->bitSize, uint32_t(m_state->pedal));
        }
        return {HidInput::Report, data};
    }

    bool writeOutput(const QByteArray& report) override {
        if (!alive()) {
            m_error = QStringLiteral("the device is gone");
            return false;
        }
        if (m_guitar) {
            m_state->reports.push_back(report);
            if (m_state->writesLeft > 0 && --m_state->writesLeft == 0) {
                m_state->plugged = false; // gone after this report
                m_state->writesLeft = -1;
            }
        }
        return true;
    }

    bool getFeature(QByteArray&) override { return alive(); }
    bool sendFeature(const QByteArray&) override { return alive(); }
    QString indexedString(int) override { return {}; }
    QString errorText() const override { return m_error; }

private:
    bool alive() const {
        return !m_guitar || (m_state->plugged && m_state->generation == m_generation);
    }

    std::shared_ptr<SimulatedGuitar::State> m_state;
    bool m_guitar;
    int m_generation;
    QByteArray m_descriptor;
    QString m_error;
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
    m_state->info.release = 0x0100;
    m_state->info.product =
        productName.isNull() ? QLatin1String(FretlightProductName) : productName;
    m_state->info.usagePage = FretlightUsagePage;
    m_state->info.usage = 1;
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

bool SimulatedGuitar::isPlugged() const {
    return m_state->plugged;
}

void SimulatedGuitar::pressPedal(int value) {
    m_state->pedal = value;
}

void SimulatedGuitar::refuseOpen(bool refuse, bool permissionDenied) {
    m_state->refuse = refuse;
    m_state->refuseForPermission = permissionDenied;
}

void SimulatedGuitar::vanishAfterWrites(int n) {
    m_state->writesLeft = n;
}

void SimulatedGuitar::failReads(bool fail) {
    m_state->failReads = fail;
}

void SimulatedGuitar::addDevice(const HidDeviceInfo& info, const QByteArray& descriptor) {
    m_state->others.push_back({info, descriptor});
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

HidDeviceInfo SimulatedGuitar::guitarInfo() const {
    return m_state->info;
}

std::vector<HidDeviceInfo> SimulatedGuitar::enumerate() {
    std::vector<HidDeviceInfo> devices;
    for (const State::Other& other : m_state->others)
        devices.push_back(other.info);
    if (m_state->plugged)
        devices.push_back(m_state->info);
    return devices;
}

HidOpenResult SimulatedGuitar::open(const HidDeviceInfo& device) {
    if (device.path == m_state->info.path) {
        if (!m_state->plugged)
            return {nullptr, false, QStringLiteral("no such device")};
        if (m_state->refuse)
            return {nullptr, m_state->refuseForPermission,
                    m_state->refuseForPermission ? QStringLiteral("Permission denied")
                                                 : QStringLiteral("Device or resource busy")};
        return {
            std::make_unique<SimulatedConnection>(m_state, true, m_state->descriptor), false, {}};
    }
    for (const State::Other& other : m_state->others) {
        if (other.info.path == device.path)
            return {
                std::make_unique<SimulatedConnection>(m_state, false, other.descriptor), false, {}};
    }
    return {nullptr, false, QStringLiteral("no such device")};
}

bool SimulatedGuitar::watch(std::function<void()> changed) {
    m_state->changed = std::move(changed);
    return true;
}

void SimulatedGuitar::unwatch() {
    m_state->changed = nullptr;
}

} // namespace chordalis
