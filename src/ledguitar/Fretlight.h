#pragma once

#include "ledguitar/ErrorReport.h"
#include "ledguitar/OneHidVar.h"

#include <array>
#include <memory>
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

    // The HID layer closed the device with this handle: what was bound on it is released.
    void HidClosed(int stillOpen, const QString& name, int32_t handle);
    void HidRptArrived() {}
    // Makes the HID layer's last opened device current and, when it is the guitar, binds every
    // variable not yet bound. -1: not the guitar; else the number of variables left unbound.
    int32_t BindVars(HidAgent& agent);
    void BindEvents() {}
    void Shutdown() { m_active = false; }

    // Reads the input report / writes the output report; false when its index is not known or
    // the transfer failed.
    bool ReadInputRptA();
    bool WriteOutputRptB();
    bool ReadAllReports() { return ReadInputRptA(); }
    bool WriteAllReports() { return WriteOutputRptB(); }

    int32_t UnboundVarCount() const;
    int32_t VariableCount() const { return VarCount; }
    bool IsAllUnbound() const { return UnboundVarCount() == VariableCount(); }
    bool HasHandle(int32_t handle) const;
    // Forgets the input or output report index when it is the variable's report.
    void UnBindRpt(const TOneHidVar& variable);

    using Var = std::shared_ptr<TOneHidVar>;
    Var FootIN() { return get(FootInSlot, "FootIN"); }
    Var CMD1() { return get(Cmd1Slot, "CMD1"); }
    Var Data1() { return get(3, "Data1"); }
    Var Data2() { return get(4, "Data2"); }
    Var Data3() { return get(2, "Data3"); }
    Var Data4() { return get(5, "Data4"); }
    Var Data5() { return get(6, "Data5"); }
    Var Data6() { return get(7, "Data6"); }
    Var Data7() { return get(8, "Data7"); }
    Var Data8() { return get(9, "Data8"); }
    void setFootIN(Var v) { let(FootInSlot, "FootIN", std::move(v)); }
    void setCMD1(Var v) { let(Cmd1Slot, "CMD1", std::move(v)); }
    void setData1(Var v) { let(3, "Data1", std::move(v)); }
    void setData2(Var v) { let(4, "Data2", std::move(v)); }
    void setData3(Var v) { let(2, "Data3", std::move(v)); }
    void setData4(Var v) { let(5, "Data4", std::move(v)); }
    void setData5(Var v) { let(6, "Data5", std::move(v)); }
    void setData6(Var v) { let(7, "Data6", std::move(v)); }
    void setData7(Var v) { let(8, "Data7", std::move(v)); }
    void setData8(Var v) { let(9, "Data8", std::move(v)); }
    // Data1..Data8 by number n = 1..8.
    Var data(int n);

    const std::vector<Var>& variables() const { return m_vars; }
    bool isActive() const { return m_active; }
    int32_t inputReportIndex() const { return m_inputReport; }
    int32_t outputReportIndex() const { return m_outputReport; }

private:
    static constexpr int VarCount = 10;
    static constexpr int FootInSlot = 0;
    static constexpr int Cmd1Slot = 1;

    Var get(int slot, const char* name);
    void let(int slot, const char* name, Var v);
    bool DeviceIsMatched();
    int32_t bindAll();
    void takeReportIndexes();

    ErrorReport& m_errors;
    std::vector<Var> m_vars;
    bool m_active = false;
    HidAgent* m_agent = nullptr;
    int32_t m_inputReport = -1;
    int32_t m_outputReport = -1;
};

} // namespace chordalis
