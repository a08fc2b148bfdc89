#pragma once

#include "ledguitar/ErrorReport.h"
#include "ledguitar/ReportDescriptor.h"

#include <QString>
#include <cstdint>

namespace chordalis {

class HidAgent;

// One variable (one field) of one report of a HID device: found by report type, usage page and
// usage, it remembers the field's attributes and reads or writes its value through the HID layer
// it was bound on. Unbound, it reads 0 and ignores writes. Failures of the HID layer are caught
// in the members that reach it, reported with number 9999, and give the member's default.
class TOneHidVar {
public:
    explicit TOneHidVar(ErrorReport& errors) : m_errors(errors) {}

    // Sets what the variable stands for; it binds later.
    void DoCreate(HidReportType rptType, int32_t usagePage, int32_t usage, const QString& name);

    // A free value for the user of the object.
    int32_t Tag() const { return m_tag; }
    void setTag(int32_t tag) { m_tag = tag; }

    // Not carried by this device: reads false, writes nothing.
    bool BoolValue() const { return false; }
    void setBoolValue(bool) {}

    // The field's bits as the report holds them; 0 while unbound.
    int32_t UnScaledValue() const;
    void setUnScaledValue(int32_t value);
    // The value in the device's physical units; 0 while unbound.
    int32_t ScaledValue();
    void setScaledValue(int32_t value);

    const QString& StringDescriptor() const { return m_stringDescriptor; }
    const QString& VarName() const { return m_varName; }
    int32_t RptIndex() const { return m_rptIndex; }
    int32_t VarIndex() const { return m_varIndex; }
    HidReportType RptType() const { return m_rptType; }
    int32_t Usage() const { return m_usage; }
    int32_t UsagePage() const { return m_usagePage; }
    int32_t HidHandle() const { return m_hidHandle; }
    int32_t PhysicalMinimum() const { return m_physicalMinimum; }
    int32_t PhysicalMaximum() const { return m_physicalMaximum; }
    int32_t LogicalMinimum() const { return m_logicalMinimum; }
    int32_t LogicalMaximum() const { return m_logicalMaximum; }
    bool IsButton() const { return m_isButton; }
    bool Volatile() const { return m_volatile; }
    bool NoWrap() const { return m_noWrap; }
    bool NoPrefState() const { return m_noPrefState; }
    bool Linear() const { return m_linear; }
    bool HasNullState() const { return m_hasNullState; }
    bool BitsNotBuffer() const { return m_bitsNotBuffer; }
    bool ArrayNotVariable() const { return m_arrayNotVariable; }
    bool AbsoluteNotRelative() const { return m_absoluteNotRelative; }
    int16_t SizeInBits() const { return int16_t(m_sizeInBits); }

    bool IsBound() const { return m_varIndex >= 0; }

    // Reads (input; feature with dataIn) or writes (output; feature without) the report that
    // holds the variable. False while unbound, or when the transfer failed.
    bool Update(bool dataIn);

    // Forgets the binding: indexes -1, ranges 0, name and string descriptor empty. The handle
    // and the flags stay.
    void UnBind();

    // Finds the variable on the HID layer's current device and takes its attributes; false when
    // the device has no such field.
    bool Bind(HidAgent& agent);

private:
    ErrorReport& m_errors;
    int32_t m_tag = 0;
    int32_t m_varIndex = -1;
    HidReportType m_rptType = HidReportType::Input;
    int32_t m_usage = 0;
    int32_t m_usagePage = 0;
    int32_t m_hidHandle = 0;
    int32_t m_rptIndex = -1;
    int32_t m_logicalMaximum = 0;
    int32_t m_logicalMinimum = 0;
    int32_t m_physicalMaximum = 0;
    int32_t m_physicalMinimum = 0;
    int32_t m_sizeInBits = 0;
    HidAgent* m_agent = nullptr;
    QString m_varName;
    QString m_stringDescriptor;
    bool m_absoluteNotRelative = false;
    bool m_arrayNotVariable = false;
    bool m_bitsNotBuffer = false;
    bool m_hasNullState = false;
    bool m_linear = false;
    bool m_noPrefState = false;
    bool m_noWrap = false;
    bool m_volatile = false;
    bool m_isButton = false;
};

} // namespace chordalis
