#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace chordalis {

// The kinds of HID report the guitar has, numbered as the device classes store them (feature
// reports, type 2, it has none of).
enum class HidReportType : int {
    Input = 0,
    Output = 1,
};

// One variable field of one report: where its bits lie and which usage it carries.
struct HidField {
    HidReportType type = HidReportType::Input;
    int reportId = 0;  // 0 when the device numbers no reports
    int bitOffset = 0; // from the first data bit of the report, after the report id byte
    int bitSize = 0;   // 1..32
    int usagePage = 0;
    int usage = 0;
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

    const HidReport* report(HidReportType type, int reportId) const;
};

// The largest descriptor, report, item count and field list that are accepted. Real devices stay
// far below them; anything larger is taken for a damaged descriptor.
inline constexpr int MaxDescriptorBytes = 4096;
inline constexpr int MaxReportBytes = 4096;
inline constexpr int MaxReportCount = 4096;
inline constexpr int MaxFields = 4096;

// Reads a report descriptor into its variable fields and its reports. A damaged descriptor (cut
// short, unbalanced collections, a report id 0, sizes or counts past the limits above) gives
// nothing, and the reason in error. Padding, arrays (key lists, which the guitar has none of)
// and fields wider than 32 bits take room but give no field; feature items give nothing.
std::optional<ReportDescriptor> parseReportDescriptor(const QByteArray& bytes,
                                                      QString* error = nullptr);

// Reads bitSize bits (1..32) at bitOffset of data, least significant bit first as HID packs them;
// bits past the end read 0.
uint32_t extractBits(const QByteArray& data, int bitOffset, int bitSize);
// Writes the low bitSize bits of value at bitOffset; bits past the end are dropped.
void insertBits(QByteArray& data, int bitOffset, int bitSize, uint32_t value);

} // namespace chordalis
