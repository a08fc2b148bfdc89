#include "ledguitar/Fretlight.h"

#include "ledguitar/HidAgent.h"

#include <algorithm>
#include <array>
#include <utility>

namespace chordalis {

namespace {

// The variable list, in its order: report type and usage.
constexpr std::array<std::pair<HidReportType, int>, 10> Vars = {{
    {HidReportType::Input, 1},   // FootIN
    {HidReportType::Output, 2},  // CMD1
    {HidReportType::Output, 5},  // Data3
    {HidReportType::Output, 3},  // Data1
    {HidReportType::Output, 4},  // Data2
    {HidReportType::Output, 6},  // Data4
    {HidReportType::Output, 7},  // Data5
    {HidReportType::Output, 8},  // Data6
    {HidReportType::Output, 9},  // Data7
    {HidReportType::Output, 10}, // Data8
}};

// Where Data1..Data8 stand in the list.
constexpr std::array<size_t, 8> DataSlots = {3, 4, 2, 5, 6, 7, 8, 9};

} // namespace

TFretlight::TFretlight(ErrorReport& errors) : m_errors(errors) {
    for (const auto& [type, usage] : Vars)
        m_vars.emplace_back(errors, type, FretlightUsagePage, usage);
}

TOneHidVar& TFretlight::Data(int n) {
    return m_vars[DataSlots[size_t(n - 1)]];
}

int32_t TFretlight::BindVars(HidAgent& agent) {
    if (!DeviceIsMatched(agent))
        return -1;
    for (TOneHidVar& v : m_vars) {
        if (!v.IsBound())
            v.Bind(agent);
    }
    return UnboundVarCount();
}

bool TFretlight::DeviceIsMatched(HidAgent& agent) {
    return caughtFailure(m_errors, "TFretlight:DeviceIsMatched Method", false, [&] {
        agent.selectDevice(agent.deviceCount() - 1); // the last opened device
        const HidDeviceInfo& device = agent.deviceInfo();
        return device.vendorId == FretlightVendorId && device.productId == FretlightProductId &&
               device.product == QLatin1String(FretlightProductName);
    });
}

void TFretlight::HidClosed(int32_t handle) {
    for (TOneHidVar& v : m_vars) {
        if (v.HidHandle() == handle)
            v.UnBind();
    }
}

int32_t TFretlight::UnboundVarCount() const {
    return int32_t(std::count_if(m_vars.begin(), m_vars.end(),
                                 [](const TOneHidVar& v) { return !v.IsBound(); }));
}

} // namespace chordalis
