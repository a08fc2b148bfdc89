#pragma once

#include "ledguitar/ErrorReport.h"
#include "ledguitar/OneHidVar.h"

#include <vector>

namespace chordalis {

class HidAgent;

// The LED guitar as the system lists it.
inline constexpr int FretlightVendorId = 0x0925;  // 2341
inline constexpr int FretlightProductId = 0x2000; // 8192
inline constexpr const char* FretlightProductName = "OPTEK Fretlight Guitar";
inline constexpr int FretlightUsagePage = 0xFF00;

// The LED guitar: its ten report variables on the vendor page, in this order: the pedal input
// FootIN (usage 1), the block number CMD1 (2), then the LED bytes Data3 (5), Data1 (3), Data2 (4),
// Data4..Data8 (6..10). It recognises the device, binds the variables, reads the input report
// (the pedal) and writes the output report (one block of the LED pattern).
class TFretlight {
public:
    explicit TFretlight(ErrorReport& errors);

    // Makes the HID layer's last opened device current and, when it is the guitar, binds every
    // variable not yet bound. -1: not the guitar (or no device open, reported as
    // "TFretlight:DeviceIsMatched Method"); else the number of variables left unbound.
    int32_t BindVars(HidAgent& agent);
    // The HID layer closed the device with this handle: what was bound on it is released.
    void HidClosed(int32_t handle);

    // Reads the input report / writes the output report; false while FootIN / CMD1 is unbound,
    // or when the transfer failed.
    bool ReadInputRptA() { return FootIN().Update(); }
    bool WriteOutputRptB() { return CMD1().Update(); }

    int32_t UnboundVarCount() const;
    bool IsAllUnbound() const { return UnboundVarCount() == int32_t(m_vars.size()); }

    TOneHidVar& FootIN() { return m_vars[0]; }
    TOneHidVar& CMD1() { return m_vars[1]; }
    // Data1..Data8 by n = 1..8.
    TOneHidVar& Data(int n);

private:
    bool DeviceIsMatched(HidAgent& agent);

    ErrorReport& m_errors;
    std::vector<TOneHidVar> m_vars;
};

} // namespace chordalis
