#include "ledguitar/OneHidVar.h"

#include "ledguitar/HidAgent.h"

namespace chordalis {

int32_t TOneHidVar::UnScaledValue() const {
    return IsBound() ? m_agent->unscaledValue(m_varIndex) : 0;
}

void TOneHidVar::setUnScaledValue(int32_t value) {
    if (IsBound())
        m_agent->setUnscaledValue(m_varIndex, value);
}

bool TOneHidVar::Update() {
    if (!IsBound())
        return false;
    return m_rptType == HidReportType::Input ? m_agent->readReport(m_rptIndex)
                                             : m_agent->writeReport(m_rptIndex);
}

bool TOneHidVar::Bind(HidAgent& agent) {
    return caughtFailure(m_errors, "OneHidVar:Bind Method", false, [&] {
        const int index = agent.findVariable(m_usagePage, m_usage, m_rptType);
        if (index < 0)
            return false;
        m_hidHandle = agent.handle();
        m_agent = &agent;
        m_varIndex = index;
        m_rptIndex = agent.reportIndex(index);
        return true;
    });
}

} // namespace chordalis
