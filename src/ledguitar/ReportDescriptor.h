#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace chordalis {

// The three kinds of HID report, numbered as the device classes store them.
enum class HidReportType : int {
    Input = 0,
    Output = 1,
    Feature = 2,
};

// Bits of an Input, Output or Feature item (HID 1.11, 6.2.2.5).
namespace HidItemFlag {
inline constexpr uint32_t Constant = 0x001;
inline constexpr uint32_t Variable = 0x002; // clear: an array
inline constexpr uint32_t Relative = 0x004;
inline constexpr uint32_t Wrap = 0x008;
inline constexpr uint32_t NonLinear = 0x010;
inline constexpr uint32_t NoPreferred = 0x020;
inline constexpr uint32_t NullState = 0x040;
inline constexpr uint32_t Volatile = 0x080;
inline constexpr uint32_t BufferedBytes = 0x100;
} // namespace HidItemFlag

// One value of one report: a variable field, or one usage of an array field (whose slots hold
// the indexes of the usages that are on).
struct HidField {
    HidReportType type = HidReportType::Input;
    int reportId = 0;  // 0 when the device numbers no reports
    int bitOffset = 0; // from the first data bit of the report, after the report id byte
    int bitSize = 0;   // 1..32
    int usagePage = 0;
    int usage = 0;
    int32_t logicalMinimum = 0;
    int32_t logicalMaximum = 0;
    int32_t physicalMinimum = 0;
    int32_t physicalMaximum = 0;
    uint32_t flags = 0;  // HidItemFlag bits of the item
    int stringIndex = 0; // 0: none
    int arraySlots = 0;  // array fields: how many slots follow bitOffset, each bitSize wide
    int arrayIndex = 0;  // array fields: the slot value meaning this usage, less logicalMinimum

    bool isArray() const { return (flags & HidItemFlag::Variable) == 0; }
};

// One report of a device: its type, id and length in data bits (without the id byte).
struct HidReport {
    HidReportType type = HidReportType::Input;
    int reportId = 0;
    int bitLength = 0;
    int byteLength() const { return (bitLength + 7) / 8; }
};

struct ReportDescriptor {
    std::vector<HidField> fields;
    std::vector<HidReport> reports; // in the order they are first described
    bool numbered = false;          // reports carry an id byte

    const HidReport* report(HidReportType type, int reportId) const;
};

// The largest descriptor, report, item count and field list that are accepted. Real devices stay
// far below them; anything larger is taken for a damaged descriptor.
inline constexpr int MaxDescriptorBytes = 4096;
inline constexpr int MaxReportBytes = 4096;
inline constexpr int MaxReportCount = 4096;
inline constexpr int MaxFields = 4096;

// Reads a report descriptor into its fields and reports. A damaged descriptor (cut short,
// unbalanced collections, a report id 0, sizes or counts past the limits above) gives nothing,
// and the reason in error. Fields wider than 32 bits, and padding, take room but give no field.
std::optional<ReportDescriptor> parseReportDescriptor(const QByteArray& bytes,
                                                      QString* error = nullptr);

// Reads bitSize bits (1..32) at bitOffset of data, least significant bit first as HID packs them;
// bits past the end read 0.
uint32_t extractBits(const QByteArray& data, int bitOffset, int bitSize);
// Writes the low bitSize bits of value at bitOffset; bits past the end are dropped.
void insertBits(QByteArray& data, int bitOffset, int bitSize, uint32_t value);

} // namespace chordalis
