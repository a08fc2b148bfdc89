// Any bytes as a HID report descriptor; a descriptor that is read gives fields that lie inside
// their own report and can be written and read back there.
#include "FuzzSupport.h"
#include "ledguitar/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace chordalis;
    QString error;
    const auto descriptor = parseReportDescriptor(fuzz::inputBytes(data, size), &error);
    fuzz::require(descriptor.has_value() == error.isEmpty());
    if (!descriptor)
        return 0;
    for (const HidField& f : descriptor->fields) {
        const HidReport* report = descriptor->report(f.type, f.reportId);
        fuzz::require(report && f.bitSize >= 1 && f.bitSize <= 32 && f.bitOffset >= 0 &&
                      f.bitOffset + f.bitSize <= report->bitLength);
        QByteArray bytes(report->byteLength(), '\0');
        const uint32_t value = 0xA5A5A5A5u >> (32 - f.bitSize);
        insertBits(bytes, f.bitOffset, f.bitSize, value);
        fuzz::require(extractBits(bytes, f.bitOffset, f.bitSize) == value);
    }
    return 0;
}
