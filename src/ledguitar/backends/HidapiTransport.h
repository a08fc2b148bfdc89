#pragma once

#include "ledguitar/HidTransport.h"

#include <memory>

namespace chordalis {

// The system's HID devices through hidapi (its hidraw backend). Report descriptors, which this
// hidapi does not give, are read from the hidraw node or from sysfs. Arrivals and removals are
// heard from udev while its daemon runs; otherwise watch() declines and the caller lists the
// devices once a second.
class HidapiTransport final : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;

    std::vector<HidDeviceInfo> enumerate() override;
    HidOpenResult open(const HidDeviceInfo& device) override;
    bool watch(std::function<void()> changed) override;
    void unwatch() override;

private:
    struct Monitor;
    bool m_initialised = false;
    std::unique_ptr<Monitor> m_monitor;
};

} // namespace chordalis
