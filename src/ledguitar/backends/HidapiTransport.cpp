#include "ledguitar/backends/HidapiTransport.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <libudev.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace chordalis {

namespace {

QString fromWide(const wchar_t* text) {
    return text ? QString::fromWCharArray(text) : QString();
}

// The report descriptor of a hidraw node: through the node itself, else from sysfs.
QByteArray readDescriptor(const QString& path, QString* error) {
    const QByteArray node = QFile::encodeName(path);
    const int fd = ::open(node.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        int size = 0;
        hidraw_report_descriptor descriptor{};
        const bool read =
            ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 &&
            size <= HID_MAX_DESCRIPTOR_SIZE &&
            (descriptor.size = __u32(size), ioctl(fd, HIDIOCGRDESC, &descriptor) == 0);
        ::close(fd);
        if (read)
            return QByteArray(reinterpret_cast<const char*>(descriptor.value), size);
    }
    QFile sysfs(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor")
                    .arg(QFileInfo(path).fileName()));
    if (sysfs.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = sysfs.read(HID_MAX_DESCRIPTOR_SIZE + 1);
        if (!bytes.isEmpty())
            return bytes;
    }
    if (error)
        *error = QStringLiteral("neither %1 nor sysfs gives the report descriptor").arg(path);
    return {};
}

class HidapiConnection final : public HidConnection {
public:
    HidapiConnection(hid_device* device, QString path) : m_device(device), m_path(std::move(path)) {
        hid_set_nonblocking(m_device, 1);
    }
    ~HidapiConnection() override { hid_close(m_device); }

    QByteArray descriptor(QString* error) override { return readDescriptor(m_path, error); }

    HidInput readInput(uint8_t reportId, int dataLength) override {
        // The device's own reports first, the latest of that id winning; hidraw gives a report
        // without its id byte when the device numbers none.
        QByteArray buffer(1 + dataLength, '\0');
        std::optional<QByteArray> latest;
        for (int i = 0; i < 64; ++i) {
            const int n =
                hid_read_timeout(m_device, reinterpret_cast<unsigned char*>(buffer.data()),
                                 size_t(buffer.size()), 0);
            if (n < 0)
                return {HidInput::Failed, {}};
            if (n == 0)
                break;
            QByteArray report =
                reportId == 0 ? QByteArray(1, '\0') + buffer.left(n) : buffer.left(n);
            if (uint8_t(report[0]) == reportId)
                latest = report;
        }
        if (latest)
            return {HidInput::Report, *latest};
        // Nothing new sent: ask for the report, as long as the device answers such requests.
        if (m_askForReports) {
            buffer.fill('\0');
            buffer[0] = char(reportId);
            const int n = hid_get_input_report(
                m_device, reinterpret_cast<unsigned char*>(buffer.data()), size_t(buffer.size()));
            if (n > 0)
                return {HidInput::Report, buffer.left(n)};
            m_askForReports = false;
        }
        return {HidInput::NoChange, {}};
    }

    bool writeOutput(const QByteArray& report) override {
        return hid_write(m_device, reinterpret_cast<const unsigned char*>(report.constData()),
                         size_t(report.size())) >= 0;
    }

private:
    hid_device* m_device;
    QString m_path;
    bool m_askForReports = true;
};

} // namespace

// The udev monitor of hidraw nodes, read when its socket has news.
struct HidapiTransport::Monitor {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;

    ~Monitor() {
        notifier.reset();
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
    }
};

HidapiTransport::HidapiTransport() : m_initialised(hid_init() == 0) {}

HidapiTransport::~HidapiTransport() {
    m_monitor.reset();
    if (m_initialised)
        hid_exit();
}

std::vector<HidDeviceInfo> HidapiTransport::enumerate() {
    std::vector<HidDeviceInfo> devices;
    if (!m_initialised)
        return devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d; d = d->next) {
        HidDeviceInfo info;
        info.path = QFile::decodeName(d->path);
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.product = fromWide(d->product_string);
        devices.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return devices;
}

HidOpenResult HidapiTransport::open(const HidDeviceInfo& device) {
    if (!m_initialised)
        return {nullptr, false, QStringLiteral("the HID library could not start")};
    const QByteArray path = QFile::encodeName(device.path);
    errno = 0;
    hid_device* handle = hid_open_path(path.constData());
    if (handle)
        return {std::make_unique<HidapiConnection>(handle, device.path), false, {}};
    const int openError = errno;
    HidOpenResult result;
    result.permissionDenied = openError == EACCES || openError == EPERM ||
                              (::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES);
    result.error =
        openError ? QString::fromLocal8Bit(std::strerror(openError)) : fromWide(hid_error(nullptr));
    return result;
}

bool HidapiTransport::watch(std::function<void()> changed) {
    unwatch();
    // Without the daemon no event ever comes: the caller lists the devices itself.
    if (!QFileInfo::exists(QStringLiteral("/run/udev/control")))
        return false;
    auto m = std::make_unique<Monitor>();
    m->context = udev_new();
    if (!m->context)
        return false;
    m->monitor = udev_monitor_new_from_netlink(m->context, "udev");
    if (!m->monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m->monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m->monitor) < 0)
        return false;
    const int fd = udev_monitor_get_fd(m->monitor);
    if (fd < 0)
        return false;
    m->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    udev_monitor* monitor = m->monitor;
    QObject::connect(m->notifier.get(), &QSocketNotifier::activated,
                     [monitor, changed = std::move(changed)] {
                         while (udev_device* d = udev_monitor_receive_device(monitor))
                             udev_device_unref(d);
                         changed();
                     });
    m_monitor = std::move(m);
    return true;
}

void HidapiTransport::unwatch() {
    m_monitor.reset();
}

} // namespace chordalis
