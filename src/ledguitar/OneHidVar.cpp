#include "ledguitar/OneHidVar.h"

#include "ledguitar/HidAgent.h"

#include <exception>

namespace chordalis {

namespace {

// Runs a member's body; a failure is reported under the member's name and gives the fallback.
template <class T, class Body>
T guarded(ErrorReport& errors, const char* member, T fallback, Body&& body) {
    try {
        return body();
    } catch (const std::exception&) {
        errors.report(CaughtFailure, QLatin1String("OneHidVar:") + QLatin1String(member));
        return fallback;
    }
}

} // namespace

void TOneHidVar::DoCreate(HidReportType rptType, int32_t usagePage, int32_t usage,
                          const QString& name) {
    m_rptType = rptType;
    m_usagePage = usagePage;
    m_usage = usage;
    m_varName = name;
}

int32_t TOneHidVar::UnScaledValue() const {
    return IsBound() && m_agent ? m_agent->unscaledValue(m_varIndex) : 0;
}

void TOneHidVar::setUnScaledValue(int32_t value) {
    if (IsBound() && m_agent)
        m_agent->setUnscaledValue(m_varIndex, value);
}

int32_t TOneHidVar::ScaledValue() {
    return guarded(m_errors, "ScaledValue Property Get", int32_t(0),
                   [&] { return IsBound() && m_agent ? m_agent->scaledValue(m_varIndex) : 0; });
}

void TOneHidVar::setScaledValue(int32_t value) {
    guarded(m_errors, "ScaledValue Property Let", 0, [&] {
        if (IsBound() && m_agent)
            m_agent->setScaledValue(m_varIndex, value);
        return 0;
    });
}

bool TOneHidVar::Update(bool dataIn) {
    return guarded(m_errors, "Update Method", false, [&] {
        if (m_rptIndex < 0 || !m_agent)
            return false;
        m_agent->setCurrentReport(m_rptIndex);
        switch (m_rptType) {
        case HidReportType::Input:
            return m_agent->readReport();
        case HidReportType::Output:
            return m_agent->writeReport();
        case HidReportType::Feature:
            return dataIn ? m_agent->readReport() : m_agent->writeReport();
        }
        return false;
    });
}

void TOneHidVar::UnBind() {
    m_varIndex = -1;
    m_rptIndex = -1;
    m_logicalMaximum = 0;
    m_logicalMinimum = 0;
    m_physicalMaximum = 0;
    m_physicalMinimum = 0;
    m_varName.clear();
    m_stringDescriptor.clear();
}

bool TOneHidVar::Bind(HidAgent& agent) {
    return guarded(m_errors, "Bind Method", false, [&] {
        m_agent = &agent;
        m_varIndex = agent.findVariable(m_usagePage, m_usage, m_rptType, false);
        if (m_varIndex < 0)
            return false;
        agent.selectVariable(m_varIndex);
        m_hidHandle = agent.handle();
        m_rptIndex = agent.reportIndex(m_varIndex);
        m_isButton = agent.isButton(m_varIndex);
        m_absoluteNotRelative = agent.absoluteNotRelative();
        m_arrayNotVariable = agent.arrayNotVariable();
        m_bitsNotBuffer = agent.bitsNotBuffer();
        m_hasNullState = agent.hasNullState();
        m_linear = agent.linear();
        m_noPrefState = agent.noPrefState();
        m_noWrap = agent.noWrap();
        m_volatile = agent.isVolatile();
        m_logicalMaximum = agent.logicalMaximum();
        m_logicalMinimum = agent.logicalMinimum();
        m_physicalMaximum = agent.physicalMaximum();
        m_physicalMinimum = agent.physicalMinimum();
        m_sizeInBits = agent.sizeInBits();
        m_stringDescriptor = agent.stringDescriptor();
        agent.setVariableName(m_varIndex, m_varName);
        return true;
    });
}

} // namespace chordalis
