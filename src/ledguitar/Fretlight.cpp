#include "ledguitar/Fretlight.h"

#include "ledguitar/HidAgent.h"

#include <exception>

namespace chordalis {

namespace {

struct VarEntry {
    HidReportType type;
    int usage;
    const char* name;
};

// The variable list, in its order.
constexpr std::array<VarEntry, 10> Vars = {{
    {HidReportType::Input, 1, "FootIN"},
    {HidReportType::Output, 2, "CMD1"},
    {HidReportType::Output, 5, "Data3"},
    {HidReportType::Output, 3, "Data1"},
    {HidReportType::Output, 4, "Data2"},
    {HidReportType::Output, 6, "Data4"},
    {HidReportType::Output, 7, "Data5"},
    {HidReportType::Output, 8, "Data6"},
    {HidReportType::Output, 9, "Data7"},
    {HidReportType::Output, 10, "Data8"},
}};

QString source(const char* member, const char* kind) {
    return QStringLiteral("TFretlight:%1 %2").arg(QLatin1String(member), QLatin1String(kind));
}

} // namespace

TFretlight::TFretlight(ErrorReport& errors) : m_errors(errors) {
    for (const VarEntry& entry : Vars) {
        auto v = std::make_shared<TOneHidVar>(errors);
        v->DoCreate(entry.type, FretlightUsagePage, entry.usage, QLatin1String(entry.name));
        m_vars.push_back(std::move(v));
    }
}

TFretlight::Var TFretlight::get(int slot, const char* name) {
    try {
        return m_vars.at(size_t(slot));
    } catch (const std::exception&) {
        m_errors.report(CaughtFailure, source(name, "Property Get"));
        return nullptr;
    }
}

void TFretlight::let(int slot, const char* name, Var v) {
    // Every member reaches the variables without asking: an empty one is refused.
    if (!v || size_t(slot) >= m_vars.size()) {
        m_errors.report(CaughtFailure, source(name, "Property Let"));
        return;
    }
    m_vars[size_t(slot)] = std::move(v);
}

TFretlight::Var TFretlight::data(int n) {
    static constexpr std::array<int, 9> Slots = {-1, 3, 4, 2, 5, 6, 7, 8, 9};
    if (n < 1 || n > 8)
        return nullptr;
    return m_vars[size_t(Slots[size_t(n)])];
}

void TFretlight::HidClosed(int, const QString&, int32_t handle) {
    for (const Var& v : m_vars) {
        if (v->HidHandle() == handle) {
            UnBindRpt(*v);
            v->UnBind();
        }
    }
}

int32_t TFretlight::BindVars(HidAgent& agent) {
    m_active = true;
    m_agent = &agent;
    agent.selectDevice(agent.deviceCount() - 1); // the last opened device
    if (!DeviceIsMatched())
        return -1;
    const int32_t unbound = bindAll();
    takeReportIndexes();
    return unbound;
}

bool TFretlight::DeviceIsMatched() {
    try {
        return m_agent && m_agent->vendorId() == FretlightVendorId &&
               m_agent->productId() == FretlightProductId &&
               m_agent->productName() == QLatin1String(FretlightProductName);
    } catch (const std::exception&) {
        m_errors.report(CaughtFailure, source("DeviceIsMatched", "Method"));
        return false;
    }
}

int32_t TFretlight::bindAll() {
    int32_t count = VarCount;
    for (const Var& v : m_vars) {
        if (!v->IsBound())
            v->Bind(*m_agent);
        if (v->IsBound())
            --count;
    }
    return count;
}

void TFretlight::takeReportIndexes() {
    if (m_vars[FootInSlot]->RptIndex() >= 0)
        m_inputReport = m_vars[FootInSlot]->RptIndex();
    if (m_vars[Cmd1Slot]->RptIndex() >= 0)
        m_outputReport = m_vars[Cmd1Slot]->RptIndex();
}

bool TFretlight::ReadInputRptA() {
    if (m_inputReport < 0 || !m_agent)
        return false;
    m_agent->setCurrentReport(m_inputReport);
    return m_agent->readReport();
}

bool TFretlight::WriteOutputRptB() {
    if (m_outputReport < 0 || !m_agent)
        return false;
    m_agent->setCurrentReport(m_outputReport);
    return m_agent->writeReport();
}

int32_t TFretlight::UnboundVarCount() const {
    int32_t bound = 0;
    for (const Var& v : m_vars)
        bound += v->IsBound() ? 1 : 0;
    return VarCount - bound;
}

bool TFretlight::HasHandle(int32_t handle) const {
    for (const Var& v : m_vars) {
        if (v->HidHandle() == handle)
            return true;
    }
    return false;
}

void TFretlight::UnBindRpt(const TOneHidVar& variable) {
    if (variable.RptType() == HidReportType::Input && variable.RptIndex() == m_inputReport)
        m_inputReport = -1;
    if (variable.RptType() == HidReportType::Output && variable.RptIndex() == m_outputReport)
        m_outputReport = -1;
}

} // namespace chordalis
