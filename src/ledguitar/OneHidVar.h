#pragma once

#include "ledguitar/ErrorReport.h"
#include "ledguitar/ReportDescriptor.h"

#include <cstdint>

namespace chordalis {

class HidAgent;

// One variable (one field) of one report of a HID device: found by report type, usage page and
// usage, it reads or writes its value through the HID layer it was bound on. Unbound, it reads 0
// and ignores writes. A failure of the HID layer while binding is caught, reported with number
// 9999 as "OneHidVar:Bind Method", and leaves the variable unbound.
class TOneHidVar {
public:
    TOneHidVar(ErrorReport& errors, HidReportType rptType, int32_t usagePage, int32_t usage)
        : m_errors(errors), m_rptType(rptType), m_usagePage(usagePage), m_usage(usage) {}

    // The field's bits as the report holds them; 0 while unbound.
    int32_t UnScaledValue() const;
    void setUnScaledValue(int32_t value);

    // The HID layer's index of the report holding the variable; -1 while unbound.
    int32_t RptIndex() const { return m_rptIndex; }
    // The handle of the device it was last bound on; 0 before the first binding.
    int32_t HidHandle() const { return m_hidHandle; }
    bool IsBound() const { return m_varIndex >= 0; }

    // Reads (an input variable) or writes (an output variable) the report that holds it. False
    // while unbound, or when the transfer failed.
    bool Update();
    // Forgets the binding; the handle stays.
    void UnBind() { m_varIndex = m_rptIndex = -1; }
    // Finds the variable on the HID layer's current device; false when the device has no such
    // field.
    bool Bind(HidAgent& agent);

private:
    ErrorReport& m_errors;
    HidReportType m_rptType;
    int32_t m_usagePage;
    int32_t m_usage;
    int32_t m_varIndex = -1;
    int32_t m_rptIndex = -1;
    int32_t m_hidHandle = 0;
    HidAgent* m_agent = nullptr;
};

} // namespace chordalis
